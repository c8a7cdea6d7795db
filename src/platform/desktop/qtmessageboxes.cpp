#include "platform/desktop/qtmessageboxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
  switch (icon) {
  case MessageIcon::Information:
    return QMessageBox::Information;
  case MessageIcon::Error:
    return QMessageBox::Critical;
  case MessageIcon::None:
    break;
  }
  return QMessageBox::NoIcon;
}

} // namespace

void QtMessageBoxes::showMessage(QWidget *owner, const QString &caption,
                                 const QString &text, MessageIcon icon) {
  QMessageBox box(boxIcon(icon), caption, text, QMessageBox::NoButton, owner);
  box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  box.exec();
}

YesNoAnswer QtMessageBoxes::askYesNo(QWidget *owner, const QString &caption,
                                     const QString &text) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton,
                  owner);
  QPushButton *yes =
      box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
  QPushButton *no =
      box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  // Esc and the close box press a hidden button of their own: backing out
  // answers neither question (the box would take "否" for them otherwise).
  QPushButton *backOut = box.addButton(QMessageBox::Cancel);
  backOut->hide();
  box.setEscapeButton(backOut);
  box.exec();
  if (box.clickedButton() == yes)
    return YesNoAnswer::Yes;
  return box.clickedButton() == no ? YesNoAnswer::No : YesNoAnswer::Dismissed;
}
