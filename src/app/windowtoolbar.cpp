#include "app/windowtoolbar.h"

#include <QAction>
#include <QToolButton>

namespace {
constexpr int BandHeight = 45;
constexpr int ButtonHeight = 35;
} // namespace

WindowToolBar::WindowToolBar(QWidget *parent) : QToolBar(parent) {
  setMovable(false);
  setFloatable(false);
  setFixedHeight(BandHeight);
  setIconSize(QSize(18, 18));
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setContentsMargins(2, 0, 2, 0);
}

QToolButton *WindowToolBar::addButton(ToolIcon icon, const QString &caption) {
  if (!actions().isEmpty())
    addSeparator();
  QAction *action = addAction(toolIcon(icon), caption);
  auto *button = qobject_cast<QToolButton *>(widgetForAction(action));
  button->setFixedHeight(ButtonHeight);
  button->setMinimumWidth(42);
  button->setAutoRaise(true);
  return button;
}

QSize WindowToolBar::sizeHint() const {
  return {QToolBar::sizeHint().width(), BandHeight};
}

QSize WindowToolBar::minimumSizeHint() const {
  return {QToolBar::minimumSizeHint().width(), BandHeight};
}
