#pragma once

#include "platform/desktop/shell.h"

#include <QUrl>

#ifndef Q_OS_WIN
// The URL a shell target stands for where the desktop opens URLs (Windows
// takes the target itself): an address with a scheme or starting with
// "www." as the web address it names, anything else as a file path taken
// relative to `currentDir`.
QUrl shellTargetUrl(const QString &target, const QString &currentDir);
#endif

// Shell execution: the system shell on Windows, the desktop's URL handler
// elsewhere, where a file counts as opened only when the desktop has a
// program for its type.
class QtShell final : public Shell {
public:
  bool execute(QWidget *owner, const QString &verb, const QString &target,
               ShellShowMode showMode) override;
};
