#include "platform/inisettingsstore.h"

#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

IniSettingsStore::IniSettingsStore(QString fileName)
    : m_fileName(std::move(fileName)) {}

bool IniSettingsStore::openKey(const QString &path) {
  m_settings.reset();
  const QFileInfo info(m_fileName);
  if (!QDir().mkpath(info.absolutePath()))
    return false;
  if (!info.exists() && !QFile(m_fileName).open(QIODevice::WriteOnly))
    return false;
  auto settings = std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
  if (settings->status() != QSettings::NoError)
    return false;
  const QString group = QString(path)
                            .replace(u'\\', u'/')
                            .split(u'/', Qt::SkipEmptyParts)
                            .join(u'/');
  if (!group.isEmpty())
    settings->beginGroup(group);
  m_settings = std::move(settings);
  return true;
}

QString IniSettingsStore::readString(const QString &name) {
  const QVariant value = openSettings().value(name);
  if (!value.isValid())
    return {};
  if (value.typeId() != QMetaType::QString)
    throw SettingsError(
        QStringLiteral("Settings value \"%1\" in %2 is not text")
            .arg(name, m_fileName));
  return value.toString();
}

void IniSettingsStore::writeString(const QString &name, const QString &value) {
  QSettings &settings = openSettings();
  settings.setValue(name, value);
  settings.sync();
  if (settings.status() != QSettings::NoError)
    throw SettingsError(
        QStringLiteral("Cannot write settings value \"%1\" to %2")
            .arg(name, m_fileName));
}

QSettings &IniSettingsStore::openSettings() {
  if (!m_settings)
    throw SettingsError(
        QStringLiteral("No settings key is open in %1").arg(m_fileName));
  return *m_settings;
}
