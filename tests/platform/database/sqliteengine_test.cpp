#include "platform/database/createdatabaseenginefactory.h"
#include "platform/database/sqliteengine.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"
#include "platform/longwork/workprogress.h"
#include "support/demodatabase.h"
#include "support/qtprint.h"

#include <QFile>
#include <gtest/gtest.h>
#include <thread>

namespace {

int componentRows(SqliteEngine &engine) {
  return int(engine.fetch("select count(*) from bom_opcomponent", {})
                 .column(0)
                 .integer(0));
}

TEST(SqliteEngineTest, RefusesAMissingFileWithoutCreatingIt) {
  const QString path = QStringLiteral(BOMQUERY_BINARY_DIR "/no-such.sqlite3");
  EXPECT_THROW(SqliteEngine{path}, DatabaseError);
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_THROW(SqliteEngine{QString()}, DatabaseError);
}

TEST(SqliteEngineTest, OnlyReads) {
  SqliteEngine engine(demoDatabasePath());
  const int before = componentRows(engine);
  for (const char *sql :
       {"delete from bom_opcomponent",
        "insert into Department values ('09', 'x')", "create table t (a)"}) {
    EXPECT_THROW(engine.fetch(QString::fromUtf8(sql), {}), DatabaseError)
        << sql;
  }
  EXPECT_EQ(componentRows(engine), before);
}

TEST(SqliteEngineTest, RefusesASecondStatementInsteadOfIgnoringIt) {
  SqliteEngine engine(demoDatabasePath());
  EXPECT_THROW(engine.fetch("select 1; select 2", {}), DatabaseError);
  EXPECT_EQ(engine.fetch("select 1;  -- done", {}).rowCount(), 1);
  EXPECT_THROW(engine.fetch("  ", {}), DatabaseError);
}

TEST(SqliteEngineTest, ReportsSqlErrorsWithSqliteMessage) {
  SqliteEngine engine(demoDatabasePath());
  try {
    engine.fetch("select MissingColumn from bom_bom", {});
    FAIL() << "no error";
  } catch (const DatabaseError &error) {
    EXPECT_TRUE(error.message().contains("no such column")) << error.what();
  }
}

TEST(SqliteEngineTest, UndeclaredColumnsTakeTheTypeOfTheirFirstValue) {
  SqliteEngine engine(demoDatabasePath());
  const ResultTable table = engine.fetch(
      "select 1 as i, 2.5 as r, 'x' as t, null as n, BomId from bom_bom "
      "where BomId < 0",
      {});
  EXPECT_EQ(table.rowCount(), 0);
  EXPECT_EQ(table.columnCount(), 5);
  EXPECT_EQ(table.column(4).name(), "BomId");

  const ResultTable typed =
      engine.fetch("select 1 as i, 2.5 as r, 'x' as t, null as n", {});
  EXPECT_EQ(typed.column(0).type(), FieldType::Integer);
  EXPECT_EQ(typed.column(1).type(), FieldType::Float);
  EXPECT_EQ(typed.column(2).type(), FieldType::WideString);
  EXPECT_EQ(typed.column(3).type(), FieldType::WideString);
  EXPECT_TRUE(typed.column(3).isNull(0));
}

TEST(SqliteEngineTest, DeclaredColumnsAreConvertedWhateverSqliteHolds) {
  SqliteEngine engine(demoDatabasePath());
  const std::vector<FieldDef> declared{
      {"Q", FieldType::BCD, 6, 28},        {"Big", FieldType::BCD, 6, 28},
      {"Text", FieldType::WideString, 20}, {"Whole", FieldType::Integer},
      {"Day", FieldType::DateTime},        {"Flag", FieldType::Boolean}};
  const ResultTable table = engine.fetch(
      "select 0.1 * 3 as q, 1e30 as big, 12 as text, '42' as whole, "
      "'2022-12-31 17:30:00' as day, 1 as flag",
      declared);
  EXPECT_EQ(table.column(0).type(), FieldType::BCD);
  EXPECT_EQ(table.column(0).precision(), 28);
  EXPECT_EQ(table.column(0).integer(0), 3000);
  EXPECT_TRUE(table.column(1).isOverflow(0));
  EXPECT_EQ(table.column(2).text(0), u"12");
  EXPECT_EQ(table.column(3).integer(0), 42);
  EXPECT_GT(table.column(4).real(0), 44926.72);
  EXPECT_LT(table.column(4).real(0), 44926.73);
  EXPECT_EQ(table.column(5).integer(0), 1);

  EXPECT_THROW(engine.fetch("select 'abc' as whole", declared), DatabaseError);
}

TEST(SqliteEngineTest, WideTextPassesThroughCodePage936) {
  SqliteEngine engine(demoDatabasePath());
  const ResultTable table = engine.fetch(
      "select cInvName from inventory where cInvAddCode = 'BZ-TZ-018'", {});
  ASSERT_EQ(table.rowCount(), 1);
  EXPECT_EQ(table.column(0).text(0), u"笑脸贴纸?");
}

TEST(SqliteEngineTest, RunsProceduresStoredInTheDatabase) {
  SqliteEngine engine(demoDatabasePath());
  // The procedure's statement binds its three arguments.
  const ResultTable none =
      engine.fetch("EXEC   pellamar_expandcompqty   0, 0, 0", {});
  EXPECT_EQ(none.rowCount(), 0);
  EXPECT_EQ(none.columnCount(), 26);

  EXPECT_THROW(engine.fetch("exec NoSuchProcedure 1", {}), DatabaseError);
  EXPECT_THROW(engine.fetch("exec Pellamar_ExpandCompQty 1,2", {}),
               DatabaseError);
  EXPECT_THROW(engine.fetch("exec Pellamar_ExpandCompQty 1,2,3,4", {}),
               DatabaseError);
}

TEST(SqliteEngineTest, AQueryFailsWhenADeclaredColumnIsMissing) {
  DbConnection connection(createDatabaseEngineFactory());
  connection.setConnectionString("demo", demoLinkInfo());
  Query query("ado_test");
  query.setConnection(&connection);
  query.addSqlLine("select BomId, Version from bom_bom");
  query.declareField({"BomId", FieldType::Integer});
  query.open();
  EXPECT_EQ(query.recordCount(), 83);
  query.close();
  query.declareField({"Status2", FieldType::Integer});
  EXPECT_THROW(query.open(), DatabaseError);
  EXPECT_FALSE(query.active());
}

// A statement that computes for some seconds before its one row. The
// cancel stops it inside SQLite, whether it comes while the statement runs
// (with or without the interrupt call) or before it started, and the engine
// serves the next statement.
TEST(SqliteEngineTest, ACancelStopsAStatementInsideSqlite) {
  const QString counting = QStringLiteral(
      "with recursive n(i) as (select 1 union all select i + 1 from n "
      "where i < 100000000) select count(*) from n");
  const struct {
    const char *name;
    int cancelAfterMs; // -1: before the statement starts
    bool interrupt;
  } cases[] = {{"before the start", -1, false},
               {"interrupted while running", 50, true},
               {"flag only, while running", 50, false}};
  SqliteEngine engine(demoDatabasePath());
  for (const auto &c : cases) {
    WorkProgress progress;
    engine.setProgress(&progress);
    if (c.cancelAfterMs < 0)
      progress.cancel();
    std::thread canceller([&] {
      if (c.cancelAfterMs < 0)
        return;
      std::this_thread::sleep_for(std::chrono::milliseconds(c.cancelAfterMs));
      progress.cancel();
      if (c.interrupt)
        engine.interrupt();
    });
    EXPECT_THROW(engine.fetch(counting, {}), WorkCancelled) << c.name;
    canceller.join();
    engine.setProgress(nullptr);
    EXPECT_EQ(engine.fetch("select 7", {}).column(0).integer(0), 7) << c.name;
  }
}

TEST(DatabaseEngineFactoryTest, EmbeddedInAnyCaseOpensTheSqliteFile) {
  const DbEngineFactory factory = createDatabaseEngineFactory();
  for (const char *server : {"embedded", "EMBEDDED", "Embedded"}) {
    DbLinkInfo info = demoLinkInfo();
    info.server = QString::fromUtf8(server);
    const std::unique_ptr<DbEngine> engine = factory(info);
    EXPECT_EQ(engine->fetch("select 1", {}).rowCount(), 1) << server;
  }
}

} // namespace

#ifdef Q_OS_UNIX
#include "support/filefaults.h"

#include <QTemporaryDir>

// A database file whose read permission is taken away while it is open: the
// open handle goes on reading (the system checks permissions only when a file
// is opened), and a new connection, as the connection dialog makes, is
// refused until the permission is back. Run as an unprivileged user, since
// root reads any file.
TEST(SqliteEngineTest, AFileMadeUnreadableKeepsItsOpenHandleAndRefusesNewOnes) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("demo.sqlite3"));
  ASSERT_TRUE(QFile::copy(demoDatabasePath(), path));
  const bool asExpected =
      whereFolderRefusesNewFiles(folder.path(), {path}, [&] {
        try {
          SqliteEngine engine(path);
          const int before = componentRows(engine);
          QFile::setPermissions(path, QFileDevice::Permissions());
          const bool openHandleReads = componentRows(engine) == before;
          bool reconnectRefused = false;
          try {
            SqliteEngine second(path);
            componentRows(second);
          } catch (const DatabaseError &) {
            reconnectRefused = true;
          }
          QFile::setPermissions(path, QFileDevice::ReadOwner |
                                          QFileDevice::WriteOwner);
          SqliteEngine third(path);
          return openHandleReads && reconnectRefused &&
                 componentRows(third) == before;
        } catch (const DatabaseError &) {
          return false;
        }
      });
  EXPECT_TRUE(asExpected);
}
#endif
