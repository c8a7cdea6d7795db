#include "support/fakeengine.h"

#include "platform/errors.h"
#include "platform/longwork/workprogress.h"

#include <QElapsedTimer>
#include <thread>

namespace {

class FakeEngine : public DbEngine {
public:
  explicit FakeEngine(std::shared_ptr<FakeDatabase> database)
      : m_database(std::move(database)) {}

  ResultTable fetch(const QString &sql,
                    const std::vector<FieldDef> &) override {
    m_database->statements.append(sql);
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(m_database->answerAfterMs)) {
      if (progress() && progress()->cancelled())
        throw WorkCancelled();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!m_database->failStatementsWith.isEmpty())
      throw DatabaseError(m_database->failStatementsWith);
    return m_database->table;
  }

private:
  std::shared_ptr<FakeDatabase> m_database;
};

class GatedEngine : public DbEngine {
public:
  GatedEngine(std::unique_ptr<DbEngine> engine,
              std::shared_ptr<StatementGate> gate)
      : m_engine(std::move(engine)), m_gate(std::move(gate)) {}

  ResultTable fetch(const QString &sql,
                    const std::vector<FieldDef> &declared) override {
    if (sql.startsWith(m_gate->prefix))
      pass();
    m_engine->setProgress(progress());
    return m_engine->fetch(sql, declared);
  }

  void interrupt() override {
    m_interrupted = true;
    m_engine->interrupt();
  }

private:
  void pass() {
    m_interrupted = false;
    ++m_gate->started;
    ++m_gate->waiting;
    while (!m_gate->open) {
      if (m_interrupted || (progress() && progress()->cancelled())) {
        --m_gate->waiting;
        throw WorkCancelled();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    --m_gate->waiting;
  }

  std::unique_ptr<DbEngine> m_engine;
  std::shared_ptr<StatementGate> m_gate;
  std::atomic<bool> m_interrupted{false};
};

} // namespace

DbEngineFactory gatedEngineFactory(DbEngineFactory engines,
                                   std::shared_ptr<StatementGate> gate) {
  return [engines = std::move(engines),
          gate = std::move(gate)](const DbLinkInfo &info) {
    return std::unique_ptr<DbEngine>(
        std::make_unique<GatedEngine>(engines(info), gate));
  };
}

DbEngineFactory fakeEngineFactory(std::shared_ptr<FakeDatabase> database) {
  return [database](const DbLinkInfo &) -> std::unique_ptr<DbEngine> {
    std::this_thread::sleep_for(
        std::chrono::milliseconds(database->loginAfterMs));
    if (database->refuseLogin)
      throw DatabaseError(QStringLiteral("Login failed"));
    return std::make_unique<FakeEngine>(database);
  };
}

ResultTable makeTable(const std::vector<FakeColumn> &columns,
                      const std::vector<std::vector<QVariant>> &rows) {
  ResultTable table;
  for (const FakeColumn &c : columns)
    table.addColumn(c.name, c.type, 20);
  for (const auto &row : rows)
    for (int i = 0; i < table.columnCount(); ++i) {
      ResultColumn &column = table.column(i);
      const QVariant &value = row[i];
      if (value.isNull())
        column.appendNull();
      else if (storageKindOf(column.type()) == StorageKind::Text)
        column.appendText(value.toString());
      else if (storageKindOf(column.type()) == StorageKind::Real)
        column.appendReal(value.toDouble());
      else
        column.appendInteger(value.toLongLong());
    }
  return table;
}
