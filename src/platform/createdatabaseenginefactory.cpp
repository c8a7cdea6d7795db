#include "platform/createdatabaseenginefactory.h"

#include "platform/odbcconnectionstring.h"
#include "platform/odbcengine.h"
#include "platform/sqliteengine.h"

DbEngineFactory createDatabaseEngineFactory() {
  return [](const DbLinkInfo &info) -> std::unique_ptr<DbEngine> {
    if (info.server.compare(QLatin1String("embedded"), Qt::CaseInsensitive) ==
        0)
      return std::make_unique<SqliteEngine>(info.database);
    return std::make_unique<OdbcEngine>(
        sqlServerOdbcConnectionString(info, sqlServerOdbcDriver()));
  };
}
