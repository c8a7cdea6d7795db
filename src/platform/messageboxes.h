#pragma once

#include <QString>

class QWidget;

enum class MessageIcon { None, Information, Error };

// The program's modal message boxes. `owner` is the window the box belongs
// to; null gives a box without an owner window.
class MessageBoxes {
public:
  virtual ~MessageBoxes() = default;

  // A box with an OK button; returns when the user closed it.
  virtual void showMessage(QWidget *owner, const QString &caption,
                           const QString &text, MessageIcon icon) = 0;

  // A question with Yes and No buttons; true for Yes.
  virtual bool askYesNo(QWidget *owner, const QString &caption,
                        const QString &text) = 0;
};
