// Grid paint benchmark: the component grid (six columns, the current row
// highlighted) shown 1600 × 900 over generated results of 1,000 and
// 1,000,000 rows, in the same run. For each it times one full repaint and
// 200 page-down steps, each step a Page Down key followed by the repaint it
// causes, and prints the ratio of the large to the small dataset, which
// should stay at or below 1.2: painting touches only the displayed rows.
//
// Usage: grid_bench   (run with QT_QPA_PLATFORM=offscreen for no display)

#include "generatedresult.h"

#include "bomdetail/bomdetailcolumns.h"
#include "grid/bomgridsettings.h"
#include "grid/dbgrideh.h"
#include "grid/highlightcurrentrow.h"
#include "platform/database/dbconnection.h"
#include "platform/dataset/datasource.h"
#include "platform/dataset/query.h"
#include "platform/text/regionalformats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRepeats = 5;
constexpr int kPageDowns = 200;

struct Figures {
  double repaintMs = 0;
  double pageDownsMs = 0;
};

Figures measure(int rows) {
  const ResultTable table = componentRows(rows);
  DbConnection connection([&table](const DbLinkInfo &) {
    return std::make_unique<GeneratedEngine>(table);
  });
  connection.setConnectionString(QStringLiteral("bench"), DbLinkInfo());
  Query query(QStringLiteral("ado_bomdetail"));
  query.setConnection(&connection);
  DataSource source;
  source.setDataSet(&query);
  TDBGridEh grid;
  applyBomGridSettings(grid);
  setupBomDetailColumns(grid);
  grid.OnDrawColumnCell = HighlightCurrentRow;
  grid.setDataSource(&source);
  query.open();
  grid.resize(1600, 900);
  grid.show();
  grid.activateWindow();
  grid.setFocus();
  QApplication::processEvents();

  Figures best{1e9, 1e9};
  for (int repeat = 0; repeat < kRepeats; ++repeat) {
    query.first();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    grid.viewport()->repaint();
    best.repaintMs = std::min(best.repaintMs, timer.nsecsElapsed() / 1e6);

    timer.restart();
    for (int step = 0; step < kPageDowns; ++step) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
      QApplication::sendEvent(&grid, &key);
      grid.viewport()->repaint();
    }
    best.pageDownsMs = std::min(best.pageDownsMs, timer.nsecsElapsed() / 1e6);
  }
  return best;
}

} // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  RegionalFormats::setCurrent(RegionalFormats());
  std::printf("grid 1600x900, component columns, best of %d runs\n", kRepeats);
  std::printf("%10s %14s %22s\n", "rows", "repaint (ms)",
              "200 page-downs (ms)");
  const Figures small = measure(1000);
  std::printf("%10d %14.3f %22.2f\n", 1000, small.repaintMs, small.pageDownsMs);
  const Figures large = measure(1000000);
  std::printf("%10d %14.3f %22.2f\n", 1000000, large.repaintMs,
              large.pageDownsMs);
  std::printf("ratio 1,000,000 / 1,000: repaint %.2f, page-downs %.2f "
              "(target <= 1.2)\n",
              large.repaintMs / small.repaintMs,
              large.pageDownsMs / small.pageDownsMs);
  return 0;
}
