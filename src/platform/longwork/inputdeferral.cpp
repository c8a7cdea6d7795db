#include "platform/longwork/inputdeferral.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {

bool isUserInput(QEvent::Type type) {
  switch (type) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
  case QEvent::NonClientAreaMouseButtonPress:
  case QEvent::NonClientAreaMouseButtonRelease:
  case QEvent::NonClientAreaMouseButtonDblClick:
  case QEvent::Wheel:
  case QEvent::TouchBegin:
  case QEvent::TouchUpdate:
  case QEvent::TouchEnd:
  case QEvent::TabletPress:
  case QEvent::TabletRelease:
  case QEvent::TabletMove:
  case QEvent::ContextMenu:
  case QEvent::InputMethod:
  case QEvent::Close:
    return true;
  default:
    return false;
  }
}

bool isKey(QEvent::Type type) {
  return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
         type == QEvent::InputMethod;
}

bool isEscape(const QEvent *event) {
  return (event->type() == QEvent::KeyPress ||
          event->type() == QEvent::KeyRelease) &&
         static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Escape;
}

} // namespace

InputDeferral::InputDeferral(std::function<void()> onEscape)
    : m_onEscape(std::move(onEscape)),
      m_keyTarget(QApplication::focusWidget()) {
  QCoreApplication::instance()->installEventFilter(this);
}

InputDeferral::~InputDeferral() {
  QCoreApplication::instance()->removeEventFilter(this);
  // Posted events are delivered in the order they were posted, after
  // whatever handler ran the work has returned to the event loop.
  for (Held &held : m_held)
    if (held.receiver)
      QCoreApplication::postEvent(held.receiver, held.event.release());
}

bool InputDeferral::isExempt(QObject *receiver) const {
  if (!m_exempt)
    return false;
  if (auto *widget = qobject_cast<QWidget *>(receiver))
    return widget->window() == m_exempt;
  if (auto *window = qobject_cast<QWindow *>(receiver))
    return window == m_exempt->windowHandle();
  return false;
}

bool InputDeferral::eventFilter(QObject *receiver, QEvent *event) {
  // A shortcut is asked for before its key arrives: claiming the key for
  // the widget keeps any shortcut from firing now.
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (!isUserInput(event->type()))
    return false;
  if (isEscape(event)) {
    // One Esc reaches the program twice, at its window and at the focused
    // widget; cancelling twice does no harm.
    if (event->type() == QEvent::KeyPress && m_onEscape)
      m_onEscape();
    return true;
  }
  if (isExempt(receiver)) {
    if (!isKey(event->type()))
      return false;
    receiver = m_keyTarget;
  }
  // A key or click travels from its window to the widget under it: holding
  // it at the window is enough, it takes that path again when given back.
  m_held.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
  // A close not yet done is an ignored one, so the desktop does not take
  // the window for closed.
  event->setAccepted(event->type() != QEvent::Close);
  return true;
}
