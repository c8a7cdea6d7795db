#include "platform/database/odbcengine.h"

#include "platform/database/odbcapi.h"
#include "platform/database/odbcresultreader.h"
#include "platform/errors.h"
#include "platform/longwork/workprogress.h"

#include <QScopeGuard>

namespace {

// A statement handle freed on every way out of a fetch.
class Statement {
public:
  explicit Statement(SQLHDBC connection) {
    if (!SQL_SUCCEEDED(
            SQLAllocHandle(SQL_HANDLE_STMT, connection, &m_handle))) {
      const OdbcDiagnostics error = odbcDiagnostics(SQL_HANDLE_DBC, connection);
      throw DatabaseError(error.message);
    }
  }
  ~Statement() { SQLFreeHandle(SQL_HANDLE_STMT, m_handle); }
  Statement(const Statement &) = delete;
  Statement &operator=(const Statement &) = delete;
  SQLHSTMT get() const { return m_handle; }

private:
  SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

} // namespace

OdbcEngine::OdbcEngine(const QString &connectionString,
                       std::chrono::seconds statementTimeout)
    : m_connectionString(connectionString),
      m_statementTimeout(statementTimeout) {
  SQLHENV environment = SQL_NULL_HENV;
  if (!SQL_SUCCEEDED(
          SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment)))
    throw DatabaseError(
        QStringLiteral("The ODBC driver manager is not available"));
  m_environment = environment;
  SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION,
                reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  try {
    connect();
  } catch (...) {
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
    throw;
  }
}

OdbcEngine::~OdbcEngine() {
  disconnect();
  if (m_environment)
    SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
}

void OdbcEngine::connect() {
  SQLHDBC connection = SQL_NULL_HDBC;
  if (!SQL_SUCCEEDED(
          SQLAllocHandle(SQL_HANDLE_DBC, m_environment, &connection))) {
    const OdbcDiagnostics error =
        odbcDiagnostics(SQL_HANDLE_ENV, m_environment);
    throw DatabaseError(error.message);
  }
  SQLSetConnectAttr(connection, SQL_ATTR_LOGIN_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(SQLULEN(LoginTimeout.count())),
                    0);
  const SQLRETURN rc =
      SQLDriverConnectW(connection, nullptr, odbcText(m_connectionString),
                        SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(rc)) {
    const OdbcDiagnostics error = odbcDiagnostics(SQL_HANDLE_DBC, connection);
    SQLFreeHandle(SQL_HANDLE_DBC, connection);
    throw DatabaseError(error.message);
  }
  m_connection = connection;
}

void OdbcEngine::disconnect() {
  if (!m_connection)
    return;
  SQLDisconnect(m_connection);
  SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
  m_connection = nullptr;
  m_broken = false;
}

void OdbcEngine::noteIfBroken(const QString &sqlState) {
  // Class 08 is a broken connection; a time-out whose cancel was never
  // acknowledged closes the connection too. Either way the next statement
  // logs in again instead of failing on a dead link.
  SQLUINTEGER dead = SQL_CD_FALSE;
  const bool knowsDead = SQL_SUCCEEDED(SQLGetConnectAttr(
      m_connection, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr));
  if (sqlState.startsWith(QLatin1String("08")) ||
      (knowsDead && dead == SQL_CD_TRUE))
    m_broken = true;
}

void OdbcEngine::raiseStatementError(void *statement) {
  const OdbcDiagnostics error = odbcDiagnostics(SQL_HANDLE_STMT, statement);
  noteIfBroken(error.sqlState);
  // A statement the user cancelled fails with the driver's "operation
  // cancelled"; it is the cancel that ended it.
  if (progress() && progress()->cancelled())
    throw WorkCancelled();
  throw DatabaseError(error.message);
}

void OdbcEngine::interrupt() {
  const std::lock_guard lock(m_runningMutex);
  if (m_running)
    SQLCancel(m_running);
}

ResultTable OdbcEngine::fetch(const QString &sql,
                              const std::vector<FieldDef> &declared) {
  if (m_broken)
    disconnect();
  if (!m_connection)
    connect();
  ResultTable table;
  {
    Statement statement(m_connection);
    const SQLHSTMT handle = statement.get();
    {
      const std::lock_guard lock(m_runningMutex);
      m_running = handle;
    }
    // Before the statement is freed, so interrupt() never sees a freed one.
    const auto stopped = qScopeGuard([this] {
      const std::lock_guard lock(m_runningMutex);
      m_running = nullptr;
    });
    if (progress())
      progress()->rowsDone(0);
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(
            handle, SQL_ATTR_QUERY_TIMEOUT,
            reinterpret_cast<SQLPOINTER>(SQLULEN(m_statementTimeout.count())),
            0)))
      raiseStatementError(handle);
    SQLRETURN rc = SQLExecDirectW(handle, odbcText(sql), SQL_NTS);
    // A procedure may report row counts before its result set: skip to the
    // first result that has columns.
    for (;;) {
      if (rc == SQL_NO_DATA)
        return table;
      if (!SQL_SUCCEEDED(rc))
        raiseStatementError(handle);
      SQLSMALLINT columns = 0;
      if (!SQL_SUCCEEDED(SQLNumResultCols(handle, &columns)))
        raiseStatementError(handle);
      if (columns > 0)
        break;
      rc = SQLMoreResults(handle);
    }
    try {
      table = readOdbcResult(handle, declared, progress());
    } catch (const DatabaseError &) {
      noteIfBroken(odbcDiagnostics(SQL_HANDLE_STMT, handle).sqlState);
      if (progress() && progress()->cancelled())
        throw WorkCancelled();
      throw;
    }
    // Whatever follows the result set is read too: an error the server
    // reports after the rows fails the statement.
    while (SQL_SUCCEEDED(rc = SQLMoreResults(handle))) {
    }
    if (rc != SQL_NO_DATA)
      raiseStatementError(handle);
  }
  return table;
}
