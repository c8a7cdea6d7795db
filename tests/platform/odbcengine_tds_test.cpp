#include "platform/errors.h"
#include "platform/odbcconnectionstring.h"
#include "platform/odbcengine.h"
#include "support/qtprint.h"
#include "support/tdstestserver.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

OdbcEngine openThroughFreeTds(const TdsTestServer &server,
                              std::chrono::seconds timeout = 30s) {
  return OdbcEngine(sqlServerOdbcConnectionString(
                        {server.serverSetting(), "UFDATA", "sa", "secret"},
                        QStringLiteral("FreeTDS")),
                    timeout);
}

TEST(OdbcEngineOverTds, Smoke) {
  TdsTestServer server([](const QString &sql) {
    TdsReply reply;
    if (sql.startsWith("select distinct"))
      reply.result = TdsResultSet{
          {{"cInvCName", TdsType::NVarChar, 50}, {"cinvCCode", TdsType::NVarChar, 12}},
          {{QString("原材料"), QString("01")}, {QVariant(), QString("02")}}};
    return reply;
  });
  OdbcEngine engine = openThroughFreeTds(server);
  const ResultTable table = engine.fetch("select distinct x", {});
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(table.column(0).text(0), u"原材料");
  EXPECT_TRUE(table.column(0).isNull(1));
  for (const QByteArray &b : server.batches())
    qDebug() << QString::fromUtf16(reinterpret_cast<const char16_t *>(b.constData()), b.size() / 2);
}

} // namespace
