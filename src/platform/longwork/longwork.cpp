#include "platform/longwork/longwork.h"

#include "platform/longwork/backgroundqueue.h"
#include "platform/longwork/inputdeferral.h"
#include "platform/longwork/progresswindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QScopeGuard>
#include <QWidget>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();
#endif

namespace {

constexpr std::chrono::milliseconds RefreshEvery{100};

// Asks `loop`, from another thread, to quit. By name: the call is made and
// freed inside Qt, which alone hands it to the loop's thread, through a
// queue under a lock of its own. Qt is not built for the thread sanitizer,
// which cannot see that lock and would take the two threads' turns at the
// queue for a race; in a sanitizer build this thread's steps inside the
// call go unchecked.
void askToQuit(QEventLoop *loop) {
#if defined(__SANITIZE_THREAD__)
  __tsan_ignore_thread_begin();
#endif
  QMetaObject::invokeMethod(loop, "quit", Qt::QueuedConnection);
#if defined(__SANITIZE_THREAD__)
  __tsan_ignore_thread_end();
#endif
}

#ifdef Q_OS_WIN
// A regular expression matched on a worker thread (Qt matches some inside
// its own code) leaves that thread a compiled-matcher stack, and the
// Windows C++ runtime frees thread-local data before it runs their
// destructors when the thread ends: freeing that stack then crashes. Qt
// matches without the compiled matcher, and so without the stack, when
// this is set before its first match.
const bool RegexesWithoutPerThreadStacks = qputenv("QT_ENABLE_REGEXP_JIT", "0");
#endif

QString activityText(WorkKind kind) {
  switch (kind) {
  case WorkKind::Query:
    return QStringLiteral("正在查询…");
  case WorkKind::Export:
    return QStringLiteral("正在输出…");
  case WorkKind::Sort:
    return QStringLiteral("正在排序…");
  case WorkKind::Login:
    break;
  }
  return QStringLiteral("正在连接…");
}

QString rowsText(WorkKind kind) {
  switch (kind) {
  case WorkKind::Query:
    return QStringLiteral("已读取");
  case WorkKind::Export:
    return QStringLiteral("已输出");
  case WorkKind::Login:
  case WorkKind::Sort:
    break;
  }
  return QString();
}

// The thread the interrupts of cancelled work run on. It is joined when the
// program ends; an interrupt that waits for its driver delays the ones
// after it, never the windows.
BackgroundQueue &interrupts() {
  static BackgroundQueue queue;
  return queue;
}

} // namespace

// What the window's thread shares with the thread that runs the work.
struct LongWork::Job {
  WorkProgress progress;
  std::function<void(WorkProgress &)> work;
  std::exception_ptr error; // written by the work's thread before `ended`

  std::mutex mutex;
  bool ended = false;         // guarded
  QEventLoop *loop = nullptr; // guarded: told when the work ends
};

int LongWork::s_running = 0;

namespace {

struct IdleAction {
  QPointer<QObject> context;
  std::function<void()> action;
};

// Actions that came to run while long work ran: they wait for its end.
std::vector<IdleAction> &idleActions() {
  static std::vector<IdleAction> actions;
  return actions;
}

} // namespace

void LongWork::whenIdle(QObject *context, std::function<void()> action) {
  // Looked at when its turn comes: work may have started meanwhile, right
  // after the handler that asked (the title click after the release).
  QTimer::singleShot(0, context,
                     [context = QPointer<QObject>(context),
                      action = std::move(action)]() mutable {
                       if (s_running > 0)
                         idleActions().push_back({context, std::move(action)});
                       else
                         action();
                     });
}

LongWork::LongWork(QWidget *owner, WorkKind kind)
    : m_owner(owner), m_kind(kind),
      m_deferral(std::make_unique<InputDeferral>([this] { cancel(); })) {
  ++s_running;
  m_clock.start();
  m_sinceEventLoop.start();
  m_showTimer.setSingleShot(true);
  QObject::connect(&m_showTimer, &QTimer::timeout,
                   [this] { showProgressWindow(); });
  m_showTimer.start(ShowAfter);
  QObject::connect(&m_refreshTimer, &QTimer::timeout,
                   [this] { refreshProgressWindow(); });
  m_graceTimer.setSingleShot(true);
  QObject::connect(&m_graceTimer, &QTimer::timeout, [this] {
    if (m_waiting)
      m_waiting->quit();
  });
}

LongWork::~LongWork() {
  // The window goes first: the input given back must find the windows as
  // they were before the work, the caller's active again.
  const bool wasActive = m_window && m_window->isActiveWindow();
  delete m_window.data();
  if (wasActive && m_owner)
    m_owner->activateWindow();
  m_deferral.reset();
  if (--s_running == 0)
    for (IdleAction &idle : std::exchange(idleActions(), {}))
      if (idle.context)
        whenIdle(idle.context, std::move(idle.action));
}

void LongWork::runOnWorker(std::function<void(WorkProgress &)> work,
                           std::function<void()> interrupt, OnCancel onCancel) {
  if (m_cancelled)
    throw WorkCancelled();
  m_onCancel = onCancel;
  if (m_window)
    m_window->cancelButton()->setEnabled(onCancel != OnCancel::Ignore);
  const auto restore = qScopeGuard([this] {
    m_onCancel = OnCancel::Wait;
    if (m_window)
      m_window->cancelButton()->setEnabled(!m_cancelled);
  });
  const auto job = std::make_shared<Job>();
  job->work = std::move(work);
  QEventLoop loop;
  {
    const std::lock_guard lock(job->mutex);
    job->loop = &loop;
  }
  std::thread worker([job] {
    try {
      job->work(job->progress);
    } catch (...) {
      job->error = std::current_exception();
    }
    // What the work holds is let go here, on its own thread.
    job->work = nullptr;
    const std::lock_guard lock(job->mutex);
    job->ended = true;
    if (job->loop)
      askToQuit(job->loop);
  });

  m_job = job;
  m_interrupt = std::move(interrupt);
  bool ended;
  {
    const std::lock_guard lock(job->mutex);
    ended = job->ended;
  }
  // Ends when the work ends, or when a cancelled work outlasts its grace.
  // Input cannot start anything meanwhile: it is held back.
  m_waiting = &loop;
  if (!ended)
    loop.exec();
  m_waiting = nullptr;
  {
    const std::lock_guard lock(job->mutex);
    job->loop = nullptr;
    ended = job->ended;
  }
  m_job.reset();
  m_interrupt = nullptr;
  m_graceTimer.stop();
  if (!ended) {
    // Left behind after a cancel: it ends on its own, unwatched.
    worker.detach();
    throw WorkCancelled();
  }
  worker.join();
  if (m_cancelled)
    throw WorkCancelled();
  if (job->error)
    std::rethrow_exception(job->error);
}

void LongWork::pace(qint64 rows, qint64 total) {
  m_hereProgress.setDone(rows);
  m_hereProgress.setTotal(total);
  // Reading the clock costs more than a short row on some machines: look
  // at it every few rows, and on every call that brings no new row (a
  // longer step after the rows).
  if (rows == m_rowsAtClockLook || rows - m_rowsAtClockLook >= 32) {
    m_rowsAtClockLook = rows;
    if (m_sinceEventLoop.hasExpired(Slice.count())) {
      QCoreApplication::processEvents();
      m_sinceEventLoop.restart();
    }
  }
  if (m_cancelled)
    throw WorkCancelled();
}

void LongWork::cancel() {
  if (m_cancelled || (m_job && m_onCancel == OnCancel::Ignore))
    return;
  m_cancelled = true;
  m_hereProgress.cancel();
  if (m_window)
    m_window->showCancelling();
  if (!m_job)
    return;
  m_job->progress.cancel();
  if (m_onCancel != OnCancel::Interrupt)
    return;
  if (m_interrupt)
    interrupts().post(m_interrupt);
  m_graceTimer.start(CancelGrace);
}

const WorkProgress &LongWork::currentProgress() const {
  return m_job ? m_job->progress : m_hereProgress;
}

void LongWork::showProgressWindow() {
  m_window =
      new ProgressWindow(activityText(m_kind), rowsText(m_kind), m_owner);
  QObject::connect(m_window, &ProgressWindow::cancelRequested,
                   [this] { cancel(); });
  m_deferral->exempt(m_window);
  m_window->cancelButton()->setEnabled(!m_job ||
                                       m_onCancel != OnCancel::Ignore);
  if (m_cancelled)
    m_window->showCancelling();
  refreshProgressWindow();
  m_window->show();
  m_refreshTimer.start(RefreshEvery);
}

void LongWork::refreshProgressWindow() {
  if (!m_window)
    return;
  const WorkProgress &progress = currentProgress();
  m_window->showProgress(progress.done(), progress.total(), m_clock.elapsed());
}
