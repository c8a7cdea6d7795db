#pragma once

#include <QObject>
#include <memory>

// Destroys `object` on a thread of its own, for an object whose
// destruction waits for the disk (a temporary file of a gigabyte is
// removed). Nothing else may use the object any more. The program waits
// for these threads when it ends, so no such file outlives it.
void releaseInBackground(std::unique_ptr<QObject> object);
