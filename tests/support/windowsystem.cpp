#include "support/windowsystem.h"

#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

void windowManagerClose(QWidget *window) {
  if (QWindow *handle = window->windowHandle())
    QWindowSystemInterface::handleCloseEvent<
        QWindowSystemInterface::SynchronousDelivery>(handle);
}
