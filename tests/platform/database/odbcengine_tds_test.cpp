// The SQL Server path on the wire: the program's statements go through its
// ODBC engine and FreeTDS to a loopback TDS server, which answers in the
// wire types a SQL Server uses and records the bytes it receives.
#include "app/bomheaderquery.h"
#include "bomdetail/expansionquery.h"
#include "connection/startupconnection.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/database/odbcconnectionstring.h"
#include "platform/database/odbcengine.h"
#include "platform/database/sqlserverbrowser.h"
#include "platform/dataset/booleanfield.h"
#include "platform/dataset/datetimefield.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"
#include "platform/longwork/longwork.h"
#include "platform/text/datetimeformat.h"
#include "support/qtprint.h"
#include "support/sqlbrowserstub.h"
#include "support/tdstestserver.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TdsColumn text(const char *name, int size) {
  return {name, TdsType::NVarChar, size};
}
TdsColumn bytes(const char *name, int size) {
  return {name, TdsType::VarChar, size};
}
TdsColumn decimal(const char *name) {
  return {name, TdsType::Decimal, 0, 28, 6};
}

TdsResultSet classList() {
  return {{text("cInvCName", 50), text("cinvCCode", 12)},
          {{QString("原材料"), QString("01")},
           {QString("包装物"), QString("0201")},
           {QString("原材料"), QString("03")}}};
}

TdsResultSet bomHeaders() {
  const QDateTime effective(QDate(2023, 4, 1), QTime(8, 30));
  return {
      {{"BomId", TdsType::Int},
       {"parentId", TdsType::NullableInt},
       text("InvCode", 20),
       text("cInvAddCode", 30),
       text("cInvName", 60),
       text("cInvStd", 60),
       bytes("bomtype", 7),
       {"Version", TdsType::NullableInt},
       text("VersionDesc", 60),
       text("IdentCode", 20),
       text("IdentDesc", 60),
       bytes("status", 4),
       {"VersionEffDate", TdsType::DateTime},
       {"VersionEndDate", TdsType::DateTime},
       text("cInvCName", 100)},
      {{9785, 32221, QString("01019"), QString("BZ-TZ-018"),
        QString("笑脸贴纸😀"), QString("60×40 mm"), QString("主BOM"), 10,
        QString("初版"), QVariant(), QVariant(), QString("审核"), effective,
        QVariant(), QString("包装物")},
       {9786, QVariant(), QString("01020"), QString(), QString("O'Brien 螺丝"),
        QString(), QString("替代BOM"), 1, QVariant(), QString("A"),
        QString("替代一"), QVariant(), QDateTime(QDate(2024, 1, 31), QTime()),
        QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59, 997)),
        QString("原材料")}}};
}

TdsResultSet components() {
  std::vector<TdsColumn> columns = {{"BomId", TdsType::Int},
                                    {"ParentId", TdsType::Int},
                                    {"CompId", TdsType::Int},
                                    decimal("UseQty"),
                                    {"ByproductFlag", TdsType::Bit},
                                    text("Dept", 12),
                                    bytes("DepName", 20),
                                    text("WhCode", 10),
                                    decimal("AuxUseQty"),
                                    bytes("InvCode", 20)};
  for (int i = 1; i <= 10; ++i)
    columns.push_back({QStringLiteral("Free%1").arg(i), TdsType::VarChar, 20});
  for (TdsColumn column :
       {decimal("CQty1"), TdsColumn{"FVQty", TdsType::SmallInt},
        text("cInvAddCode", 30), text("cInvName", 60), text("cInvStd", 60),
        text("cComUnitName", 20)})
    columns.push_back(column);
  const auto row = [](int compId, QVariant useQty, QVariant flag,
                      QVariant cQty1, QVariant name) {
    TdsRow values = {9785,
                     32221,
                     compId,
                     useQty,
                     flag,
                     QString("03"),
                     QString("装配车间"),
                     QString("W1"),
                     QString("1.000000"),
                     QString("02001")};
    for (int i = 1; i <= 10; ++i)
      values.push_back(i == 1 ? QVariant(QString("红")) : QVariant());
    for (QVariant value : {cQty1, QVariant(3), QVariant(QString("BZ-01")), name,
                           QVariant(QString("M4×10")), QVariant(QString("个"))})
      values.push_back(value);
    return values;
  };
  return {columns,
          {row(501, QString("2.500000"), 0, QString("-1.250000"),
               QString("十字螺丝")),
           row(502, QString("1234567890123456.000001"), 1, QVariant(),
               QVariant())}};
}

// Answers the program's three statements with the result sets above, and
// a few more that misbehave the way a broken server does.
TdsReply script(const QString &sql) {
  TdsReply reply;
  if (sql.startsWith("select distinct  cInvCName")) {
    reply.result = classList();
  } else if (sql.startsWith("select a.BomId")) {
    reply.result = bomHeaders();
  } else if (sql.startsWith("exec Pellamar_ExpandCompQty")) {
    // The procedure's own inserts report their row counts first.
    reply.kind = TdsReply::Kind::Procedure;
    reply.rowCountsBefore = {4, 12};
    reply.result = components();
  } else if (sql == "select 1") {
    reply.result = TdsResultSet{{{"one", TdsType::Int}}, {{1}}};
  } else if (sql == "silent") {
    reply.kind = TdsReply::Kind::Silent;
  } else if (sql == "deaf") {
    reply.kind = TdsReply::Kind::Deaf;
  } else if (sql == "drop") {
    reply.kind = TdsReply::Kind::DropMidResult;
    reply.result = classList();
    reply.rowsBeforeDrop = 1;
  }
  return reply;
}

QByteArray utf16Bytes(const QString &text) {
  return QByteArray(reinterpret_cast<const char *>(text.utf16()),
                    text.size() * 2);
}

class SqlServerPathTest : public ::testing::Test {
protected:
  SqlServerPathTest() {
    connection.setConnectionString("test", settings());
    query.setConnection(&connection);
  }

  DbLinkInfo settings() const {
    return {server.serverSetting(), "UFDATA", "sa", "secret"};
  }

  // The engine with a short statement time-out, so a test that waits for
  // it stays short.
  OdbcEngine engineTimingOutAfter(std::chrono::seconds timeout) const {
    return OdbcEngine(sqlServerOdbcConnectionString(settings(), "FreeTDS"),
                      timeout);
  }

  TdsTestServer server{script};
  DbConnection connection{createDatabaseEngineFactory()};
  Query query{"ado_test"};
};

TEST_F(SqlServerPathTest,
       ClassListArrivesInEveryProtocolVersionAUserCanChoose) {
  const struct {
    const char *setting;
    quint32 wire;
  } versions[] = {{"7.1", Tds71}, {"7.2", Tds72}, {"", Tds74}};
  for (const auto &version : versions) {
    qputenv("BOMQUERY_TDS_VERSION", version.setting);
    connection.close();
    const std::optional<QStringList> names = loadClassNames(query);
    ASSERT_TRUE(names) << version.setting;
    EXPECT_EQ(*names, (QStringList{"原材料", "包装物", "原材料"}));
    EXPECT_EQ(server.versions().back(), version.wire) << version.setting;
  }
  qunsetenv("BOMQUERY_TDS_VERSION");
  EXPECT_EQ(server.logins(), (std::vector<QString>(3, "sa")));
  EXPECT_EQ(server.batches().back(),
            utf16Bytes("select distinct  cInvCName,cinvCCode    \r\n"
                       "from InventoryClass  \r\n"
                       "where binvCEnd =1    \r\n"
                       "order by cinvCCode   "));
}

TEST_F(SqlServerPathTest, HeaderQueryReachesTheServerExactlyAndItsRowsBack) {
  BomHeaderFilters filters;
  filters.code = " 01 ";
  filters.name = "O'Brien";
  filters.type = "主BOM";
  filters.className = "原材料";
  declareBomHeaderFields(query);
  ASSERT_TRUE(runBomHeaderQuery(query, filters));

  const QString sent =
      "select a.BomId,a.parentId,InvCode,cInvAddCode,cInvName,cInvStd,  \r\n"
      "      case           \r\n"
      "        when  bomtype=1 then '主BOM'  \r\n"
      "        else '替代BOM'   \r\n"
      "     end bomtype, Version, \r\n"
      "     VersionDesc,IdentCode,IdentDesc,  \r\n"
      "     case     \r\n"
      "       when Status=1 then '新增'     \r\n"
      "       when status=3 then '审核'     \r\n"
      "       when status=4 then '停用'     \r\n"
      "     end status,b.VersionEffDate,VersionEndDate,d.cInvCName  \r\n"
      "from v_bom_parent_rpt a join bom_bom b on(a.bomid=b.bomid)    \r\n"
      "    join inventory  c on(a.InvCode=c.cInvCode)  \r\n"
      "     join InventoryClass d on(c.cInvCCode=d.cInvCCode) \r\n"
      " where ('01'='' or Invcode like '%01%') and \r\n"
      "       (''='' or   cInvStd like '%%') and \r\n"
      "       (''='' or cInvAddCode like '%%') and \r\n"
      "       ('O''Brien'='' or cInvName like '%O''Brien%') and \r\n"
      "       ('主BOM'='' or ('主BOM'='主BOM' and bomtype=1 ) or \r\n"
      "       ('主BOM'='替代BOM' and bomtype=2) ) and \r\n"
      "       (''='' or (''='新增' and status=1 ) or \r\n"
      "       (''='审核' and status=3 ) or (''='停用' and status=4) ) and  \r\n"
      "       ('原材料'='' or  d.cInvCName = '原材料') ";
  ASSERT_EQ(server.batches().size(), 1u);
  EXPECT_EQ(server.batches()[0], utf16Bytes(sent));

  ASSERT_EQ(query.recordCount(), 2);
  const auto field = [this](const char *name) {
    return query.FieldByName(name);
  };
  EXPECT_EQ(field("BomId")->AsInteger(), 9785);
  EXPECT_EQ(field("parentId")->AsInteger(), 32221);
  EXPECT_EQ(field("cInvName")->AsString(), "笑脸贴纸?")
      << "a character code page 936 lacks becomes its replacement";
  EXPECT_EQ(field("cInvStd")->AsString(), "60×40 mm");
  EXPECT_EQ(field("bomtype")->DataType(), FieldType::String);
  EXPECT_EQ(field("bomtype")->AsString(), "主BOM");
  EXPECT_EQ(field("status")->AsString(), "审核");
  EXPECT_TRUE(field("IdentCode")->IsNull());
  EXPECT_TRUE(field("VersionEndDate")->IsNull());
  const auto *effective =
      dynamic_cast<const TDateTimeField *>(field("VersionEffDate"));
  ASSERT_NE(effective, nullptr);
  EXPECT_EQ(daysToDateTime(effective->Value()),
            QDateTime(QDate(2023, 4, 1), QTime(8, 30)));

  query.next();
  EXPECT_TRUE(field("parentId")->IsNull());
  EXPECT_EQ(field("cInvName")->AsString(), "O'Brien 螺丝");
  EXPECT_EQ(field("bomtype")->AsString(), "替代BOM");
  EXPECT_TRUE(field("status")->IsNull());
  EXPECT_EQ(daysToDateTime(
                dynamic_cast<const TDateTimeField *>(field("VersionEndDate"))
                    ->Value()),
            QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59, 997)));
}

TEST_F(SqlServerPathTest,
       ExpansionCallIsSentAsWrittenAndItsResultReadAfterRowCounts) {
  declareExpansionFields(query);
  ASSERT_TRUE(runExpansionQuery(query, 9785, 32221, ExpandMode::ToLastLevel));
  ASSERT_EQ(server.batches().size(), 1u);
  EXPECT_EQ(server.batches()[0],
            utf16Bytes("exec Pellamar_ExpandCompQty  9785,32221,0"));

  ASSERT_EQ(query.recordCount(), 2);
  const auto bcd = [this](const char *name) {
    return dynamic_cast<const TBCDField *>(query.FieldByName(name));
  };
  ASSERT_NE(bcd("UseQty"), nullptr);
  EXPECT_EQ(bcd("UseQty")->Value(), 25000);
  EXPECT_EQ(bcd("CQty1")->Value(), -12500);
  EXPECT_FALSE(query.FieldByName("ByproductFlag")->AsBoolean());
  EXPECT_EQ(query.FieldByName("DepName")->AsString(), "装配车间");
  EXPECT_EQ(query.FieldByName("Free1")->AsString(), "红");
  EXPECT_TRUE(query.FieldByName("Free2")->IsNull());
  EXPECT_EQ(query.FieldByName("FVQty")->DataType(), FieldType::Word);
  EXPECT_EQ(query.FieldByName("FVQty")->AsInteger(), 3);
  EXPECT_EQ(query.FieldByName("cComUnitName")->AsString(), "个");

  query.next();
  EXPECT_TRUE(query.FieldByName("ByproductFlag")->AsBoolean());
  EXPECT_EQ(bcd("UseQty")->DisplayText(), "(Overflow)")
      << "a decimal beyond 64-bit ten-thousandths";
  EXPECT_TRUE(bcd("CQty1")->IsNull());
  EXPECT_TRUE(query.FieldByName("cInvName")->IsNull());
}

// The server takes the statement and never answers it: the time-out
// cancels it, the call fails, and the connection serves the next one. A
// server deaf even to the cancel makes the driver wait one more time-out
// for the acknowledgement and give the connection up; the next statement
// logs in again.
TEST_F(SqlServerPathTest, AStatementTheServerNeverAnswersFailsAtItsTimeOut) {
  const struct {
    const char *statement;
    qint64 atMostMs;
    size_t logins;
  } cases[] = {{"silent", 5000, 1}, {"deaf", 8000, 2}};
  for (const auto &c : cases) {
    const size_t loginsBefore = server.logins().size();
    OdbcEngine engine = engineTimingOutAfter(2s);
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(engine.fetch(c.statement, {}), DatabaseError);
    EXPECT_GE(clock.elapsed(), 1500) << c.statement;
    EXPECT_LT(clock.elapsed(), c.atMostMs) << c.statement;
    EXPECT_EQ(engine.fetch("select 1", {}).rowCount(), 1) << c.statement;
    EXPECT_EQ(server.logins().size() - loginsBefore, c.logins) << c.statement;
  }
}

// A named instance is reached at the port the host's browser names.
TEST_F(SqlServerPathTest, ANamedInstanceIsReachedThroughTheBrowser) {
  const SqlBrowserStub browser(
      SqlBrowserStub::answerFor("SQLEXPRESS", server.port()),
      SqlServerBrowserPort);
  if (!browser.bound())
    GTEST_SKIP() << "UDP port 1434 of 127.0.0.1 is taken";
  const std::unique_ptr<DbEngine> engine = createDatabaseEngineFactory()(
      {"127.0.0.1\\SQLEXPRESS", "UFDATA", "sa", "secret"});
  EXPECT_EQ(engine->fetch("select 1", {}).rowCount(), 1);
  EXPECT_EQ(server.logins(), std::vector<QString>{"sa"});
}

// "取消" during a statement the server never answers: the driver's cancel
// from another thread ends it long before its time-out, and the
// connection serves the next statement. A server deaf to the cancel too
// cannot keep the window: it is released after the grace, the connection
// is dropped, and the next statement logs in again.
TEST_F(SqlServerPathTest, ACancelEndsAStatementTheServerNeverAnswers) {
  const struct {
    const char *statement;
    size_t logins;
  } cases[] = {{"silent", 0}, {"deaf", 1}};
  connection.open();
  for (const auto &c : cases) {
    const size_t loginsBefore = server.logins().size();
    query.close();
    query.clearSql();
    query.addSqlLine(c.statement);
    QElapsedTimer sinceCancel;
    {
      LongWork work(nullptr, WorkKind::Query);
      QTimer::singleShot(100, [&] {
        sinceCancel.start();
        work.cancel();
      });
      EXPECT_THROW(query.open(&work), WorkCancelled) << c.statement;
    }
    // The measured figure is the benchmark's; this only tells a cancel
    // from the 30 s time-out.
    EXPECT_LT(sinceCancel.elapsed(), 3000) << c.statement;
    EXPECT_FALSE(query.active());
    query.close();
    query.clearSql();
    query.addSqlLine("select 1");
    LongWork next(nullptr, WorkKind::Query);
    query.open(&next);
    EXPECT_EQ(query.recordCount(), 1) << c.statement;
    EXPECT_EQ(server.logins().size() - loginsBefore, c.logins) << c.statement;
  }
}

// Nobody presses "取消": the statement time-out still ends the wait, as a
// failure, not as a cancel.
TEST_F(SqlServerPathTest, WithoutACancelTheStatementTimeOutStillEndsTheWait) {
  DbConnection timingOut([this](const DbLinkInfo &) {
    return std::make_unique<OdbcEngine>(
        sqlServerOdbcConnectionString(settings(), "FreeTDS"), 2s);
  });
  timingOut.setConnectionString("test", settings());
  Query silent("ado_test");
  silent.setConnection(&timingOut);
  silent.addSqlLine("silent");
  LongWork work(nullptr, WorkKind::Query);
  EXPECT_THROW(silent.open(&work), DatabaseError);
  EXPECT_FALSE(work.cancelled());
}

// The connection drops after the first row: an error, never one row shown
// as the whole result; the next statement logs in again.
TEST_F(SqlServerPathTest, AConnectionLostMidResultFailsTheStatement) {
  OdbcEngine engine = engineTimingOutAfter(5s);
  EXPECT_THROW(engine.fetch("drop", {}), DatabaseError);
  EXPECT_EQ(engine.fetch("select 1", {}).rowCount(), 1);
  EXPECT_EQ(server.logins().size(), 2u);
}

} // namespace
