#pragma once

#include <QString>

// Whether the desktop has a program registered for the type of the file at
// `path` (asked of the desktop's own MIME associations, given at most
// `timeoutMs` to answer); false for a file that does not exist. Used where
// the system has no shell of its own to report a file it cannot open.
bool hasDesktopApplicationFor(const QString &path, int timeoutMs = 3000);
