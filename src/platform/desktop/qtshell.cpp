#include "platform/desktop/qtshell.h"

#include "platform/desktop/desktopapplication.h"

#include <QDesktopServices>
#include <QDir>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

#ifndef Q_OS_WIN
QUrl shellTargetUrl(const QString &target, const QString &currentDir) {
  const QUrl url(target, QUrl::StrictMode);
  const bool hasScheme = url.isValid() && url.scheme().size() > 1;
  if (hasScheme ||
      target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
    return QUrl::fromUserInput(target);
  return QUrl::fromLocalFile(
      QDir(currentDir).absoluteFilePath(QDir::fromNativeSeparators(target)));
}
#endif

bool QtShell::execute(QWidget *owner, const QString &verb,
                      const QString &target, ShellShowMode showMode) {
#ifdef Q_OS_WIN
  const HWND window = owner ? HWND(owner->winId()) : nullptr;
  const HINSTANCE result = ShellExecuteW(
      window,
      verb.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(verb.utf16()),
      reinterpret_cast<LPCWSTR>(target.utf16()), nullptr, nullptr,
      int(showMode));
  // ShellExecute reports success by a value above 32.
  return reinterpret_cast<INT_PTR>(result) > 32;
#else
  Q_UNUSED(owner);
  Q_UNUSED(verb);
  Q_UNUSED(showMode);
  const QUrl url = shellTargetUrl(target, QDir::currentPath());
  // The desktop's opener starts detached and never reports a file it could
  // not open, so ask first whether anything is registered for it.
  if (url.isLocalFile() && !hasDesktopApplicationFor(url.toLocalFile()))
    return false;
  return QDesktopServices::openUrl(url);
#endif
}
