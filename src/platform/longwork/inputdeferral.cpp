#include "platform/longwork/inputdeferral.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

enum class Input {
  None,    // not the user's input
  Key,     // held
  Close,   // held
  Press,   // discarded, and its release with it
  Release, // held when its press came before the work, else discarded
  Pointer, // discarded
};

Input inputOf(QEvent::Type type) {
  switch (type) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
  case QEvent::InputMethod:
    return Input::Key;
  case QEvent::Close:
    return Input::Close;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick:
    return Input::Press;
  case QEvent::MouseButtonRelease:
    return Input::Release;
  case QEvent::MouseMove:
  case QEvent::NonClientAreaMouseButtonPress:
  case QEvent::NonClientAreaMouseButtonRelease:
  case QEvent::NonClientAreaMouseButtonDblClick:
  case QEvent::NonClientAreaMouseMove:
  case QEvent::Wheel:
  case QEvent::TouchBegin:
  case QEvent::TouchUpdate:
  case QEvent::TouchEnd:
  case QEvent::TouchCancel:
  case QEvent::TabletPress:
  case QEvent::TabletRelease:
  case QEvent::TabletMove:
  case QEvent::ContextMenu:
    return Input::Pointer;
  default:
    return Input::None;
  }
}

bool isEscape(const QEvent *event) {
  return (event->type() == QEvent::KeyPress ||
          event->type() == QEvent::KeyRelease) &&
         static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Escape;
}

// The top-level widget an event for `receiver` is meant for.
QWidget *windowOf(QObject *receiver) {
  if (auto *widget = qobject_cast<QWidget *>(receiver))
    return widget->window();
  if (auto *window = qobject_cast<QWindow *>(receiver))
    for (QWidget *top : QApplication::topLevelWidgets())
      if (top->windowHandle() == window)
        return top;
  return nullptr;
}

bool isWithin(const QWidget *widget, const QWidget *ancestor) {
  for (const QWidget *w = widget; w; w = w->parentWidget())
    if (w == ancestor)
      return true;
  return false;
}

// A held event on its way back, posted to the courier below so that its
// window is looked at when its turn comes, not when the work ended: an
// event given back before it may have opened a modal window meanwhile.
class HeldInput : public QEvent {
public:
  HeldInput(QPointer<QObject> receiver, QPointer<QWidget> window,
            std::unique_ptr<QEvent> event)
      : QEvent(kind()), receiver(std::move(receiver)),
        window(std::move(window)), event(std::move(event)) {}

  static QEvent::Type kind() {
    static const int type = QEvent::registerEventType();
    return QEvent::Type(type);
  }

  QPointer<QObject> receiver;
  QPointer<QWidget> window;
  std::unique_ptr<QEvent> event;
};

class Courier : public QObject {
public:
  using QObject::QObject;

protected:
  bool event(QEvent *event) override {
    if (event->type() != HeldInput::kind())
      return QObject::event(event);
    auto *held = static_cast<HeldInput *>(event);
    if (held->receiver && InputDeferral::takesInputNow(held->window))
      QCoreApplication::sendEvent(held->receiver, held->event.get());
    return true;
  }
};

Courier *courier() {
  static QPointer<Courier> instance;
  if (!instance)
    instance = new Courier(QCoreApplication::instance());
  return instance;
}

} // namespace

InputDeferral::InputDeferral(std::function<void()> onEscape)
    : m_onEscape(std::move(onEscape)) {
  QCoreApplication::instance()->installEventFilter(this);
}

InputDeferral::~InputDeferral() {
  QCoreApplication::instance()->removeEventFilter(this);
  // Posted events are delivered in the order they were posted, after
  // whatever handler ran the work has returned to the event loop; input
  // held by a later deferral comes after these.
  Courier *const target = courier();
  for (Held &held : m_held)
    QCoreApplication::postEvent(target, new HeldInput(std::move(held.receiver),
                                                      std::move(held.window),
                                                      std::move(held.event)));
}

bool InputDeferral::takesInputNow(const QWidget *window) {
  if (!window || !window->isVisible())
    return false;
  for (const QWidget *modal : QApplication::topLevelWidgets()) {
    if (modal == window || !modal->isVisible() || !modal->isModal())
      continue;
    // An application-modal window blocks every window but its own; a
    // window-modal one blocks the windows it belongs to.
    const bool blocks = modal->windowModality() == Qt::ApplicationModal
                            ? !isWithin(window, modal)
                            : isWithin(modal, window);
    if (blocks)
      return false;
  }
  return true;
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

void InputDeferral::hold(QObject *receiver, QEvent *event) {
  // A key travels from its window to the widget with the focus: holding it
  // at the window is enough, it takes that path again when given back.
  m_held.push_back(
      {receiver, windowOf(receiver), std::unique_ptr<QEvent>(event->clone())});
}

bool InputDeferral::eventFilter(QObject *receiver, QEvent *event) {
  // A shortcut is asked for before its key arrives: claiming the key for
  // the widget keeps any shortcut from firing now.
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  const Input input = inputOf(event->type());
  if (input == Input::None)
    return false;
  if (isEscape(event)) {
    // One Esc reaches the program twice, at its window and at the focused
    // widget; cancelling twice does no harm.
    if (event->type() == QEvent::KeyPress && m_onEscape)
      m_onEscape();
    return true;
  }
  if (isExempt(receiver))
    return input == Input::Key; // "取消" and the close box work
  switch (input) {
  case Input::Key:
    hold(receiver, event);
    break;
  case Input::Close:
    hold(receiver, event);
    // A close not yet done is an ignored one, so the desktop does not take
    // the window for closed.
    event->ignore();
    break;
  case Input::Press:
    m_discardedButtons |= static_cast<QMouseEvent *>(event)->button();
    break;
  case Input::Release: {
    const int button = static_cast<QMouseEvent *>(event)->button();
    if (m_discardedButtons & button)
      m_discardedButtons &= ~button;
    else
      hold(receiver, event);
    break;
  }
  case Input::Pointer:
  case Input::None:
    break;
  }
  return true;
}
