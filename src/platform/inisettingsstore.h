#pragma once

#include "platform/settingsstore.h"

#include <QSettings>
#include <QString>
#include <memory>

// A settings store in an INI file: the key path becomes the group
// ("\SOFTWARE\TORVA\BELKO\DBLinkInfo" is "SOFTWARE/TORVA/BELKO/DBLinkInfo").
class IniSettingsStore final : public SettingsStore {
public:
  explicit IniSettingsStore(QString fileName);

  // Creates the file and its folder when missing, as a missing registry key
  // is created; false when that fails or the file cannot be read.
  bool openKey(const QString &path) override;
  // Throws SettingsError for a value that is not text (a list, for instance)
  // and when no key is open.
  QString readString(const QString &name) override;
  // Writes the file at once; throws SettingsError when that fails.
  void writeString(const QString &name, const QString &value) override;

private:
  QSettings &openSettings();

  QString m_fileName;
  std::unique_ptr<QSettings> m_settings;
};
