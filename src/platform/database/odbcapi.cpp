#include "platform/database/odbcapi.h"

OdbcDiagnostics odbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
  OdbcDiagnostics diagnostics;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLWCHAR state[6] = {};
    SQLINTEGER nativeError = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc =
        SQLGetDiagRecW(handleType, handle, record, state, &nativeError, message,
                       SQLSMALLINT(std::size(message)), &length);
    if (!SQL_SUCCEEDED(rc))
      break;
    if (record == 1)
      diagnostics.sqlState =
          QString::fromUtf16(reinterpret_cast<const char16_t *>(state), 5);
    if (!diagnostics.message.isEmpty())
      diagnostics.message += QLatin1Char('\n');
    diagnostics.message += QString::fromUtf16(
        reinterpret_cast<const char16_t *>(message),
        qMin<qsizetype>(length, qsizetype(std::size(message)) - 1));
  }
  if (diagnostics.message.isEmpty())
    diagnostics.message = QStringLiteral("The ODBC driver reported an error");
  return diagnostics;
}
