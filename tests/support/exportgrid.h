#pragma once

#include "export/dbgridehexport.h"
#include "grid/dbgrideh.h"
#include "platform/database/dbconnection.h"
#include "platform/dataset/datasource.h"
#include "platform/dataset/query.h"
#include "support/fakeengine.h"

#include <QByteArray>
#include <memory>

// A grid as the windows set theirs up (fonts "宋体" 12 px, white cells,
// lines, multi-level titles, no footer rows), over an in-memory result, with
// fixed text metrics, 96 dpi, the classic system colours and fixed regional
// formats.
class ExportGrid {
public:
  ExportGrid();
  ~ExportGrid();

  // Opens the dataset on `table`; the first record becomes current.
  void open(ResultTable table);
  TColumnEh &addColumn(const QString &fieldName, const QString &caption,
                       int width = 64);

  // The bytes `writer` exports into memory.
  QByteArray exportWith(TDBGridEhExport &writer, bool exportAll = true);

  std::shared_ptr<FakeDatabase> database = std::make_shared<FakeDatabase>();
  DbConnection connection;
  Query query{QStringLiteral("ado_bomdetail")};
  DataSource source;
  TDBGridEh grid;
};

// Bytes from hexadecimal digits, blanks ignored ("09 08" → 0x09 0x08).
QByteArray hexBytes(const char *digits);
// Code page 936 bytes of `text`.
QByteArray gbk(const QString &text);
