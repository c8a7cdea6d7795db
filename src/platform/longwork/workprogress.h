#pragma once

#include "platform/errors.h"

#include <QtGlobal>
#include <atomic>

// What a piece of long work shares with the window that waits for it: how
// many rows it has read or written, and whether the user asked it to stop.
// Both sides touch only atomics, so the work may run on another thread.
class WorkProgress {
public:
  void cancel() noexcept { m_cancelled.store(true, std::memory_order_relaxed); }
  bool cancelled() const noexcept {
    return m_cancelled.load(std::memory_order_relaxed);
  }
  void setDone(qint64 rows) noexcept {
    m_done.store(rows, std::memory_order_relaxed);
  }
  qint64 done() const noexcept {
    return m_done.load(std::memory_order_relaxed);
  }
  // The rows the work will handle in all; 0 while unknown.
  void setTotal(qint64 rows) noexcept {
    m_total.store(rows, std::memory_order_relaxed);
  }
  qint64 total() const noexcept {
    return m_total.load(std::memory_order_relaxed);
  }

  // Called by the work between rows: notes `rows` done and throws
  // WorkCancelled once a cancel was asked for.
  void rowsDone(qint64 rows);
  void throwIfCancelled() const;

private:
  std::atomic<bool> m_cancelled{false};
  std::atomic<qint64> m_done{0};
  std::atomic<qint64> m_total{0};
};

// The work stopped because the user cancelled it. It is an Error, so code
// that turns a failed open into its own message treats it as a failure; the
// window then leaves the message out, the user having chosen it.
class WorkCancelled : public Error {
public:
  WorkCancelled() : Error(QStringLiteral("The work was cancelled")) {}
};

inline void WorkProgress::throwIfCancelled() const {
  if (cancelled())
    throw WorkCancelled();
}

inline void WorkProgress::rowsDone(qint64 rows) {
  setDone(rows);
  throwIfCancelled();
}
