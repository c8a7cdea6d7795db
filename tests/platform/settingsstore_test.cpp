#include "platform/errors.h"
#include "platform/inisettingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("\\SOFTWARE\\TORVA\\BELKO\\DBLinkInfo");

void writeFile(const QString &fileName, const QByteArray &bytes) {
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray readFile(const QString &fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class IniSettingsStoreTest : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString fileName = dir.filePath(QStringLiteral("etc/bomquery.ini"));
};

TEST_F(IniSettingsStoreTest, OpeningCreatesTheStoreAndMissingValuesReadEmpty) {
  IniSettingsStore store(fileName);
  ASSERT_TRUE(store.openKey(Key));
  EXPECT_TRUE(QFile::exists(fileName));
  EXPECT_EQ(store.readString(QStringLiteral("dbserver")), "");
}

TEST_F(IniSettingsStoreTest, ValuesRoundTripUnderTheKeyPath) {
  const QStringList values = {QStringLiteral("host,1433"),
                              QStringLiteral("a;b=c"),
                              QStringLiteral("  padded  "),
                              QStringLiteral("存货\\\"quoted\""), QString()};
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
  EXPECT_TRUE(readFile(fileName).contains("TORVA\\BELKO\\DBLinkInfo\\v0="));
}

TEST_F(IniSettingsStoreTest, StoreThatCannotBeCreatedDoesNotOpen) {
  // A regular file where the folder should be: not even root can create it.
  writeFile(dir.filePath(QStringLiteral("etc")), "x");
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
  writeFile(dir.filePath(QStringLiteral("etc")), "x");
  EXPECT_THROW(store.writeString(QStringLiteral("dbuser"), QStringLiteral("u")),
               SettingsError);
}

TEST_F(IniSettingsStoreTest, ValueThatIsNotTextRaisesSettingsError) {
  ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("etc"))));
  writeFile(fileName, "[SOFTWARE]\nTORVA\\BELKO\\DBLinkInfo\\dbserver=a,b\n"
                      "TORVA\\BELKO\\DBLinkInfo\\dbuser=sa\n");
  IniSettingsStore store(fileName);
  ASSERT_TRUE(store.openKey(Key));
  EXPECT_EQ(store.readString(QStringLiteral("dbuser")), "sa");
  EXPECT_THROW(store.readString(QStringLiteral("dbserver")), SettingsError);
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
  EXPECT_TRUE(readFile(fileName).contains("dbuser=sa"));
}

} // namespace
