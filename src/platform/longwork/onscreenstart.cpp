#include "platform/longwork/onscreenstart.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

int s_pending = 0;

// How long a window that the window system does not expose (shown
// minimized, on a platform that tells nothing) is waited for.
constexpr int ExposeWaitMs = 1000;

// One start waiting for its window; deletes itself once it ran or was
// given up.
class OnScreenStart : public QObject {
public:
  OnScreenStart(QWidget *window, std::function<void()> start)
      : m_window(window), m_start(std::move(start)) {
    ++s_pending;
    // After the show under way: a modal window's event loop runs by then.
    QTimer::singleShot(0, this, [this] { check(); });
  }
  ~OnScreenStart() override { finish(); }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Expose && m_handle == watched &&
        m_handle->isExposed())
      QTimer::singleShot(0, this, [this] { run(); });
    return false;
  }

private:
  void check() {
    if (!m_window || !m_window->isVisible())
      return giveUp();
    QWindow *handle = m_window->windowHandle();
    if (!handle || handle->isExposed())
      return run();
    m_handle = handle;
    handle->installEventFilter(this);
    QTimer::singleShot(ExposeWaitMs, this, [this] { run(); });
  }

  void run() {
    if (m_done)
      return;
    if (m_handle)
      m_handle->removeEventFilter(this);
    const std::function<void()> start = std::move(m_start);
    const bool shown = m_window && m_window->isVisible();
    finish();
    deleteLater();
    if (shown)
      start();
  }

  void giveUp() {
    finish();
    deleteLater();
  }

  void finish() {
    if (!m_done) {
      m_done = true;
      --s_pending;
    }
  }

  QPointer<QWidget> m_window;
  QPointer<QWindow> m_handle;
  std::function<void()> m_start;
  bool m_done = false;
};

} // namespace

void startWhenOnScreen(QWidget *window, std::function<void()> start) {
  new OnScreenStart(window, std::move(start));
}

bool anyStartPending() { return s_pending > 0; }
