#pragma once

#include <QFile>
#include <QString>

// A memory figure of this process in MiB from /proc/self/status ("VmHWM:",
// "VmRSS:"); negative where the system does not report it.
inline double processMemoryMiB(const char *key) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith(key))
      return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toDouble() /
             1024;
  return -1;
}

// Peak resident memory of this process in MiB.
inline double peakMemoryMiB() { return processMemoryMiB("VmHWM:"); }

// Resident memory of this process now, in MiB.
inline double residentMemoryMiB() { return processMemoryMiB("VmRSS:"); }

// Resets the peak resident memory to the current one (Linux; elsewhere the
// peak stays the process's).
inline void resetPeakMemory() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  if (clear.open(QIODevice::WriteOnly))
    clear.write("5");
}
