#pragma once

#include "platform/database/dbengine.h"

#include <atomic>
#include <memory>
#include <mutex>

class DbSession;
class LongWork;

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
  // With `work`, the login runs off this thread, and a cancel throws
  // WorkCancelled (the connection stays closed).
  void open(LongWork *work = nullptr);
  void close();
  bool connected() const { return m_engine != nullptr; }

  // The open session; opens it first when closed (throws as open()).
  DbEngine &engine();

  // For a statement run on another thread: the open engine, or the means to
  // open one there. Throws DatabaseError when no connection string was
  // assigned. Only the work uses the session while it runs.
  std::shared_ptr<DbSession> session() const;
  // After the work ended (or was given up): keeps the engine the session
  // opened or used. An engine still busy in a statement the user cancelled
  // is dropped instead: the work frees it when it ends, and the next
  // statement logs in again.
  void takeBack(const DbSession &session);

private:
  DbEngineFactory m_factory;
  QString m_connectionString;
  DbLinkInfo m_values;
  std::shared_ptr<DbEngine> m_engine;
};

// A connection's engine lent to work on another thread (see
// DbConnection::session()).
class DbSession {
public:
  DbSession(DbEngineFactory factory, DbLinkInfo values,
            std::shared_ptr<DbEngine> engine);

  // On the work's thread: the engine, logging in first when there is none
  // (throws as DbConnection::open()).
  DbEngine &engine();
  // On the work's thread: runs `sql` (DbEngine::fetch) with `progress`
  // watched for a cancel, logging in first when needed.
  ResultTable fetch(const QString &sql, const std::vector<FieldDef> &declared,
                    WorkProgress &progress);
  // From any thread: stops the statement this session runs, if it still
  // runs; never one that a later session runs on the same engine after
  // this one's ended (a login cannot be stopped; it ends at its own
  // time-out). May wait for the driver: call it off the window's thread.
  void interrupt();
  // True once the work no longer uses the engine.
  bool idle() const { return m_idle.load(); }
  // The engine, for the connection to keep; null when none was opened.
  std::shared_ptr<DbEngine> engineHeld() const;

private:
  DbEngine &opened();

  DbEngineFactory m_factory;
  DbLinkInfo m_values;
  mutable std::mutex m_mutex; // guards m_engine against interrupt()
  std::shared_ptr<DbEngine> m_engine;
  std::atomic<bool> m_idle{true};
  // Held by interrupt() while it stops the statement, and by the fetch to
  // start and end it: a statement ends only after an interrupt under way
  // has returned, so an interrupt never reaches past its own statement.
  std::mutex m_statementMutex;
  bool m_statementRunning = false; // guarded by m_statementMutex
};
