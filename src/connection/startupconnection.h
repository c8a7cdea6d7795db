#pragma once

#include "platform/settings/dblinkinfo.h"

#include <QStringList>
#include <optional>

class DbConnection;
class LongWork;
class Query;
class SettingsStore;

// The steps of the main window's start-up connection, in the order the
// window calls them; it shows the message of a failed step and stops, except
// after the first.

// Reads the stored settings in the main window's order into `info`. False
// when the store raised SettingsError: the values read before it stay, the
// window shows StartupSettingsErrorText and goes on.
bool readStartupSettings(SettingsStore &store, DbLinkInfo &info);

enum class StartupConnectResult {
  Connected,
  // No user name stored: nothing was assigned to the connection.
  NoUser,
  // The connection string was assigned, but opening was refused.
  Refused,
};

// Assigns the connection string of `info` (the values as read, untrimmed)
// to `connection` and opens it, the login running as part of `work` when
// given. The window shows StartupConnectFailedText for anything but
// Connected, unless `work` says the user cancelled the login.
StartupConnectResult connectAtStartup(DbConnection &connection,
                                      const DbLinkInfo &info,
                                      LongWork *work = nullptr);

// Runs the class-list query on `query` (the auxiliary query ado_info) and
// returns cInvCName of every row: the leaf classes in class-code order, a
// name under two codes twice. Empty when the query could not be opened; the
// window then shows ClassListFailedText and does not start its timer. An
// error after opening (no cInvCName in the result, a value that cannot be
// read) is not that failure: it passes on to the default error display.
// The fetch runs as part of `work` when given (Query::open).
std::optional<QStringList> loadClassNames(Query &query,
                                          LongWork *work = nullptr);
