#pragma once

#include "platform/results/fieldtype.h"
#include "platform/results/resulttable.h"
#include "platform/settings/dblinkinfo.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class WorkProgress;

// One open session with a database. The program only reads through it.
// One thread at a time uses an engine; only interrupt() may come from
// another.
class DbEngine {
public:
  virtual ~DbEngine() = default;

  // Runs `sql` and fetches the whole result. A result column named in
  // `declared` (ignoring case) is stored as the declared type; the others
  // take the engine's own type. Wide text passes through code page 936.
  // Throws DatabaseError on any failure, WorkCancelled when the progress
  // set below was cancelled.
  virtual ResultTable fetch(const QString &sql,
                            const std::vector<FieldDef> &declared) = 0;

  // Where the following fetches count their rows and look for a cancel;
  // null (the default) for none. Not owned.
  void setProgress(WorkProgress *progress) { m_progress = progress; }

  // Asks the fetch running on another thread to stop at once; the fetch
  // then fails. Safe from any thread; harmless when no fetch runs. An
  // engine that cannot stop a statement on the server leaves this empty:
  // its fetch still stops between rows once its progress is cancelled.
  virtual void interrupt() {}

protected:
  WorkProgress *progress() const { return m_progress; }

private:
  WorkProgress *m_progress = nullptr;
};

// Opens a session with the database the four settings name; throws
// DatabaseError when the server, the database or the login is refused.
using DbEngineFactory =
    std::function<std::unique_ptr<DbEngine>(const DbLinkInfo &)>;
