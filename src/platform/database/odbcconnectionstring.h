#pragma once

#include "platform/settings/dblinkinfo.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// "{value}" with every "}" doubled: ODBC's quoting of a connection-string
// value, inside which ";", "=" and "{" mean nothing.
QString odbcQuoted(QStringView value);

// The ODBC driver that reaches SQL Server: the environment variable
// BOMQUERY_ODBC_DRIVER when set, otherwise "SQL Server" on Windows (present
// on every installation) and "FreeTDS" elsewhere.
QString sqlServerOdbcDriver();

// Whether `driver` names FreeTDS.
bool isFreeTdsDriver(const QString &driver);

// The TDS protocol version FreeTDS speaks: the environment variable
// BOMQUERY_TDS_VERSION when set, otherwise "7.4" (SQL Server 2012 and
// later). Older servers need an older one: 7.1 for SQL Server 2000, 7.2 for
// 2005, 7.3 for 2008. For any other value than acceptedTdsProtocolVersions()
// writes the reason on standard error and throws DatabaseError with it.
QString tdsProtocolVersion();

// The values BOMQUERY_TDS_VERSION may take: 7.0 to 7.4.
const QStringList &acceptedTdsProtocolVersions();

// A complete ODBC connection string for the SQL Server that `info` names,
// through `driver`, every value quoted. FreeTDS also gets UTF-8 as its
// client character set and the protocol version tdsProtocolVersion().
QString sqlServerOdbcConnectionString(const DbLinkInfo &info,
                                      const QString &driver);
