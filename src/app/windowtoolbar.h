#pragma once

#include "app/toolbaricons.h"

#include <QToolBar>

class QToolButton;

// The toolbar band of both windows: 45 pixels high, flat buttons 35 pixels
// high showing the picture above the caption.
class WindowToolBar : public QToolBar {
  Q_OBJECT
public:
  explicit WindowToolBar(QWidget *parent = nullptr);

  // Appends a button, after a separator unless it is the first.
  QToolButton *addButton(ToolIcon icon, const QString &caption);

  // The band's height, whatever its buttons ask for: the toolbar's own
  // layout resets the minimum height a fixed height would set.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};
