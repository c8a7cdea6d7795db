#include "support/exportgrid.h"

#include "export/memorystream.h"
#include "grid/bomgridsettings.h"
#include "grid/systemcolors.h"
#include "platform/errors.h"
#include "platform/text/codepage936.h"
#include "platform/text/regionalformats.h"
#include "support/fixedtextmetrics.h"

ExportGrid::ExportGrid() : connection(fakeEngineFactory(database)) {
  RegionalFormats::setCurrent(RegionalFormats());
  SystemColors::setCurrent(SystemColors());
  connection.setConnectionString(QStringLiteral("test"), DbLinkInfo());
  query.setConnection(&connection);
  source.setDataSet(&query);
  grid.setName(QStringLiteral("dbg_bomdetail"));
  grid.setTextMetrics(std::make_shared<FixedTextMetrics>());
  grid.setPixelsPerInchX(96);
  applyBomGridSettings(grid);
  grid.setDataSource(&source);
}

ExportGrid::~ExportGrid() {
  // Unbinding lays the grid out again, which refuses some multi-level
  // captions ("ATo not in level"); a destructor must not pass that on.
  try {
    grid.setDataSource(nullptr);
  } catch (const Error &) {
  }
}

void ExportGrid::open(ResultTable table) {
  query.close();
  database->table = std::move(table);
  query.open();
}

TColumnEh &ExportGrid::addColumn(const QString &fieldName,
                                 const QString &caption, int width) {
  TColumnEh &column = grid.Columns().Add();
  column.setFieldName(fieldName);
  column.Title().setCaption(caption);
  column.setWidth(width);
  return column;
}

QByteArray ExportGrid::exportWith(TDBGridEhExport &writer, bool exportAll) {
  MemoryStream stream;
  writer.setGrid(&grid);
  writer.WriteGridToStream(stream, exportAll);
  return stream.bytes();
}

QByteArray hexBytes(const char *digits) { return QByteArray::fromHex(digits); }

QByteArray gbk(const QString &text) { return toCodePage936(text); }
