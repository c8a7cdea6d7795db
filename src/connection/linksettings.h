#pragma once

#include "platform/settings/dblinkinfo.h"
#include "platform/settings/settingsstore.h"

#include <QString>

// Key path of the stored connection settings.
inline const QString LinkSettingsKey =
    QStringLiteral("\\SOFTWARE\\TORVA\\BELKO\\DBLinkInfo");

// The two readers read the values in different orders; the order matters
// because the values read before a failing one are kept.
enum class LinkReadOrder {
  MainWindow, // user, database, server, password
  Dialog,     // server, database, user, password
};

// Reads the stored settings into `info`, one value at a time. Reads nothing
// when the key cannot be opened. Throws SettingsError from the store; the
// values read before it stay in `info`.
void ReadLinkSettings(SettingsStore &store, LinkReadOrder order,
                      DbLinkInfo &info);

// Writes dbserver, dbdatabase, dbuser, dbpassword, in this order. Writes
// nothing when the key cannot be opened. Throws SettingsError.
void WriteLinkSettings(SettingsStore &store, const DbLinkInfo &info);

// "Provider=sqloledb;uid=U;database=D;server=S;pwd=P", the values spliced in
// as they are, without quoting.
QString BuildConnectionString(const DbLinkInfo &info);
