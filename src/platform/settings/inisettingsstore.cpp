#include "platform/settings/inisettingsstore.h"

#include "platform/errors.h"
#include "platform/settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

IniSettingsStore::IniSettingsStore(QString fileName)
    : m_fileName(std::move(fileName)) {}

bool IniSettingsStore::openKey(const QString &path) {
  m_open = false;
  const QStringList components = settingsKeyComponents(path);
  if (!std::all_of(components.begin(), components.end(),
                   isStorableSettingsName))
    return false;
  if (!QDir().mkpath(QFileInfo(m_fileName).absolutePath()))
    return false;
  QFile file(m_fileName);
  const bool exists = QFileInfo::exists(m_fileName);
  if (!file.open(exists ? QIODevice::ReadOnly : QIODevice::WriteOnly))
    return false;
  m_keyPath = components.join(u'\\');
  m_open = true;
  return true;
}

QString IniSettingsStore::readString(const QString &name) {
  const QString key = keyOf(name);
  return SettingsFile::parse(fileBytes(), m_fileName).value(key);
}

void IniSettingsStore::writeString(const QString &name, const QString &value) {
  const QString key = keyOf(name);
  if (!isStorableSettingsName(name))
    throw SettingsError(
        QStringLiteral("\"%1\" cannot be a settings value name").arg(name));
  SettingsFile content;
  const QByteArray old = fileBytes();
  try {
    content = SettingsFile::parse(old, m_fileName);
  } catch (const SettingsError &) {
    // Not in the file's form: replaced by the values stored from now on.
  }
  content.setValue(key, value);

  QSaveFile file(m_fileName);
  file.setDirectWriteFallback(true);
  const QByteArray bytes = content.toBytes();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
      !file.commit())
    throw SettingsError(
        QStringLiteral("Cannot write settings value \"%1\" to %2: %3")
            .arg(name, m_fileName, file.errorString()));
}

QByteArray IniSettingsStore::fileBytes() const {
  QFile file(m_fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    if (!file.exists())
      return {};
    throw SettingsError(QStringLiteral("Cannot read settings file %1: %2")
                            .arg(m_fileName, file.errorString()));
  }
  return file.readAll();
}

QString IniSettingsStore::keyOf(const QString &name) const {
  if (!m_open)
    throw SettingsError(
        QStringLiteral("No settings key is open in %1").arg(m_fileName));
  return m_keyPath.isEmpty() ? name : m_keyPath + u'\\' + name;
}
