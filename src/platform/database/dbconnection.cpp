#include "platform/database/dbconnection.h"

#include "platform/errors.h"
#include "platform/longwork/longwork.h"
#include "platform/longwork/workprogress.h"

#include <QScopeGuard>

DbConnection::DbConnection(DbEngineFactory factory)
    : m_factory(std::move(factory)) {}

void DbConnection::setConnectionString(const QString &text,
                                       const DbLinkInfo &values) {
  m_connectionString = text;
  m_values = values;
}

void DbConnection::open(LongWork *work) {
  if (m_engine)
    return;
  if (m_connectionString.isEmpty())
    throw DatabaseError(QStringLiteral("No connection string was assigned"));
  if (!work) {
    m_engine = m_factory(m_values);
    return;
  }
  const std::shared_ptr<DbSession> lent = session();
  const auto keep = qScopeGuard([&] { takeBack(*lent); });
  work->run<bool>([lent](WorkProgress &) {
    lent->engine();
    return true;
  });
}

void DbConnection::close() { m_engine.reset(); }

DbEngine &DbConnection::engine() {
  open();
  return *m_engine;
}

std::shared_ptr<DbSession> DbConnection::session() const {
  if (!m_engine && m_connectionString.isEmpty())
    throw DatabaseError(QStringLiteral("No connection string was assigned"));
  return std::make_shared<DbSession>(m_factory, m_values, m_engine);
}

void DbConnection::takeBack(const DbSession &session) {
  m_engine = session.idle() ? session.engineHeld() : nullptr;
}

DbSession::DbSession(DbEngineFactory factory, DbLinkInfo values,
                     std::shared_ptr<DbEngine> engine)
    : m_factory(std::move(factory)), m_values(std::move(values)),
      m_engine(std::move(engine)) {}

DbEngine &DbSession::engine() {
  m_idle = false;
  const auto idle = qScopeGuard([this] { m_idle = true; });
  return opened();
}

DbEngine &DbSession::opened() {
  std::shared_ptr<DbEngine> engine = engineHeld();
  if (!engine) {
    engine = m_factory(m_values);
    const std::lock_guard lock(m_mutex);
    m_engine = engine;
  }
  return *engine;
}

ResultTable DbSession::fetch(const QString &sql,
                             const std::vector<FieldDef> &declared,
                             WorkProgress &progress) {
  m_idle = false;
  const auto idle = qScopeGuard([this] { m_idle = true; });
  DbEngine &engine = opened();
  engine.setProgress(&progress);
  {
    const std::lock_guard lock(m_statementMutex);
    m_statementRunning = true;
  }
  // Runs before the session is idle again, so the connection keeps the
  // engine only once no interrupt of this statement can come any more.
  const auto ended = qScopeGuard([&] {
    const std::lock_guard lock(m_statementMutex);
    m_statementRunning = false;
    engine.setProgress(nullptr);
  });
  return engine.fetch(sql, declared);
}

void DbSession::interrupt() {
  const std::lock_guard lock(m_statementMutex);
  if (!m_statementRunning)
    return;
  if (const std::shared_ptr<DbEngine> engine = engineHeld())
    engine->interrupt();
}

std::shared_ptr<DbEngine> DbSession::engineHeld() const {
  const std::lock_guard lock(m_mutex);
  return m_engine;
}
