#include "platform/qtshell.h"

#include <QDesktopServices>
#include <QDir>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

QUrl shellTargetUrl(const QString &target, const QString &currentDir) {
  const QUrl url(target, QUrl::StrictMode);
  const bool hasScheme = url.isValid() && url.scheme().size() > 1;
  if (hasScheme ||
      target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
    return QUrl::fromUserInput(target);
  return QUrl::fromLocalFile(
      QDir(currentDir).absoluteFilePath(QDir::fromNativeSeparators(target)));
}

void QtShell::execute(QWidget *owner, const QString &verb,
                      const QString &target, ShellShowMode showMode) {
#ifdef Q_OS_WIN
  const HWND window = owner ? HWND(owner->winId()) : nullptr;
  ShellExecuteW(window,
                verb.isEmpty() ? nullptr
                               : reinterpret_cast<LPCWSTR>(verb.utf16()),
                reinterpret_cast<LPCWSTR>(target.utf16()), nullptr, nullptr,
                int(showMode));
#else
  Q_UNUSED(owner);
  Q_UNUSED(verb);
  Q_UNUSED(showMode);
  QDesktopServices::openUrl(shellTargetUrl(target, QDir::currentPath()));
#endif
}
