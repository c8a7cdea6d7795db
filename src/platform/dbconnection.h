#pragma once

#include "platform/dbengine.h"

// The program's one database connection. It holds the connection string the
// user's settings make, and hands the four values themselves to the engine,
// so no value ever needs quoting inside the string.
class DbConnection {
public:
  explicit DbConnection(DbEngineFactory factory);

  // Takes effect at the next open().
  void setConnectionString(const QString &text, const DbLinkInfo &values);
  const QString &connectionString() const { return m_connectionString; }

  // Throws DatabaseError when no connection string was assigned or the
  // engine refuses the settings; never asks the user for a login.
  void open();
  void close();
  bool connected() const { return m_engine != nullptr; }

  // The open session; opens it first when closed (throws as open()).
  DbEngine &engine();

private:
  DbEngineFactory m_factory;
  QString m_connectionString;
  DbLinkInfo m_values;
  std::unique_ptr<DbEngine> m_engine;
};
