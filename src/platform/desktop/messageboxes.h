#pragma once

#include <QString>

class QWidget;

enum class MessageIcon { None, Information, Error };

// How a question was answered: a button, or the box closed with Esc or its
// close box, which answers neither.
enum class YesNoAnswer { Yes, No, Dismissed };

// The program's modal message boxes. `owner` is the window the box belongs
// to; null gives a box without an owner window.
class MessageBoxes {
public:
  virtual ~MessageBoxes() = default;

  // A box with an OK button; returns when the user closed it.
  virtual void showMessage(QWidget *owner, const QString &caption,
                           const QString &text, MessageIcon icon) = 0;

  // A question with Yes and No buttons.
  virtual YesNoAnswer askYesNo(QWidget *owner, const QString &caption,
                               const QString &text) = 0;
};
