#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The text of the settings file: UTF-8, one item a line.
//
//   [SOFTWARE]
//   TORVA\BELKO\DBLinkInfo\dbserver=host,1433
//
// A "[section]" line starts a section; a "key=value" line stores the value
// under the section's key path followed by the key's (path components are
// separated by "\", "/" is read as "\" too). The value is everything after
// the first "=" up to the end of the line, exactly: no blanks are removed,
// no quotes mean anything, and ",", ";", "=", "#" and "\"" are plain text.
// Only "\" starts an escape: "\\" is a backslash, "\n" a line feed, "\r" a
// carriage return. Blank lines and lines starting with "#" or ";" are
// skipped; a line may end in CR LF. When a key occurs twice, the later
// value counts.
class SettingsFile {
public:
  struct Entry {
    QString key; // path components joined by "\"
    QString value;
  };

  // Reads `bytes`; throws SettingsError naming `fileName` and the line for
  // text that is not in this form (not UTF-8, a line that is no section and
  // no key=value, an unknown escape).
  static SettingsFile parse(const QByteArray &bytes, const QString &fileName);

  // The value stored under `key`; empty when there is none.
  QString value(const QString &key) const;
  // Stores `value` under `key`, in place of an earlier one.
  void setValue(const QString &key, const QString &value);

  // The file's text: the entries section by section, each section under
  // the first component of its keys, in the order they first appeared.
  QByteArray toBytes() const;

private:
  QList<Entry> m_entries;
};

// The components of a key path ("\SOFTWARE\TORVA" or "SOFTWARE/TORVA"),
// empty ones dropped.
QStringList settingsKeyComponents(QStringView path);

// Whether `name` can be a component of a key path in the file: not empty,
// no blanks at its ends, none of "\ / = [ ]" or a line break, and not
// starting with a comment mark.
bool isStorableSettingsName(QStringView name);
