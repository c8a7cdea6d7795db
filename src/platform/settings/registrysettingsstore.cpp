#include "platform/settings/registrysettingsstore.h"

#ifdef Q_OS_WIN

#include "platform/errors.h"

#include <vector>

namespace {

// Read and write access with the right to create subkeys.
constexpr REGSAM FullAccess = 0xF003F;

const wchar_t *wide(const QString &text) {
  return reinterpret_cast<const wchar_t *>(text.utf16());
}

} // namespace

RegistrySettingsStore::~RegistrySettingsStore() { close(); }

void RegistrySettingsStore::close() {
  if (m_key)
    RegCloseKey(m_key);
  m_key = nullptr;
}

bool RegistrySettingsStore::openKey(const QString &path) {
  close();
  // The path is relative to HKEY_LOCAL_MACHINE even with a leading "\".
  QString subKey = path;
  while (subKey.startsWith(u'\\'))
    subKey.remove(0, 1);
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(subKey), 0, nullptr,
                                   REG_OPTION_NON_VOLATILE, FullAccess, nullptr,
                                   &key, nullptr);
  // A standard user may read the machine's settings but not change them:
  // the key is then open for reading, and every write fails before any
  // value is changed.
  if (status == ERROR_ACCESS_DENIED)
    status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(subKey), 0, KEY_READ, &key);
  if (status != ERROR_SUCCESS)
    return false;
  m_key = key;
  return true;
}

QString RegistrySettingsStore::readString(const QString &name) {
  const HKEY key = openedKey(name);
  DWORD type = 0;
  DWORD size = 0;
  LSTATUS status =
      RegQueryValueExW(key, wide(name), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND)
    return {};
  if (status != ERROR_SUCCESS)
    throw SettingsError(
        QStringLiteral("Cannot read registry value \"%1\"").arg(name));
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw SettingsError(
        QStringLiteral("Registry value \"%1\" is not a string").arg(name));
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  status = RegQueryValueExW(key, wide(name), nullptr, &type,
                            reinterpret_cast<BYTE *>(buffer.data()), &size);
  if (status != ERROR_SUCCESS)
    throw SettingsError(
        QStringLiteral("Cannot read registry value \"%1\"").arg(name));
  // The stored data may or may not end in NUL characters.
  QString value =
      QString::fromWCharArray(buffer.data(), qsizetype(size / sizeof(wchar_t)));
  const qsizetype end = value.indexOf(QChar(u'\0'));
  if (end >= 0)
    value.truncate(end);
  return value;
}

void RegistrySettingsStore::writeString(const QString &name,
                                        const QString &value) {
  const HKEY key = openedKey(name);
  const DWORD size = DWORD((value.size() + 1) * sizeof(wchar_t));
  const LSTATUS status =
      RegSetValueExW(key, wide(name), 0, REG_SZ,
                     reinterpret_cast<const BYTE *>(value.utf16()), size);
  if (status == ERROR_ACCESS_DENIED)
    throw SettingsError(
        QStringLiteral("Cannot write registry value \"%1\": only an "
                       "administrator may change the machine's settings")
            .arg(name));
  if (status != ERROR_SUCCESS)
    throw SettingsError(
        QStringLiteral("Cannot write registry value \"%1\"").arg(name));
}

HKEY RegistrySettingsStore::openedKey(const QString &name) const {
  if (!m_key)
    throw SettingsError(
        QStringLiteral("No registry key is open for value \"%1\"").arg(name));
  return m_key;
}

#endif
