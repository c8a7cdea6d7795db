#include "platform/odbcengine.h"

#include "platform/errors.h"
#include "platform/sqlqueryreader.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString nextConnectionName() {
  static QAtomicInteger<int> counter;
  return QStringLiteral("bomquery-odbc-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

OdbcEngine::OdbcEngine(const QString &connectionString)
    : m_connectionName(nextConnectionName()) {
  QSqlDatabase database =
      QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_connectionName);
  if (!database.isValid()) {
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    throw DatabaseError(QStringLiteral("The ODBC driver is not available"));
  }
  database.setDatabaseName(connectionString);
  // The login gives up after 5 s. Other requests get 30 s, the customary
  // command timeout: long enough for a large result on a slow server, short
  // enough that a server that stopped answering cannot hang the program.
  database.setConnectOptions(QStringLiteral(
      "SQL_ATTR_LOGIN_TIMEOUT=5;SQL_ATTR_CONNECTION_TIMEOUT=30"));
  if (!database.open()) {
    const QString message = database.lastError().text();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    throw DatabaseError(message);
  }
}

OdbcEngine::~OdbcEngine() {
  QSqlDatabase::database(m_connectionName, false).close();
  QSqlDatabase::removeDatabase(m_connectionName);
}

ResultTable OdbcEngine::fetch(const QString &sql,
                              const std::vector<FieldDef> &declared) {
  QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
  query.setForwardOnly(true);
  // Decimals arrive as their exact text instead of a double.
  query.setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!query.exec(sql))
    throw DatabaseError(query.lastError().text());
  // A procedure may report row counts before its result set.
  while (!query.isSelect() && query.nextResult()) {
  }
  return readSqlQuery(query, declared);
}
