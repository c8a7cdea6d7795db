#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QWidget;

// Holds back the user's input while long work runs, so that nothing the
// user does starts other work or closes a window under it. While it lives
// it sees every input event aimed at any window but the exempt one:
// - keys are held, and given back in the order they came once it is
//   destroyed, as if the window's thread had only been busy;
// - a close request is held with them, and closes its window afterwards
//   only where that window can still be closed;
// - mouse presses, clicks, double clicks, moves, wheel turns, touches and
//   context menus are discarded: they were aimed at what the window showed
//   before the work changed it (a release is held only for a press made
//   before the work, so the widget pressed sees its button come up);
// - Esc calls the escape handler and is neither held nor given back.
// The exempt window (the progress window) takes its mouse input and close
// box as usual; keys typed at it go nowhere.
//
// Held input is given back through the event loop, one event at a time,
// each to the widget or window it was aimed at, but only while that window
// is still shown and no modal window blocks it; otherwise it is dropped.
class InputDeferral : public QObject {
  Q_OBJECT
public:
  explicit InputDeferral(std::function<void()> onEscape);
  ~InputDeferral() override;
  InputDeferral(const InputDeferral &) = delete;
  InputDeferral &operator=(const InputDeferral &) = delete;

  // The window whose mouse input passes (the progress window with its
  // "取消").
  void exempt(QWidget *window) { m_exempt = window; }

  // Events held so far.
  size_t heldCount() const { return m_held.size(); }

  // Whether `window` (a top-level widget) may take input given back now:
  // shown, and not blocked by a modal window.
  static bool takesInputNow(const QWidget *window);

protected:
  bool eventFilter(QObject *receiver, QEvent *event) override;

private:
  bool isExempt(QObject *receiver) const;
  void hold(QObject *receiver, QEvent *event);

  struct Held {
    QPointer<QObject> receiver;
    QPointer<QWidget> window; // the top-level window of the receiver
    std::unique_ptr<QEvent> event;
  };
  std::function<void()> m_onEscape;
  QPointer<QWidget> m_exempt;
  std::vector<Held> m_held;
  int m_discardedButtons = 0; // pressed during the work: their release too
};
