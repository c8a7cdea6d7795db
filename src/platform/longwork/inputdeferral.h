#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QWidget;

// Holds back the user's input while long work runs, so that nothing the
// user does starts other work or closes a window under it, and gives it
// back afterwards. While it lives it takes every key, mouse, wheel, touch
// and close event aimed at any window but the exempt one; on destruction
// it removes itself and posts copies of them to their receivers in the
// order they came, as if the window's thread had only been busy. Esc is
// the exception: it calls the escape handler and is not given back. Keys
// are held for the widget that had the focus when the deferral began, even
// when a platform gave the focus to the exempt window meanwhile.
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

protected:
  bool eventFilter(QObject *receiver, QEvent *event) override;

private:
  bool isExempt(QObject *receiver) const;

  struct Held {
    QPointer<QObject> receiver;
    std::unique_ptr<QEvent> event;
  };
  std::function<void()> m_onEscape;
  QPointer<QWidget> m_exempt;
  QPointer<QWidget> m_keyTarget;
  std::vector<Held> m_held;
};
