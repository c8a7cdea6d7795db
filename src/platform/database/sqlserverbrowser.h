#pragma once

#include <QString>
#include <QtGlobal>
#include <chrono>

// The SQL Server Browser of a host answers on UDP port 1434 which TCP port
// each named instance ("host\instance") listens on.
inline constexpr quint16 SqlServerBrowserPort = 1434;

// How long the browser is given. It answers within milliseconds on a
// network; the bound keeps a connection attempt to a named instance within
// the login time-out plus this second, where a driver left to ask by itself
// would wait 16 seconds for a browser that never answers.
inline constexpr std::chrono::milliseconds InstanceLookupTimeout{1000};

// The TCP port of `instance` on `host`, asked of the browser at
// `browserPort`, the question sent again every quarter second within
// `timeout`. Throws DatabaseError when no answer comes in time, the host
// refuses the question, or the answer names no TCP port for the instance.
quint16
sqlServerInstancePort(const QString &host, const QString &instance,
                      std::chrono::milliseconds timeout = InstanceLookupTimeout,
                      quint16 browserPort = SqlServerBrowserPort);

// The server setting with a named instance ("host\instance") replaced by
// "host,port" as the browser names it; any other setting (no instance, or
// a port given already) as it is. Throws as sqlServerInstancePort().
QString serverWithInstancePort(const QString &server);
