// Grid paint benchmark: the component grid (six columns, the current row
// highlighted) shown 1600 × 900 over generated results of 1,000 and
// 1,000,000 rows, in the same run. For each it times one full repaint and
// 200 page-down steps, each step a Page Down key followed by the repaint it
// causes, and prints the ratio of the large to the small dataset, which
// should stay at or below 1.2: painting touches only the displayed rows.
//
// Usage: grid_bench   (run with QT_QPA_PLATFORM=offscreen for no display)

#include "bomdetail/bomdetailcolumns.h"
#include "grid/bomgridsettings.h"
#include "grid/dbgrideh.h"
#include "grid/highlightcurrentrow.h"
#include "platform/datasource.h"
#include "platform/dbconnection.h"
#include "platform/query.h"
#include "platform/regionalformats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRepeats = 5;
constexpr int kPageDowns = 200;

class GeneratedEngine : public DbEngine {
public:
  explicit GeneratedEngine(const ResultTable &table) : m_table(table) {}
  ResultTable fetch(const QString &, const std::vector<FieldDef> &) override {
    return m_table;
  }

private:
  const ResultTable &m_table;
};

ResultTable componentRows(int count) {
  ResultTable table;
  table.addColumn("InvCode", FieldType::String, 20);
  table.addColumn("cInvAddCode", FieldType::WideString, 30);
  table.addColumn("cInvName", FieldType::WideString, 60);
  table.addColumn("cInvStd", FieldType::WideString, 60);
  table.addColumn("cComUnitName", FieldType::WideString, 20);
  table.addColumn("CQty1", FieldType::BCD, 6, 28);
  for (int i = 0; i < count; ++i) {
    table.column(0).appendText(
        QStringLiteral("%1").arg(100000 + i, 8, 10, QLatin1Char('0')));
    table.column(1).appendText(
        QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')));
    table.column(2).appendText(QStringLiteral("十字槽盘头螺钉%1").arg(i));
    table.column(3).appendText(
        QStringLiteral("M%1x%2").arg(i % 12 + 2).arg(i % 40 + 4));
    table.column(4).appendText(i % 3 ? QStringLiteral("个")
                                     : QStringLiteral("件"));
    table.column(5).appendInteger(qint64(i % 1000) * 2500);
  }
  table.squeeze();
  return table;
}

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
  QApplication::setActiveWindow(&grid);
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
  std::printf("%10s %14s %22s\n", "rows", "repaint (ms)", "200 page-downs (ms)");
  const Figures small = measure(1000);
  std::printf("%10d %14.3f %22.2f\n", 1000, small.repaintMs,
              small.pageDownsMs);
  const Figures large = measure(1000000);
  std::printf("%10d %14.3f %22.2f\n", 1000000, large.repaintMs,
              large.pageDownsMs);
  std::printf("ratio 1,000,000 / 1,000: repaint %.2f, page-downs %.2f "
              "(target <= 1.2)\n",
              large.repaintMs / small.repaintMs,
              large.pageDownsMs / small.pageDownsMs);
  return 0;
}
