// The registry store on the system's own registry (Windows only): each test
// works under a key of its own below HKEY_LOCAL_MACHINE\SOFTWARE and removes
// it afterwards.
#include <QtGlobal>

#ifdef Q_OS_WIN

#include "platform/errors.h"
#include "platform/settings/registrysettingsstore.h"

#include <QStringList>
#include <QUuid>
#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

namespace {

const wchar_t *wide(const QString &text) {
  return reinterpret_cast<const wchar_t *>(text.utf16());
}

class RegistrySettingsStoreTest : public ::testing::Test {
protected:
  ~RegistrySettingsStoreTest() override {
    secure(L"D:(A;OICI;KA;;;WD)");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, wide(subKey));
  }

  HKEY rawKey() {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(subKey), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }

  // Gives the key a security descriptor in the system's SDDL notation;
  // false when that fails.
  bool secure(const wchar_t *sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    HKEY key = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            sddl, SDDL_REVISION_1, &descriptor, nullptr))
      return false;
    const bool done = RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(subKey), 0,
                                    WRITE_DAC, &key) == ERROR_SUCCESS &&
                      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION,
                                        descriptor) == ERROR_SUCCESS;
    if (key)
      RegCloseKey(key);
    LocalFree(descriptor);
    return done;
  }

  const QString subKey = QStringLiteral("SOFTWARE\\bomquery-test\\") +
                         QUuid::createUuid().toString(QUuid::WithoutBraces);
  // As the program names its key: from the root, with a leading "\".
  const QString path = u'\\' + subKey;
};

// The four connection values, as a user may type them, read back exactly
// by a second store; the key did not exist before.
TEST_F(RegistrySettingsStoreTest, TheFourValuesReadBackExactlyFromANewKey) {
  const QStringList names = {"dbserver", "dbdatabase", "dbuser", "dbpassword"};
  const QStringList values = {QStringLiteral("SERVER\\SQLEXPRESS,1433"),
                              QStringLiteral("生产库 ERP;x=1"), QString(),
                              QStringLiteral("p\"w}{=%PATH%😀")};
  {
    RegistrySettingsStore store;
    ASSERT_TRUE(store.openKey(path));
    for (const QString &name : names)
      EXPECT_EQ(store.readString(name), QString()) << name.toStdString();
    for (int i = 0; i < 4; ++i)
      store.writeString(names[i], values[i]);
  }
  RegistrySettingsStore reader;
  ASSERT_TRUE(reader.openKey(path));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(reader.readString(names[i]), values[i]) << names[i].toStdString();
}

// Values written by other tools: expandable strings are text, left
// unexpanded; any other type is a settings error, not an empty value.
TEST_F(RegistrySettingsStoreTest, ValuesOfOtherTypes) {
  const HKEY key = rawKey();
  const wchar_t expandable[] = L"%SystemRoot%\\db";
  RegSetValueExW(key, L"dbdatabase", 0, REG_EXPAND_SZ,
                 reinterpret_cast<const BYTE *>(expandable), sizeof expandable);
  const DWORD number = 1433;
  RegSetValueExW(key, L"dbserver", 0, REG_DWORD,
                 reinterpret_cast<const BYTE *>(&number), sizeof number);
  RegCloseKey(key);

  RegistrySettingsStore store;
  ASSERT_TRUE(store.openKey(path));
  EXPECT_EQ(store.readString("dbdatabase"), "%SystemRoot%\\db");
  EXPECT_THROW(store.readString("dbserver"), SettingsError);
}

// A key the user may read but not change (the machine's settings for a
// standard user): it opens for reading, and a save fails with the reason
// and changes nothing.
TEST_F(RegistrySettingsStoreTest, AKeyTheUserMayNotWriteIsReadAndKept) {
  const HKEY key = rawKey();
  const wchar_t server[] = L"erp-db";
  RegSetValueExW(key, L"dbserver", 0, REG_SZ,
                 reinterpret_cast<const BYTE *>(server), sizeof server);
  RegCloseKey(key);
  // Everyone may read; nobody may write.
  ASSERT_TRUE(secure(L"D:P(A;;KR;;;WD)"));

  RegistrySettingsStore store;
  ASSERT_TRUE(store.openKey(path));
  EXPECT_EQ(store.readString("dbserver"), "erp-db");
  try {
    store.writeString("dbserver", "other");
    ADD_FAILURE() << "the write was reported as done";
  } catch (const SettingsError &error) {
    EXPECT_TRUE(QString::fromUtf8(error.what()).contains("administrator"))
        << error.what();
  }
  RegistrySettingsStore reader;
  ASSERT_TRUE(reader.openKey(path));
  EXPECT_EQ(reader.readString("dbserver"), "erp-db");
}

// A key that may not even be read does not open; nothing is read from it.
TEST_F(RegistrySettingsStoreTest, AKeyTheUserMayNotReadDoesNotOpen) {
  RegCloseKey(rawKey());
  ASSERT_TRUE(secure(L"D:P"));
  RegistrySettingsStore store;
  EXPECT_FALSE(store.openKey(path));
  EXPECT_THROW(store.readString("dbserver"), SettingsError);
}

} // namespace

#endif
