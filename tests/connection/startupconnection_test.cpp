#include "connection/linksettings.h"
#include "connection/startupconnection.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"
#include "platform/settings/settingsstore.h"
#include "support/demodatabase.h"
#include "support/fakeengine.h"
#include "support/fakesettingsstore.h"
#include "support/qtprint.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(StartupSettingsTest, KeepsTheValuesReadBeforeAnError) {
  const QMap<QString, QString> stored{{"dbuser", " sa "},
                                      {"dbdatabase", "UFDATA"},
                                      {"dbserver", "erp"},
                                      {"dbpassword", "x"}};
  FakeSettingsStore store;
  store.values = stored;
  DbLinkInfo info;
  EXPECT_TRUE(readStartupSettings(store, info));
  EXPECT_EQ(info, (DbLinkInfo{"erp", "UFDATA", " sa ", "x"}));

  // The main window reads user, database, server, password in this order.
  FakeSettingsStore failing;
  failing.values = stored;
  failing.failingRead = 3;
  DbLinkInfo partial;
  EXPECT_FALSE(readStartupSettings(failing, partial));
  EXPECT_EQ(partial, (DbLinkInfo{"", "UFDATA", " sa ", ""}));
}

class StartupConnectTest : public ::testing::Test {
protected:
  std::shared_ptr<FakeDatabase> database = std::make_shared<FakeDatabase>();
  DbConnection connection{fakeEngineFactory(database)};
};

TEST_F(StartupConnectTest, AnEmptyUserStopsBeforeAssigningAnything) {
  EXPECT_EQ(connectAtStartup(connection, {"erp", "UFDATA", "", "x"}),
            StartupConnectResult::NoUser);
  EXPECT_TRUE(connection.connectionString().isEmpty());
  EXPECT_FALSE(connection.connected());
}

TEST_F(StartupConnectTest, AssignsTheUntrimmedConnectionStringAndOpens) {
  const DbLinkInfo info{" erp;x ", "UFDATA", " sa", "p;w}d"};
  EXPECT_EQ(connectAtStartup(connection, info),
            StartupConnectResult::Connected);
  EXPECT_EQ(connection.connectionString(), BuildConnectionString(info));
  EXPECT_TRUE(connection.connected());
}

TEST_F(StartupConnectTest, ARefusedLoginIsReported) {
  database->refuseLogin = true;
  EXPECT_EQ(connectAtStartup(connection, {"erp", "UFDATA", "sa", ""}),
            StartupConnectResult::Refused);
  EXPECT_FALSE(connection.connected());
}

TEST(StartupConnectDatabaseTest, AMissingDemoFileIsRefusedAndNotCreated) {
  DbConnection connection(demoEngineFactory(DemoEngine::Embedded));
  const QString path = QStringLiteral(BOMQUERY_BINARY_DIR "/missing.sqlite3");
  EXPECT_EQ(connectAtStartup(connection, {"embedded", path, "demo", ""}),
            StartupConnectResult::Refused);
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(connectAtStartup(connection, demoLinkInfo()),
            StartupConnectResult::Connected);
}

class ClassListTest : public ::testing::TestWithParam<DemoEngine> {};

TEST_P(ClassListTest, ListsLeafClassNamesInCodeOrder) {
  DbConnection connection(demoEngineFactory(GetParam()));
  ASSERT_EQ(connectAtStartup(connection, demoLinkInfo()),
            StartupConnectResult::Connected);
  Query info(QStringLiteral("ado_info"));
  info.setConnection(&connection);
  const std::optional<QStringList> names = loadClassNames(info);
  ASSERT_TRUE(names);
  EXPECT_EQ(*names, (QStringList{"钢材", "铝材", "分立元件", "集成电路",
                                 "紧固件", "轴承及密封件", "轴类", "壳体",
                                 "电路板组件", "传动组件", "减速机", "控制柜",
                                 "紧固件", "包装材料"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, ClassListTest, everyDemoEngine,
                         demoEngineName);

TEST(ClassListFailureTest, SendsTheFourLinesAndReportsAFailure) {
  auto database = std::make_shared<FakeDatabase>();
  DbConnection connection(fakeEngineFactory(database));
  connection.setConnectionString(QStringLiteral("test"), DbLinkInfo());
  Query info(QStringLiteral("ado_info"));
  info.setConnection(&connection);

  database->table = makeTable({{"cInvCName", FieldType::WideString},
                               {"cinvCCode", FieldType::WideString}},
                              {});
  EXPECT_EQ(loadClassNames(info), QStringList());
  EXPECT_EQ(database->statements.last(),
            "select distinct  cInvCName,cinvCCode    \r\n"
            "from InventoryClass  \r\n"
            "where binvCEnd =1    \r\n"
            "order by cinvCCode   ");

  database->failStatementsWith = QStringLiteral("Invalid object name");
  EXPECT_FALSE(loadClassNames(info));
}

// The class-list message stands for a list that could not be read at all;
// a result that opened but lacks the class name is another error, passed on.
TEST(ClassListFailureTest, AnErrorAfterOpeningIsPassedOn) {
  auto database = std::make_shared<FakeDatabase>();
  DbConnection connection(fakeEngineFactory(database));
  connection.setConnectionString(QStringLiteral("test"), DbLinkInfo());
  Query info(QStringLiteral("ado_info"));
  info.setConnection(&connection);
  database->table = makeTable({{"cinvCCode", FieldType::WideString}},
                              {{QStringLiteral("0101")}});
  EXPECT_THROW(loadClassNames(info), DatabaseError);
}

} // namespace
