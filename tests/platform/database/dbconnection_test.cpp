// A cancel reaches only the statement it was meant for. The engine here
// holds each statement until the test lets it go and records which
// statement each interrupt reached, so the orders in which a late
// interrupt can meet the statements are played out one by one.
#include "platform/database/dbconnection.h"
#include "platform/longwork/workprogress.h"

#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

// What the engine shares with the test, every step under one mutex.
struct Server {
  std::mutex mutex;
  std::condition_variable changed;
  QString running;         // the statement running, empty between them
  QStringList released;    // statements allowed to end
  QStringList ended;       // statements that ended, in order
  QStringList interrupted; // the statement each interrupt reached
  bool interruptHangs = false;
  bool interruptReleased = false;
  int interruptsInside = 0; // interrupts waiting inside the driver
  int engines = 0;

  template <class Condition> void waitFor(Condition condition) {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, 10s, condition)) << "timed out";
  }
  void release(const QString &statement) {
    const std::lock_guard lock(mutex);
    released << statement;
    changed.notify_all();
  }
};

class LatchedEngine : public DbEngine {
public:
  explicit LatchedEngine(std::shared_ptr<Server> server)
      : m_server(std::move(server)) {}

  ResultTable fetch(const QString &sql,
                    const std::vector<FieldDef> &) override {
    std::unique_lock lock(m_server->mutex);
    m_server->running = sql;
    m_server->changed.notify_all();
    m_server->changed.wait(lock,
                           [&] { return m_server->released.contains(sql); });
    m_server->running.clear();
    m_server->ended << sql;
    m_server->changed.notify_all();
    return ResultTable();
  }

  // A driver's statement cancel: reaches whatever statement runs now.
  void interrupt() override {
    std::unique_lock lock(m_server->mutex);
    m_server->interrupted << m_server->running;
    if (m_server->interruptHangs) {
      ++m_server->interruptsInside;
      m_server->changed.notify_all();
      m_server->changed.wait(lock, [&] { return m_server->interruptReleased; });
      --m_server->interruptsInside;
    }
  }

private:
  std::shared_ptr<Server> m_server;
};

class CancelRaceTest : public ::testing::Test {
protected:
  CancelRaceTest() {
    connection.setConnectionString(QStringLiteral("server"), DbLinkInfo());
  }

  // Starts `sql` in `session` on a thread of its own.
  std::thread start(const std::shared_ptr<DbSession> &session,
                    const QString &sql) {
    std::thread statement([session, sql, this] {
      try {
        session->fetch(sql, {}, progress);
      } catch (...) {
      }
    });
    server->waitFor([&] { return server->running == sql; });
    return statement;
  }

  std::shared_ptr<Server> server = std::make_shared<Server>();
  DbConnection connection{[server = server](const DbLinkInfo &) {
    const std::lock_guard lock(server->mutex);
    ++server->engines;
    return std::make_unique<LatchedEngine>(server);
  }};
  WorkProgress progress;
};

// The cancel of A comes after A ended on its own and the connection kept
// the engine for B: the interrupt of A must not stop B.
TEST_F(CancelRaceTest, ALateInterruptDoesNotReachTheNextStatement) {
  const std::shared_ptr<DbSession> a = connection.session();
  std::thread runningA = start(a, "A");
  server->release("A");
  runningA.join();
  connection.takeBack(*a);
  ASSERT_TRUE(connection.connected()) << "the engine is kept";

  const std::shared_ptr<DbSession> b = connection.session();
  std::thread runningB = start(b, "B");
  a->interrupt();
  {
    const std::lock_guard lock(server->mutex);
    EXPECT_TRUE(server->interrupted.isEmpty())
        << server->interrupted.join(',').toStdString();
  }
  b->interrupt();
  {
    const std::lock_guard lock(server->mutex);
    EXPECT_EQ(server->interrupted, QStringList{"B"});
  }
  server->release("B");
  runningB.join();
  EXPECT_EQ(server->engines, 1);
}

// The interrupt of A is still inside the driver when A ends: A's end waits
// for it, so the session is not idle and the connection drops the engine
// instead of running B on it while the interrupt may still land.
TEST_F(CancelRaceTest, AStatementEndsOnlyAfterItsInterruptReturned) {
  server->interruptHangs = true;
  const std::shared_ptr<DbSession> a = connection.session();
  std::thread runningA = start(a, "A");
  std::thread interrupting([a] { a->interrupt(); });
  server->waitFor([&] { return server->interruptsInside == 1; });
  server->release("A");
  server->waitFor([&] { return server->ended.contains("A"); });
  // The engine has returned from A; the session is still busy with it.
  std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(a->idle());
  connection.takeBack(*a);
  EXPECT_FALSE(connection.connected()) << "a busy engine is dropped";

  {
    const std::lock_guard lock(server->mutex);
    server->interruptReleased = true;
    server->changed.notify_all();
  }
  interrupting.join();
  runningA.join();
  EXPECT_TRUE(a->idle());
  {
    const std::lock_guard lock(server->mutex);
    EXPECT_EQ(server->interrupted, QStringList{"A"});
  }

  // The next statement logs in again, on an engine of its own.
  const std::shared_ptr<DbSession> b = connection.session();
  std::thread runningB = start(b, "B");
  server->release("B");
  runningB.join();
  EXPECT_EQ(server->engines, 2);
}

// An interrupt before the statement has started, or after it ended, is
// harmless: nothing is reached.
TEST_F(CancelRaceTest, AnInterruptWithNoStatementRunningReachesNothing) {
  const std::shared_ptr<DbSession> a = connection.session();
  a->interrupt();
  std::thread runningA = start(a, "A");
  server->release("A");
  runningA.join();
  a->interrupt();
  const std::lock_guard lock(server->mutex);
  EXPECT_TRUE(server->interrupted.isEmpty());
}

} // namespace
