#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Lets GoogleTest print Qt texts in failure messages and stream them into
// assertion messages.
inline std::ostream &operator<<(std::ostream &os, const QString &text) {
  return os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QString &text, std::ostream *os) { *os << text; }

inline void PrintTo(const QByteArray &bytes, std::ostream *os) {
  *os << bytes.toHex(' ').toStdString();
}
