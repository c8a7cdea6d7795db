#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Mouse events sent straight to a widget, the button kept down between a
// press and its release as a real pointer would.
class MouseInput {
public:
  explicit MouseInput(QWidget *target) : m_target(target) {}

  void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    m_buttons |= button;
    send(QEvent::MouseButtonPress, at, button);
  }
  void doubleClick(QPoint at) {
    m_buttons |= Qt::LeftButton;
    send(QEvent::MouseButtonDblClick, at, Qt::LeftButton);
  }
  void move(QPoint to) { send(QEvent::MouseMove, to, Qt::NoButton); }
  void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    m_buttons &= ~button;
    send(QEvent::MouseButtonRelease, at, button);
  }
  void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    press(at, button);
    release(at, button);
  }
  // The event sequence of a double click: press, release, double click,
  // release.
  void doubleClickSequence(QPoint at) {
    click(at);
    doubleClick(at);
    release(at);
  }

private:
  void send(QEvent::Type type, QPoint at, Qt::MouseButton button) {
    QMouseEvent event(type, QPointF(at), m_target->mapToGlobal(QPointF(at)),
                      button, m_buttons, Qt::NoModifier);
    QApplication::sendEvent(m_target, &event);
  }

  QWidget *m_target;
  Qt::MouseButtons m_buttons;
};
