#include "connection/linksettings.h"
#include "platform/errors.h"
#include "platform/settings/inisettingsstore.h"
#include "support/fakesettingsstore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const DbLinkInfo Stored{QStringLiteral("srv"), QStringLiteral("db"),
                        QStringLiteral("sa"), QStringLiteral("pw")};

void store(FakeSettingsStore &settings, const DbLinkInfo &info) {
  settings.values = {{QStringLiteral("dbserver"), info.server},
                     {QStringLiteral("dbdatabase"), info.database},
                     {QStringLiteral("dbuser"), info.user},
                     {QStringLiteral("dbpassword"), info.password}};
}

TEST(BuildConnectionString, SplicesTheValuesInUnquoted) {
  EXPECT_EQ(BuildConnectionString(Stored),
            "Provider=sqloledb;uid=sa;database=db;server=srv;pwd=pw");
  const DbLinkInfo odd{QStringLiteral(" host\\inst "), QStringLiteral("d;b"),
                       QString(), QStringLiteral("p;w=\"x\"")};
  EXPECT_EQ(BuildConnectionString(odd),
            "Provider=sqloledb;uid=;database=d;b;server= host\\inst ;"
            "pwd=p;w=\"x\"");
}

TEST(ReadLinkSettings, ReadsInTheOrderOfEachReader) {
  FakeSettingsStore settings;
  store(settings, Stored);
  DbLinkInfo info;
  ReadLinkSettings(settings, LinkReadOrder::MainWindow, info);
  EXPECT_EQ(info, Stored);
  EXPECT_EQ(settings.openedPaths, QStringList{LinkSettingsKey});
  EXPECT_EQ(settings.reads,
            (QStringList{"dbuser", "dbdatabase", "dbserver", "dbpassword"}));

  settings.reads.clear();
  DbLinkInfo dialog;
  ReadLinkSettings(settings, LinkReadOrder::Dialog, dialog);
  EXPECT_EQ(dialog, Stored);
  EXPECT_EQ(settings.reads,
            (QStringList{"dbserver", "dbdatabase", "dbuser", "dbpassword"}));
}

TEST(ReadLinkSettings, KeepsTheValuesReadBeforeAFailure) {
  const DbLinkInfo before{QStringLiteral("old-srv"), QStringLiteral("old-db"),
                          QStringLiteral("old-user"), QStringLiteral("old-pw")};
  FakeSettingsStore settings;
  store(settings, Stored);
  settings.failingRead = 3;

  DbLinkInfo info = before;
  EXPECT_THROW(ReadLinkSettings(settings, LinkReadOrder::MainWindow, info),
               SettingsError);
  EXPECT_EQ(info, (DbLinkInfo{before.server, Stored.database, Stored.user,
                              before.password}));

  settings.reads.clear();
  info = before;
  EXPECT_THROW(ReadLinkSettings(settings, LinkReadOrder::Dialog, info),
               SettingsError);
  EXPECT_EQ(info, (DbLinkInfo{Stored.server, Stored.database, before.user,
                              before.password}));
}

TEST(ReadLinkSettings, ReadsNothingWhenTheKeyDoesNotOpen) {
  FakeSettingsStore settings;
  store(settings, Stored);
  settings.refuseOpen = true;
  DbLinkInfo info{QStringLiteral("s"), {}, {}, {}};
  ReadLinkSettings(settings, LinkReadOrder::MainWindow, info);
  EXPECT_EQ(info, (DbLinkInfo{QStringLiteral("s"), {}, {}, {}}));
  EXPECT_TRUE(settings.reads.isEmpty());
}

TEST(WriteLinkSettings, WritesServerDatabaseUserPassword) {
  FakeSettingsStore settings;
  WriteLinkSettings(settings, Stored);
  EXPECT_EQ(settings.writes,
            (QStringList{"dbserver", "dbdatabase", "dbuser", "dbpassword"}));
  DbLinkInfo info;
  ReadLinkSettings(settings, LinkReadOrder::Dialog, info);
  EXPECT_EQ(info, Stored);

  FakeSettingsStore refusing;
  refusing.refuseOpen = true;
  WriteLinkSettings(refusing, Stored);
  EXPECT_TRUE(refusing.writes.isEmpty());
}

TEST(LinkSettings, RoundTripThroughTheIniStore) {
  QTemporaryDir dir;
  const QString fileName = dir.filePath(QStringLiteral("bomquery.ini"));
  const DbLinkInfo info{QStringLiteral("host,1433"), QStringLiteral("UFDATA"),
                        QStringLiteral("sa"), QStringLiteral("p;w")};
  IniSettingsStore writer(fileName);
  WriteLinkSettings(writer, info);
  IniSettingsStore reader(fileName);
  DbLinkInfo read;
  ReadLinkSettings(reader, LinkReadOrder::MainWindow, read);
  EXPECT_EQ(read, info);
  EXPECT_EQ(
      BuildConnectionString(read),
      "Provider=sqloledb;uid=sa;database=UFDATA;server=host,1433;pwd=p;w");
}

} // namespace
