#include "connection/startupconnection.h"

#include "connection/linksettings.h"
#include "platform/database/dbconnection.h"
#include "platform/dataset/query.h"
#include "platform/errors.h"

bool readStartupSettings(SettingsStore &store, DbLinkInfo &info) {
  try {
    ReadLinkSettings(store, LinkReadOrder::MainWindow, info);
  } catch (const SettingsError &) {
    return false;
  }
  return true;
}

StartupConnectResult connectAtStartup(DbConnection &connection,
                                      const DbLinkInfo &info, LongWork *work) {
  if (info.user.isEmpty())
    return StartupConnectResult::NoUser;
  connection.close();
  connection.setConnectionString(BuildConnectionString(info), info);
  try {
    connection.open(work);
  } catch (const Error &) {
    return StartupConnectResult::Refused;
  }
  return StartupConnectResult::Connected;
}

std::optional<QStringList> loadClassNames(Query &query, LongWork *work) {
  query.close();
  query.clearSql();
  query.addSqlLine(QStringLiteral("select distinct  cInvCName,cinvCCode    "));
  query.addSqlLine(QStringLiteral("from InventoryClass  "));
  query.addSqlLine(QStringLiteral("where binvCEnd =1    "));
  query.addSqlLine(QStringLiteral("order by cinvCCode   "));
  try {
    query.open(work);
  } catch (const Error &) {
    return std::nullopt;
  }
  QStringList names;
  const TField *name = query.FieldByName(QStringLiteral("cInvCName"));
  for (query.first(); !query.eof(); query.next())
    names.append(name->AsString());
  return names;
}
