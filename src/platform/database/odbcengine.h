#pragma once

#include "platform/database/dbengine.h"

#include <chrono>
#include <mutex>

// A session with a database through the system's ODBC driver manager,
// reading SQL Server in production. Statements are sent as they stand.
//
// Nothing waits for ever: the login gives up after LoginTimeout, and every
// statement carries a time-out after which the driver cancels it and the
// fetch fails. A statement that fails because the connection broke (or a
// cancel the server never acknowledged closed it) leaves the engine
// disconnected, and the next fetch logs in again. interrupt() cancels the
// running statement through the driver from another thread, as ODBC
// allows; the statement time-out still applies when nobody does.
class OdbcEngine : public DbEngine {
public:
  static constexpr std::chrono::seconds LoginTimeout{5};
  // The customary command time-out: long enough for a large result on a
  // slow server, short enough that a server that stopped answering does not
  // freeze the program for long.
  static constexpr std::chrono::seconds DefaultStatementTimeout{30};

  // Connects with the complete ODBC connection string `connectionString`
  // ("DRIVER={...};..."; see platform/database/odbcconnectionstring.h). Throws
  // DatabaseError with the driver's message when the connection is refused.
  explicit OdbcEngine(
      const QString &connectionString,
      std::chrono::seconds statementTimeout = DefaultStatementTimeout);
  ~OdbcEngine() override;
  OdbcEngine(const OdbcEngine &) = delete;
  OdbcEngine &operator=(const OdbcEngine &) = delete;

  ResultTable fetch(const QString &sql,
                    const std::vector<FieldDef> &declared) override;
  void interrupt() override;

  bool connected() const { return m_connection != nullptr && !m_broken; }

private:
  void connect();
  void disconnect();
  void noteIfBroken(const QString &sqlState);
  [[noreturn]] void raiseStatementError(void *statement);

  QString m_connectionString;
  std::chrono::seconds m_statementTimeout;
  void *m_environment = nullptr; // SQLHENV
  void *m_connection = nullptr;  // SQLHDBC
  bool m_broken = false;         // reconnect before the next statement
  // The statement a fetch runs, for interrupt() on another thread; null
  // between fetches. The mutex keeps the handle alive while it is used.
  std::mutex m_runningMutex;
  void *m_running = nullptr; // SQLHSTMT
};
