#pragma once

#include "platform/workprogress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class InputDeferral;
#include "platform/progresswindow.h"
class QEventLoop;
class QWidget;

// What long work is doing, for its progress window.
enum class WorkKind {
  Query,  // "正在查询…", rows read
  Export, // "正在输出…", rows written of all rows
  Login,  // "正在连接…"
};

// One piece of long work of a window: a query, an export, a login. While
// it lives the window's thread keeps running its event loop, so windows
// paint and timers tick; no user input reaches any window (it is held and
// given back afterwards, in order, see InputDeferral), except Esc, which
// cancels. Once the work has run for ShowAfter, a modal progress window
// owned by `owner` shows the rows so far, the time taken and "取消".
//
// Work that reads the database runs on a thread of its own (run()); work
// that walks a grid runs here and calls pace() between rows. Either way a
// cancel makes the work throw WorkCancelled, and cancelled() tells the
// window to leave out its failure message.
class LongWork {
public:
  static constexpr std::chrono::milliseconds ShowAfter{400};
  // How long a cancelled statement may take to stop before the window is
  // released without it: the work is then left to end on its own thread.
  static constexpr std::chrono::milliseconds CancelGrace{150};
  // How long work on this thread runs between returns to the event loop.
  static constexpr std::chrono::milliseconds Slice{8};

  LongWork(QWidget *owner, WorkKind kind);
  // Closes the progress window and gives back the input held.
  ~LongWork();
  LongWork(const LongWork &) = delete;
  LongWork &operator=(const LongWork &) = delete;

  // Runs `work` on a thread of its own and returns its result once it has
  // ended, the window's thread serving its event loop meanwhile. What
  // `work` throws is thrown here. On a cancel, `interrupt` is called on yet
  // another thread (so a driver slow to answer never blocks the window) to
  // stop the work; if it has not ended CancelGrace later, run() throws
  // WorkCancelled without it and the work runs on to its end unwatched, so
  // `work` and `interrupt` must own everything they use (capture copies
  // and shared pointers, never references).
  template <class Result>
  Result run(std::function<Result(WorkProgress &)> work,
             std::function<void()> interrupt = {});

  // For work on this thread, between rows: notes `rows` done of `total` (0
  // when unknown), returns to the event loop once per Slice, and throws
  // WorkCancelled once the work was cancelled.
  void pace(qint64 rows, qint64 total = 0);

  // What "取消" and Esc do.
  void cancel();
  bool cancelled() const { return m_cancelled; }

  // The progress window while it is shown; null before ShowAfter.
  ProgressWindow *progressWindow() const { return m_window; }

  // True while any long work lives: events the event loop serves then come
  // from inside a handler that waits for its work.
  static bool anyRunning() { return s_running > 0; }

private:
  struct Job;
  void runOnWorker(std::function<void(WorkProgress &)> work,
                   std::function<void()> interrupt);
  void showProgressWindow();
  void refreshProgressWindow();
  const WorkProgress &currentProgress() const;

  QPointer<QWidget> m_owner;
  WorkKind m_kind;
  QElapsedTimer m_clock;
  QElapsedTimer m_sinceEventLoop;
  std::unique_ptr<InputDeferral> m_deferral;
  QTimer m_showTimer;
  QTimer m_refreshTimer;
  QTimer m_graceTimer;
  QPointer<ProgressWindow> m_window;
  std::shared_ptr<Job> m_job; // the work running on its thread, if any
  std::function<void()> m_interrupt;
  QEventLoop *m_waiting = nullptr;
  WorkProgress m_hereProgress; // work on this thread
  bool m_cancelled = false;
  static int s_running;
};

template <class Result>
Result LongWork::run(std::function<Result(WorkProgress &)> work,
                     std::function<void()> interrupt) {
  auto result = std::make_shared<std::optional<Result>>();
  runOnWorker([work = std::move(work), result](
                  WorkProgress &progress) { result->emplace(work(progress)); },
              std::move(interrupt));
  // runOnWorker returns only once the work has ended: the result is ours.
  return std::move(**result);
}
