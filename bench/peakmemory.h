#pragma once

#include <QFile>
#include <QString>

// Peak resident memory of this process in MiB, from /proc/self/status
// (VmHWM); negative where the system does not report it.
inline double peakMemoryMiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  return -1;
}
