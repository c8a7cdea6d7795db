#pragma once

#include "platform/desktop/shell.h"

#include <QUrl>

// The URL a shell target stands for: an address with a scheme or starting
// with "www." as the web address it names, anything else as a file path
// taken relative to `currentDir`.
QUrl shellTargetUrl(const QString &target, const QString &currentDir);

// Shell execution: the system shell on Windows, the desktop's URL handler
// elsewhere, where a file counts as opened only when the desktop has a
// program for its type.
class QtShell final : public Shell {
public:
  bool execute(QWidget *owner, const QString &verb, const QString &target,
               ShellShowMode showMode) override;
};
