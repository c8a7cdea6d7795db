#include "platform/database/createdatabaseenginefactory.h"
#include "platform/database/odbcengine.h"
#include "platform/database/sqlserverbrowser.h"
#include "platform/errors.h"
#include "support/demodatabase.h"
#include "support/qtprint.h"
#include "support/sqlbrowserstub.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <gtest/gtest.h>

namespace {

OdbcEngine openDemoOverOdbc() {
  return OdbcEngine(
      QStringLiteral("DRIVER={SQLite3};Database=%1").arg(demoDatabasePath()));
}

TEST(OdbcEngineTest, ReadsTheDriversTypesAndConvertsDeclaredOnes) {
  OdbcEngine engine = openDemoOverOdbc();
  const ResultTable table = engine.fetch(
      "select BomId, VersionEndDate, IdentDesc, BomId * 2.5 as scaled "
      "from bom_bom where BomId = 1001",
      {{"Scaled", FieldType::BCD, 6, 28},
       {"IDENTDESC", FieldType::String, 60}});
  ASSERT_EQ(table.rowCount(), 1);
  EXPECT_EQ(table.column(0).type(), FieldType::Integer);
  EXPECT_EQ(table.column(0).integer(0), 1001);
  EXPECT_EQ(table.column(1).type(), FieldType::DateTime);
  EXPECT_EQ(table.column(2).type(), FieldType::String);
  EXPECT_TRUE(table.column(2).isNull(0));
  EXPECT_EQ(table.column(3).integer(0), 25025000);
}

TEST(OdbcEngineTest, WideTextPassesThroughCodePage936) {
  OdbcEngine engine = openDemoOverOdbc();
  const ResultTable table = engine.fetch(
      "select cInvName from inventory where cInvAddCode = 'BZ-TZ-018'", {});
  ASSERT_EQ(table.rowCount(), 1);
  EXPECT_EQ(table.column(0).text(0), u"笑脸贴纸?");
}

TEST(OdbcEngineTest, ReportsTheDriversMessage) {
  OdbcEngine engine = openDemoOverOdbc();
  EXPECT_THROW(engine.fetch("select MissingColumn from bom_bom", {}),
               DatabaseError);
  EXPECT_THROW(OdbcEngine(QStringLiteral("DRIVER={No Such Driver};")),
               DatabaseError);
}

// A server that cannot be reached must fail, never hang: the attempt is
// bounded by the login timeout.
TEST(OdbcEngineTest, AClosedPortFailsWithinTheLoginTimeout) {
  QElapsedTimer clock;
  clock.start();
  const DbEngineFactory factory = createDatabaseEngineFactory();
  EXPECT_THROW(factory({"127.0.0.1,1", "UFDATA", "sa", "x"}), DatabaseError);
  EXPECT_LT(clock.elapsed(), 15000);
}

// A server that takes the connection and never answers: the operating
// system completes the connection for the listening socket, nothing ever
// replies. The login must still end with an error, not wait for ever.
TEST(OdbcEngineTest, ASilentServerFailsWithinTheLoginTimeout) {
  QTcpServer silent;
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  const QString server =
      QStringLiteral("127.0.0.1,%1").arg(silent.serverPort());
  QElapsedTimer clock;
  clock.start();
  const DbEngineFactory factory = createDatabaseEngineFactory();
  EXPECT_THROW(factory({server, "UFDATA", "sa", "x"}), DatabaseError);
  EXPECT_LT(clock.elapsed(), 15000);
}

// A named instance is found through the host's SQL Server Browser (UDP
// port 1434). A browser that takes the question and never answers must not
// stretch the attempt beyond the login time-out plus one second.
TEST(OdbcEngineTest, AnInstanceLookupWithoutAnswerFailsWithinTheLoginTimeout) {
  const SqlBrowserStub browser({}, SqlServerBrowserPort);
  if (!browser.bound())
    GTEST_SKIP() << "UDP port 1434 of 127.0.0.1 is taken";
  QElapsedTimer clock;
  clock.start();
  const DbEngineFactory factory = createDatabaseEngineFactory();
  EXPECT_THROW(factory({"127.0.0.1\\SQLEXPRESS", "UFDATA", "sa", "x"}),
               DatabaseError);
  EXPECT_LT(clock.elapsed(), 1000 * (OdbcEngine::LoginTimeout.count() + 1));
  EXPECT_GT(browser.questions(), 0) << "the browser was never asked";
}

} // namespace
