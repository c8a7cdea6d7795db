#pragma once

#include "platform/longwork/progresswindow.h"
#include "platform/longwork/workprogress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class InputDeferral;
class QEventLoop;
class QWidget;

// What long work is doing, for its progress window.
enum class WorkKind {
  Query,  // "正在查询…", rows read
  Export, // "正在输出…", rows written of all rows
  Login,  // "正在连接…"
  Sort,   // "正在排序…"
};

// One piece of long work of a window: a query, an export, a login, a sort.
// While
// it lives the window's thread keeps running its event loop, so windows
// paint and timers tick; no user input reaches any window (keys and close
// requests are held and given back afterwards, in order; clicks are
// discarded; see InputDeferral), except Esc, which cancels. Once the work has
// run for ShowAfter, a modal progress window owned by `owner` shows the rows so
// far, the time taken and "取消".
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
  // `work` throws is thrown here. On a cancel, `interrupt` is called on the
  // one thread that runs the interrupts of all work, one after the other
  // (so a driver slow to answer never blocks the window), to stop the
  // work; it must stop only the statement of this work, and do nothing
  // once that has ended. If the work has not ended CancelGrace later, run()
  // throws WorkCancelled without it and the work runs on to its end unwatched,
  // so `work` and `interrupt` must own everything they use (capture copies and
  // shared pointers, never references).
  template <class Result>
  Result run(std::function<Result(WorkProgress &)> work,
             std::function<void()> interrupt = {});

  // Runs `work` on a thread of its own and waits for its end however long
  // it takes, so `work` may use what the caller owns (as long as no other
  // thread touches it meanwhile). A cancel sets the progress's flag, which
  // `work` watches to stop soon (WorkProgress::throwIfCancelled); with
  // `cancellable` false the cancel is not taken and "取消" is disabled, for
  // a last step that must complete. Throws WorkCancelled when the work was
  // cancelled, before or during, and what `work` throws.
  template <class Result>
  Result runWhole(std::function<Result(WorkProgress &)> work,
                  bool cancellable = true);

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

  // Runs `action` from the event loop, on its next turn, when no long work
  // runs then, else once the last work has ended and given back the input
  // it held. Nothing runs when `context` is destroyed first. For a step a
  // handler leaves for later that must not start in the middle of other
  // work (a question asked after a gesture whose last click sorts the
  // grid).
  static void whenIdle(QObject *context, std::function<void()> action);

private:
  struct Job;
  // What a cancel does to work on its own thread.
  enum class OnCancel {
    Interrupt, // interrupt it; after CancelGrace, leave it behind
    Wait,      // let it stop at its own pace and wait for that
    Ignore,    // not taken: the work must complete
  };
  template <class Result>
  Result runToResult(std::function<Result(WorkProgress &)> work,
                     std::function<void()> interrupt, OnCancel onCancel);
  void runOnWorker(std::function<void(WorkProgress &)> work,
                   std::function<void()> interrupt, OnCancel onCancel);
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
  qint64 m_rowsAtClockLook = 0;
  bool m_cancelled = false;
  OnCancel m_onCancel = OnCancel::Wait;
  static int s_running;
};

template <class Result>
Result LongWork::run(std::function<Result(WorkProgress &)> work,
                     std::function<void()> interrupt) {
  return runToResult(std::move(work), std::move(interrupt),
                     OnCancel::Interrupt);
}

template <class Result>
Result LongWork::runWhole(std::function<Result(WorkProgress &)> work,
                          bool cancellable) {
  return runToResult(std::move(work), {},
                     cancellable ? OnCancel::Wait : OnCancel::Ignore);
}

template <class Result>
Result LongWork::runToResult(std::function<Result(WorkProgress &)> work,
                             std::function<void()> interrupt,
                             OnCancel onCancel) {
  auto result = std::make_shared<std::optional<Result>>();
  runOnWorker([work = std::move(work), result](
                  WorkProgress &progress) { result->emplace(work(progress)); },
              std::move(interrupt), onCancel);
  // runOnWorker returns only once the work has ended: the result is ours.
  return std::move(**result);
}
