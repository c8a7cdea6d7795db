#include "platform/dbconnection.h"

#include "platform/errors.h"

DbConnection::DbConnection(DbEngineFactory factory)
    : m_factory(std::move(factory)) {}

void DbConnection::setConnectionString(const QString &text,
                                       const DbLinkInfo &values) {
  m_connectionString = text;
  m_values = values;
}

void DbConnection::open() {
  if (m_engine)
    return;
  if (m_connectionString.isEmpty())
    throw DatabaseError(QStringLiteral("No connection string was assigned"));
  m_engine = m_factory(m_values);
}

void DbConnection::close() { m_engine.reset(); }

DbEngine &DbConnection::engine() {
  open();
  return *m_engine;
}
