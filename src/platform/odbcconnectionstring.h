#pragma once

#include "platform/dblinkinfo.h"

#include <QString>
#include <QStringView>

// "{value}" with every "}" doubled: ODBC's quoting of a connection-string
// value, inside which ";", "=" and "{" mean nothing.
QString odbcQuoted(QStringView value);

// The ODBC driver that reaches SQL Server: the environment variable
// BOMQUERY_ODBC_DRIVER when set, otherwise "SQL Server" on Windows (present
// on every installation) and "FreeTDS" elsewhere.
QString sqlServerOdbcDriver();

// A complete ODBC connection string for the SQL Server that `info` names,
// through `driver`, every value quoted. FreeTDS also gets UTF-8 as its
// client character set and a fixed protocol version.
QString sqlServerOdbcConnectionString(const DbLinkInfo &info,
                                      const QString &driver);
