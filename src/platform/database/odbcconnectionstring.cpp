#include "platform/database/odbcconnectionstring.h"

#include "platform/errors.h"

#include <QStringList>
#include <cstdio>

QString odbcQuoted(QStringView value) {
  QString quoted = value.toString();
  quoted.replace(QLatin1Char('}'), QLatin1String("}}"));
  return QLatin1Char('{') + quoted + QLatin1Char('}');
}

QString sqlServerOdbcDriver() {
  const QString chosen = qEnvironmentVariable("BOMQUERY_ODBC_DRIVER");
  if (!chosen.isEmpty())
    return chosen;
#ifdef _WIN32
  return QStringLiteral("SQL Server");
#else
  return QStringLiteral("FreeTDS");
#endif
}

bool isFreeTdsDriver(const QString &driver) {
  return driver.compare(QLatin1String("FreeTDS"), Qt::CaseInsensitive) == 0;
}

const QStringList &acceptedTdsProtocolVersions() {
  static const QStringList versions = {"7.0", "7.1", "7.2", "7.3", "7.4"};
  return versions;
}

QString tdsProtocolVersion() {
  const QString chosen = qEnvironmentVariable("BOMQUERY_TDS_VERSION").trimmed();
  if (chosen.isEmpty())
    return QStringLiteral("7.4");
  if (acceptedTdsProtocolVersions().contains(chosen))
    return chosen;
  const QString reason =
      QStringLiteral("BOMQUERY_TDS_VERSION \"%1\" is not a TDS protocol "
                     "version this program speaks (%2)")
          .arg(chosen, acceptedTdsProtocolVersions().join(u", "));
  // The windows show only their fixed connection message; whoever set the
  // variable learns the reason here.
  std::fprintf(stderr, "%s\n", reason.toLocal8Bit().constData());
  std::fflush(stderr);
  throw DatabaseError(reason);
}

QString sqlServerOdbcConnectionString(const DbLinkInfo &info,
                                      const QString &driver) {
  QString text =
      QStringLiteral("DRIVER=%1;SERVER=%2;DATABASE=%3;UID=%4;PWD=%5;")
          .arg(odbcQuoted(driver), odbcQuoted(info.server),
               odbcQuoted(info.database), odbcQuoted(info.user),
               odbcQuoted(info.password));
  // FreeTDS left to choose the protocol falls back to the old Sybase one
  // when a SQL Server login times out, and that fallback hangs for ever on a
  // server that accepts and never answers; naming the version it tries
  // first leaves only the login timeout.
  if (isFreeTdsDriver(driver))
    text += QStringLiteral("ClientCharset=UTF-8;TDS_Version=%1;")
                .arg(tdsProtocolVersion());
  return text;
}
