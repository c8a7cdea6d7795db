#pragma once

#include "platform/settings/settingsstore.h"

#include <QString>

// A settings store in a text file of our own INI-like form (see
// platform/settings/settingsfile.h): the key path gives the section and the key
// ("\SOFTWARE\TORVA\BELKO\DBLinkInfo" and "dbuser" are the line
// "TORVA\BELKO\DBLinkInfo\dbuser=..." in section "[SOFTWARE]"). Every value
// reads back exactly as it was written. The file is read afresh for every
// value and written whole for every value stored.
class IniSettingsStore final : public SettingsStore {
public:
  explicit IniSettingsStore(QString fileName);

  // Creates the file (empty) and its folder when missing, as a missing
  // registry key is created; false when that fails, when the file cannot be
  // read, or when the path has a component the file cannot hold.
  bool openKey(const QString &path) override;
  // Throws SettingsError when the file cannot be read or is not in the
  // file's form, and when no key is open.
  QString readString(const QString &name) override;
  // Writes the whole file anew through a temporary file put in its place
  // (in place when the folder refuses new files but the file may be
  // written), keeping the other values it holds. A file that is not in the
  // file's form is replaced whole: the first value stored makes it a valid
  // file again. Throws SettingsError when the file cannot be read or
  // written, or `name` cannot be stored; the file then stays as it was.
  void writeString(const QString &name, const QString &value) override;

private:
  // The file's bytes; none for a missing file. Throws SettingsError when
  // it cannot be read.
  QByteArray fileBytes() const;
  QString keyOf(const QString &name) const;

  QString m_fileName;
  QString m_keyPath; // the open key's components joined by "\"
  bool m_open = false;
};
