#pragma once

#include "platform/dbengine.h"

// A session with a database through Qt's ODBC driver, reading SQL Server in
// production. Statements are sent as they stand.
class OdbcEngine : public DbEngine {
public:
  // Connects with the complete ODBC connection string `connectionString`
  // ("DRIVER={...};..."; see platform/odbcconnectionstring.h). The login
  // waits at most 5 s and other requests 30 s for an answer, so a server
  // that accepts and never answers cannot hang the program. Throws
  // DatabaseError with the driver's message when the connection is refused.
  explicit OdbcEngine(const QString &connectionString);
  ~OdbcEngine() override;
  OdbcEngine(const OdbcEngine &) = delete;
  OdbcEngine &operator=(const OdbcEngine &) = delete;

  ResultTable fetch(const QString &sql,
                    const std::vector<FieldDef> &declared) override;

private:
  QString m_connectionName;
};
