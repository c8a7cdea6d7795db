#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// Reading and writing whole files, and ways to make the file system refuse
// what a test needs refused, whoever runs the test (the latter Unix only).

// The bytes of the file at `path`, or "<missing>" when it cannot be read.
QByteArray contentOf(const QString &path);
// Writes `bytes` as the whole file at `path`; false when not all were stored.
bool writeFile(const QString &path, const QByteArray &bytes);

// Runs `action` where `folder` refuses new files and every file in it but
// those named in `writable` refuses writing, and returns what it returned.
// Root ignores permissions, so as root a child process runs `action` as the
// unprivileged user 65534, who is given the `writable` files but not the
// folder; the child is killed after 20 seconds (false). Other users get the
// folder and the files made read-only for the time of `action`.
bool whereFolderRefusesNewFiles(const QString &folder,
                                const QStringList &writable,
                                const std::function<bool()> &action);

// Makes at `path` a device that takes no byte, as /dev/full does. False
// when the system does not let this user make device nodes.
bool makeFullDevice(const QString &path);
