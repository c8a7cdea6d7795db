#pragma once

#include "platform/desktop/messageboxes.h"

// Message boxes shown with QMessageBox.
class QtMessageBoxes final : public MessageBoxes {
public:
  void showMessage(QWidget *owner, const QString &caption, const QString &text,
                   MessageIcon icon) override;
  YesNoAnswer askYesNo(QWidget *owner, const QString &caption,
                       const QString &text) override;
};
