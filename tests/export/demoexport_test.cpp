#include "bomdetail/bomdetailcolumns.h"
#include "bomdetail/expansionquery.h"
#include "export/dbgridehexportasxls.h"
#include "export/memorystream.h"
#include "grid/bomgridsettings.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "platform/dataset/datasource.h"
#include "platform/dataset/field.h"
#include "platform/dataset/query.h"
#include "platform/text/codepage936.h"
#include "platform/text/regionalformats.h"
#include "support/demodatabase.h"
#include "support/fixedtextmetrics.h"
#include "support/qtprint.h"

#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

namespace {

struct XlsRecord {
  quint16 type;
  QByteArray body;
};

std::vector<XlsRecord> records(const QByteArray &bytes) {
  std::vector<XlsRecord> out;
  for (qsizetype at = 0; at + 4 <= bytes.size();) {
    const quint16 type = qFromLittleEndian<quint16>(bytes.constData() + at);
    const quint16 length =
        qFromLittleEndian<quint16>(bytes.constData() + at + 2);
    out.push_back({type, bytes.mid(at + 4, length)});
    at += 4 + length;
  }
  return out;
}

// The component window's grid over the demo database's expansion of an
// assembly several levels deep, exported as a spreadsheet.
TEST(DemoExpansionExport, EveryCellIsTheFieldsValueOrText) {
  RegionalFormats::setCurrent(RegionalFormats());
  DbConnection connection(demoEngineFactory(DemoEngine::Embedded));
  connection.setConnectionString(QStringLiteral("demo"), demoLinkInfo());
  Query query(QStringLiteral("ado_bomdetail"));
  query.setConnection(&connection);
  declareExpansionFields(query);
  ASSERT_TRUE(runExpansionQuery(query, 1074, 2250, ExpandMode::ToLastLevel));
  ASSERT_GT(query.recordCount(), 11) << "expands below the first level";

  DataSource source;
  source.setDataSet(&query);
  TDBGridEh grid;
  grid.setName(QStringLiteral("dbg_bomdetail"));
  grid.setTextMetrics(std::make_shared<FixedTextMetrics>());
  applyBomGridSettings(grid);
  setupBomDetailColumns(grid);
  grid.setDataSource(&source);

  MemoryStream stream;
  TDBGridEhExportAsXLS writer;
  writer.setGrid(&grid);
  writer.WriteGridToStream(stream, true);
  const std::vector<XlsRecord> all = records(stream.bytes());

  const int columns = 6;
  ASSERT_EQ(int(all.size()), 2 + columns * (1 + query.recordCount()));
  EXPECT_EQ(all.front().type, 0x0809);
  EXPECT_EQ(all.back().type, 0x000A);
  EXPECT_EQ(all[1].body.mid(8), QByteArray::fromHex("b4e6bbf5b1e0c2eb"))
      << "first title 存货编码 in code page 936";

  const char *fields[] = {"InvCode", "cInvAddCode",  "cInvName",
                          "cInvStd", "cComUnitName", "CQty1"};
  int blanks = 0;
  size_t at = 1 + columns;
  for (query.first(); !query.eof(); query.next())
    for (const char *name : fields) {
      const XlsRecord &record = all[at++];
      const TField *field = query.FieldByName(QString::fromLatin1(name));
      SCOPED_TRACE(name);
      if (field->IsNull()) {
        EXPECT_EQ(record.type, 0x0201);
        ++blanks;
      } else if (field->DataType() == FieldType::BCD) {
        ASSERT_EQ(record.type, 0x0203) << "quantities are numbers";
        double value;
        std::memcpy(&value, record.body.constData() + 6, 8);
        EXPECT_EQ(value, field->AsFloat());
      } else {
        ASSERT_EQ(record.type, 0x0204);
        EXPECT_EQ(record.body.mid(8), toCodePage936(field->DisplayText()));
      }
    }
  EXPECT_GT(blanks, 0) << "the demo data holds null optional texts";
}

} // namespace
