#include "platform/database/createdatabaseenginefactory.h"

#include "platform/database/odbcconnectionstring.h"
#include "platform/database/odbcengine.h"
#include "platform/database/sqliteengine.h"
#include "platform/database/sqlserverbrowser.h"

DbEngineFactory createDatabaseEngineFactory() {
  return [](const DbLinkInfo &info) -> std::unique_ptr<DbEngine> {
    if (info.server.compare(QLatin1String("embedded"), Qt::CaseInsensitive) ==
        0)
      return std::make_unique<SqliteEngine>(info.database);
    const QString driver = sqlServerOdbcDriver();
    DbLinkInfo target = info;
    // FreeTDS asks for a named instance's port for up to 16 seconds; asked
    // here, the lookup takes at most InstanceLookupTimeout before the login.
    if (isFreeTdsDriver(driver))
      target.server = serverWithInstancePort(info.server);
    return std::make_unique<OdbcEngine>(
        sqlServerOdbcConnectionString(target, driver));
  };
}
