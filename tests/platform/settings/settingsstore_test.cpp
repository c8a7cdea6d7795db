#include "platform/errors.h"
#include "platform/settings/inisettingsstore.h"
#include "support/filefaults.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("\\SOFTWARE\\TORVA\\BELKO\\DBLinkInfo");

class IniSettingsStoreTest : public ::testing::Test {
protected:
  // The four connection values written as the connection dialog does.
  void storeLinkValues(IniSettingsStore &store, const QStringList &values) {
    const char *names[] = {"dbserver", "dbdatabase", "dbuser", "dbpassword"};
    for (int i = 0; i < 4; ++i)
      store.writeString(names[i], values[i]);
  }

  QTemporaryDir dir;
  QString fileName = dir.filePath(QStringLiteral("etc/bomquery.ini"));
};

TEST_F(IniSettingsStoreTest, OpeningCreatesTheStoreAndMissingValuesReadEmpty) {
  IniSettingsStore store(fileName);
  ASSERT_TRUE(store.openKey(Key));
  EXPECT_TRUE(QFile::exists(fileName));
  EXPECT_EQ(store.readString(QStringLiteral("dbserver")), "");
}

// Whatever a user types into the connection dialog reads back exactly,
// written by one store and read by another.
TEST_F(IniSettingsStoreTest, EveryValueReadsBackExactly) {
  const QStringList values = {"host,1433",
                              "SERVER\\SQLEXPRESS",
                              "a;b",
                              "x=y==",
                              "\"quoted\"",
                              "#not a comment",
                              ";nor this",
                              "[not a section]",
                              "  blanks at both ends  ",
                              "\ttab\t",
                              "存货大类 物料清单",
                              "",
                              "line\nbreak\r\nand CR",
                              "\\n is no line break",
                              "ends in a backslash\\",
                              "@ByteArray(x)"};
  {
    IniSettingsStore store(fileName);
    ASSERT_TRUE(store.openKey(Key));
    for (qsizetype i = 0; i < values.size(); ++i)
      store.writeString(QStringLiteral("v%1").arg(i), values[i]);
  }
  IniSettingsStore store(fileName);
  ASSERT_TRUE(store.openKey(Key));
  for (qsizetype i = 0; i < values.size(); ++i)
    EXPECT_EQ(store.readString(QStringLiteral("v%1").arg(i)), values[i]) << i;
  ASSERT_TRUE(store.openKey(QStringLiteral("\\SOFTWARE\\Other")));
  EXPECT_EQ(store.readString(QStringLiteral("v0")), "");
}

// The form the README and scripts/demo-settings.sh describe, byte for byte.
TEST_F(IniSettingsStoreTest, TheFileHoldsOneLinePerValueUnderItsSection) {
  IniSettingsStore store(fileName);
  ASSERT_TRUE(store.openKey(Key));
  storeLinkValues(store, {"host,1433", "D:\\数据\\bom.db", "sa", " p;w "});
  ASSERT_TRUE(store.openKey(QStringLiteral("\\Top")));
  store.writeString(QStringLiteral("x"), QStringLiteral("a\nb"));
  EXPECT_EQ(contentOf(fileName),
            QStringLiteral(
                "[SOFTWARE]\n"
                "TORVA\\BELKO\\DBLinkInfo\\dbserver=host,1433\n"
                "TORVA\\BELKO\\DBLinkInfo\\dbdatabase=D:\\\\数据\\\\bom.db\n"
                "TORVA\\BELKO\\DBLinkInfo\\dbuser=sa\n"
                "TORVA\\BELKO\\DBLinkInfo\\dbpassword= p;w \n"
                "[Top]\n"
                "x=a\\nb\n")
                .toUtf8());
}

// Files written by hand, or by the demo script, in the same form.
TEST_F(IniSettingsStoreTest, HandWrittenFilesAreRead) {
  const struct {
    const char *text;
    const char *user;
  } files[] = {
      {"[SOFTWARE]\nTORVA\\BELKO\\DBLinkInfo\\dbuser=sa\n", "sa"},
      {"[SOFTWARE]\r\nTORVA\\BELKO\\DBLinkInfo\\dbuser=sa\r\n", "sa"},
      {"\xEF\xBB\xBF# comment\n; comment\n\n[ SOFTWARE/TORVA ]\n"
       " BELKO/DBLinkInfo/dbuser =sa\n",
       "sa"},
      {"SOFTWARE\\TORVA\\BELKO\\DBLinkInfo\\dbuser=top level\n", "top level"},
      {"[SOFTWARE\\TORVA\\BELKO\\DBLinkInfo]\ndbuser=first\ndbuser=last\n",
       "last"},
      {"[SOFTWARE]\nTORVA\\BELKO\\DBLinkInfo\\dbuser=\n", ""},
      {"[Other]\nTORVA\\BELKO\\DBLinkInfo\\dbuser=sa\n", ""},
  };
  ASSERT_TRUE(QDir().mkpath(dir.filePath("etc")));
  for (const auto &file : files) {
    ASSERT_TRUE(writeFile(fileName, file.text));
    IniSettingsStore store(fileName);
    ASSERT_TRUE(store.openKey(Key));
    EXPECT_EQ(store.readString(QStringLiteral("dbuser")),
              QString::fromUtf8(file.user))
        << file.text;
  }
}

#ifdef Q_OS_UNIX

// The demo script prints the file the program would write for the demo
// settings, and the program reads it.
TEST_F(IniSettingsStoreTest, TheDemoScriptPrintsWhatTheStoreWrites) {
  const QString database = dir.filePath(QStringLiteral("demo \\ 库.sqlite3"));
  ASSERT_TRUE(writeFile(database, ""));
  QProcess script;
  script.start(QStringLiteral("bash"),
               {QStringLiteral(BOMQUERY_SOURCE_DIR "/scripts/demo-settings.sh"),
                database});
  ASSERT_TRUE(script.waitForFinished(10000));
  ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().data();
  const QByteArray printed = script.readAllStandardOutput();

  IniSettingsStore store(fileName);
  ASSERT_TRUE(store.openKey(Key));
  storeLinkValues(store, {"embedded", database, "demo", ""});
  EXPECT_EQ(printed, contentOf(fileName));
  ASSERT_TRUE(writeFile(fileName, printed));
  EXPECT_EQ(store.readString(QStringLiteral("dbdatabase")), database);
}

#endif

// A file that is not in the store's form is an error to read, and the
// first save replaces it whole: all four values, nothing of the old bytes.
TEST_F(IniSettingsStoreTest, ACorruptFileIsAnErrorAndTheFirstSaveReplacesIt) {
  QByteArray binary("[SOFTWARE\n\x00\xff\xfe=\x81\x30\n\\u=\"", 20);
  binary += QByteArray(4096, '\xA5');
  const QByteArray corrupt[] = {
      binary,
      "[SOFTWARE]\nTORVA\\BELKO\\DBLinkInfo\\dbuser=sa\xff\n",
      "[SOFTWARE]\nTORVA\\BELKO\\DBLinkInfo\\dbuser=sa\nno value here\n",
      "[SOFTWARE]\nTORVA\\BELKO\\DBLinkInfo\\dbuser=a\\qb\n",
      "[SOFTWARE]\nTORVA\\BELKO\\DBLinkInfo\\dbuser=trailing\\\n",
      "[SOFTWARE\nTORVA\\BELKO\\DBLinkInfo\\dbuser=sa\n",
      "=sa\n",
  };
  const QStringList values = {"host,1433", "UFDATA", "sa", "pw"};
  ASSERT_TRUE(QDir().mkpath(dir.filePath("etc")));
  for (const QByteArray &bytes : corrupt) {
    SCOPED_TRACE(bytes.left(60).toStdString());
    ASSERT_TRUE(writeFile(fileName, bytes));
    IniSettingsStore store(fileName);
    ASSERT_TRUE(store.openKey(Key));
    EXPECT_THROW(store.readString(QStringLiteral("dbuser")), SettingsError);
    storeLinkValues(store, values);
    IniSettingsStore next(fileName);
    ASSERT_TRUE(next.openKey(Key));
    EXPECT_EQ(next.readString("dbserver"), values[0]);
    EXPECT_EQ(next.readString("dbdatabase"), values[1]);
    EXPECT_EQ(next.readString("dbuser"), values[2]);
    EXPECT_EQ(next.readString("dbpassword"), values[3]);
    EXPECT_EQ(contentOf(fileName).count('\n'), 5);
  }
}

TEST_F(IniSettingsStoreTest, StoreThatCannotBeCreatedDoesNotOpen) {
  // A regular file where the folder should be: not even root can create it.
  ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("etc")), "x"));
  IniSettingsStore store(fileName);
  EXPECT_FALSE(store.openKey(Key));
}

TEST_F(IniSettingsStoreTest, FolderInPlaceOfTheFileDoesNotOpen) {
  ASSERT_TRUE(QDir().mkpath(fileName));
  IniSettingsStore store(fileName);
  EXPECT_FALSE(store.openKey(Key));
}

TEST_F(IniSettingsStoreTest, FailedWriteRaisesSettingsError) {
  IniSettingsStore store(fileName);
  ASSERT_TRUE(store.openKey(Key));
  // The folder gives way to a regular file after opening, so the file can
  // no longer be written, whoever runs the test.
  ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("etc"))).removeRecursively());
  ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("etc")), "x"));
  EXPECT_THROW(store.writeString(QStringLiteral("dbuser"), QStringLiteral("u")),
               SettingsError);
}

#ifdef Q_OS_UNIX

// A file the user may read but not write (in a folder that takes no new
// files) is read; a save fails with an error and leaves it as it was.
TEST_F(IniSettingsStoreTest, AReadOnlyFileIsReadAndKeptAsItWas) {
  // Straight in the temporary folder: its parent lets every user in.
  const QString file = dir.filePath(QStringLiteral("bomquery.ini"));
  const QByteArray stored = "[SOFTWARE]\nTORVA\\BELKO\\DBLinkInfo\\dbuser=sa\n";
  ASSERT_TRUE(writeFile(file, stored));
  const bool refused = whereFolderRefusesNewFiles(dir.path(), {}, [&] {
    IniSettingsStore store(file);
    if (!store.openKey(Key) || store.readString("dbuser") != "sa")
      return false;
    try {
      store.writeString(QStringLiteral("dbuser"), QStringLiteral("new"));
    } catch (const SettingsError &) {
      return true;
    }
    return false;
  });
  EXPECT_TRUE(refused);
  EXPECT_EQ(contentOf(file), stored);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"bomquery.ini"});
}

#endif

TEST_F(IniSettingsStoreTest, NamesTheFileCannotHoldAreRefused) {
  IniSettingsStore store(fileName);
  EXPECT_FALSE(store.openKey(QStringLiteral("\\SOFTWARE\\a=b")));
  ASSERT_TRUE(store.openKey(Key));
  for (const char *name : {"", "a=b", " padded", "[x]", "#x", "a\nb"})
    EXPECT_THROW(store.writeString(name, "v"), SettingsError) << name;
}

TEST_F(IniSettingsStoreTest, ReadingOrWritingWithoutAnOpenKeyRaises) {
  IniSettingsStore store(fileName);
  EXPECT_THROW(store.readString(QStringLiteral("dbuser")), SettingsError);
  EXPECT_THROW(store.writeString(QStringLiteral("dbuser"), QString()),
               SettingsError);
}

TEST_F(IniSettingsStoreTest, MachineStoreFollowsTheEnvironment) {
  const QByteArray saved = qgetenv("BOMQUERY_SETTINGS_FILE");
  qputenv("BOMQUERY_SETTINGS_FILE", fileName.toLocal8Bit());
  const std::unique_ptr<SettingsStore> store = createMachineSettingsStore();
  if (saved.isNull())
    qunsetenv("BOMQUERY_SETTINGS_FILE");
  else
    qputenv("BOMQUERY_SETTINGS_FILE", saved);
  ASSERT_TRUE(store->openKey(Key));
  store->writeString(QStringLiteral("dbuser"), QStringLiteral("sa"));
  EXPECT_TRUE(contentOf(fileName).contains("dbuser=sa"));
}

} // namespace
