#pragma once

#include <QString>

// Removes the file at `path` on a thread of its own, for a file whose
// removal waits for the disk (a temporary file of a gigabyte). Removals
// run one after the other on one thread; the program waits for them when
// it ends, so no such file outlives it.
void removeFileInBackground(const QString &path);

// Returns once every removal asked for so far is done.
void waitForBackgroundRemovals();
