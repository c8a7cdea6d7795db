#pragma once

#include <QFile>

// Opens `file`, a device or a pipe rather than a regular file, for writing
// with `mode` without waiting for it: a named pipe that nobody reads fails
// at once instead of blocking until a reader comes (on Windows such a pipe
// refuses the open by itself). Once open, writes wait as usual. False when
// it cannot be opened now.
bool openDeviceForWriting(QFile &file, QIODevice::OpenMode mode);
