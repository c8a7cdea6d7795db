// Workbook export benchmark: 100,000 header rows × 11 columns and 1,000,000
// component rows × 6 columns (the grids of the two windows, generated in
// memory) written as an Excel workbook through WriteGridToFile, as the
// export command does, beside the same grids written as RTF and as text by
// our writers, and beside libxlsxwriter writing the same values straight
// from the fields in a minimal loop (the floor for this format). Prints
// time, file size and the peak resident memory each export adds; the
// workbook export runs at half the rows as well, to show that its memory
// does not grow with the rows.
//
// Usage: xlsx_bench [header rows [component rows]]

#include "benchgrid.h"
#include "generatedresult.h"
#include "peakmemory.h"

#include "app/bominfomaincolumns.h"
#include "bomdetail/bomdetailcolumns.h"
#include "export/dbgridehexport.h"
#include "export/exporterclass.h"
#include "grid/columneh.h"
#include "platform/dataset/field.h"
#include "platform/text/regionalformats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <xlsxwriter.h>

namespace {

struct Measurement {
  double seconds = 0;
  qint64 bytes = 0;
  double extraMiB = 0; // peak resident memory above the memory before
};

Measurement measure(const QString &path, const std::function<void()> &run) {
  resetPeakMemory();
  const double before = residentMemoryMiB();
  QElapsedTimer timer;
  timer.start();
  run();
  Measurement result;
  result.seconds = timer.nsecsElapsed() / 1e9;
  result.extraMiB = std::max(0.0, peakMemoryMiB() - before);
  result.bytes = QFileInfo(path).size();
  return result;
}

void exportGrid(TDBGridEh &grid, int filterIndex, const QString &path) {
  const std::unique_ptr<TDBGridEhExport> writer =
      exporterClassOfFilterIndex(filterIndex)();
  writer->setGrid(&grid);
  writer->WriteGridToFile(path, true);
}

// The floor: every visible column's field written straight into a
// constant-memory worksheet, numbers and date-times as numbers, the rest as
// text; a title row of the captions; nothing else.
void writeFloor(TDBGridEh &grid, const QString &path) {
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  lxw_workbook *book =
      workbook_new_opt(QFile::encodeName(path).constData(), &options);
  lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
  lxw_format *date = workbook_add_format(book);
  format_set_num_format(date, "yyyy-mm-dd");
  const std::vector<TColumnEh *> &columns = grid.VisibleColumns();
  for (size_t c = 0; c < columns.size(); ++c)
    worksheet_write_string(sheet, 0, lxw_col_t(c),
                           columns[c]->Title().Caption().toUtf8().constData(),
                           nullptr);
  Query &query = *grid.DataSet();
  lxw_row_t row = 1;
  for (query.first(); !query.eof(); query.next(), ++row) {
    for (size_t c = 0; c < columns.size(); ++c) {
      const TField *field = columns[c]->Field();
      if (field == nullptr || field->IsNull())
        continue;
      switch (field->DataType()) {
      case FieldType::Integer:
      case FieldType::Word:
      case FieldType::BCD:
      case FieldType::Float:
        worksheet_write_number(sheet, row, lxw_col_t(c), field->AsFloat(),
                               nullptr);
        break;
      case FieldType::DateTime:
        worksheet_write_number(sheet, row, lxw_col_t(c), field->AsFloat(),
                               date);
        break;
      default:
        worksheet_write_string(sheet, row, lxw_col_t(c),
                               field->DisplayText().toUtf8().constData(),
                               nullptr);
      }
    }
  }
  workbook_close(book);
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int headerCount = argc > 1 ? std::max(2, atoi(argv[1])) : 100000;
  const int componentCount = argc > 2 ? std::max(2, atoi(argv[2])) : 1000000;
  RegionalFormats::setCurrent(RegionalFormats());
  QTemporaryDir folder;
  QTextStream out(stdout);

  struct Dataset {
    const char *name;
    int rows;
    ResultTable (*generate)(int);
    void (*setupColumns)(TDBGridEh &);
  };
  const Dataset datasets[] = {
      {"header", headerCount, headerRows, setupBomInfoMainColumns},
      {"component", componentCount, componentRows, setupBomDetailColumns}};

  out << "one run each; memory: peak resident memory the export adds\n\n";
  out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
             .arg("data", -10)
             .arg("rows", 8)
             .arg("writer", -16)
             .arg("seconds", 8)
             .arg("MB", 8)
             .arg("MiB", 7);
  for (const Dataset &dataset : datasets) {
    const auto print = [&](int rows, const char *writer, const Measurement &m) {
      out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                 .arg(dataset.name, -10)
                 .arg(rows, 8)
                 .arg(writer, -16)
                 .arg(m.seconds, 8, 'f', 2)
                 .arg(m.bytes / 1e6, 8, 'f', 2)
                 .arg(m.extraMiB, 7, 'f', 1);
      out.flush();
    };
    Measurement xlsx, floor;
    {
      const ResultTable half = dataset.generate(dataset.rows / 2);
      BenchGrid grid(half, dataset.setupColumns);
      const QString path = folder.filePath("half.xlsx");
      print(dataset.rows / 2, "xlsx",
            measure(path, [&] { exportGrid(grid.grid, 5, path); }));
    }
    const ResultTable full = dataset.generate(dataset.rows);
    BenchGrid grid(full, dataset.setupColumns);
    const struct {
      const char *name;
      int filterIndex;
    } writers[] = {{"xlsx", 5}, {"rtf", 2}, {"txt", 4}};
    for (const auto &writer : writers) {
      const QString path = folder.filePath(
          QStringLiteral("%1.%2").arg(dataset.name, writer.name));
      const Measurement m = measure(
          path, [&] { exportGrid(grid.grid, writer.filterIndex, path); });
      if (writer.filterIndex == 5)
        xlsx = m;
      print(dataset.rows, writer.name, m);
      QFile::remove(path);
    }
    const QString floorPath = folder.filePath("floor.xlsx");
    floor = measure(floorPath, [&] { writeFloor(grid.grid, floorPath); });
    print(dataset.rows, "libxlsxwriter", floor);
    out << QStringLiteral("%1 xlsx export: %2x the floor's time (aim: within "
                          "1.5x)\n\n")
               .arg("", -10)
               .arg(floor.seconds > 0 ? xlsx.seconds / floor.seconds : 0, 0,
                    'f', 2);
    out.flush();
  }
  return 0;
}
