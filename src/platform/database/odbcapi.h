#pragma once

// The ODBC C interface: the driver manager of the system (odbc32 on
// Windows, unixODBC elsewhere). Windows' headers need windows.h first.
#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <QString>

// A handle's diagnostic records, their messages joined by line breaks, and
// the SQLSTATE of the first one.
struct OdbcDiagnostics {
  QString sqlState;
  QString message;
};
OdbcDiagnostics odbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// `text` as the wide characters ODBC takes; valid while `text` lives.
inline SQLWCHAR *odbcText(const QString &text) {
  static_assert(sizeof(SQLWCHAR) == sizeof(QChar));
  return reinterpret_cast<SQLWCHAR *>(const_cast<QChar *>(text.constData()));
}
