#pragma once

#include <QCollator>
#include <QString>

#ifdef Q_OS_WIN
#include <QByteArray>
#endif

// The collation key of one text: two keys compare as the collator compares
// their texts. On Windows the key is the system's own, compared byte by
// byte as the system defines it (Qt's keys there compare as text, which
// orders them differently from the collator).
class CollationKey {
public:
  CollationKey(const QCollator &collator, const QString &text);

  // Negative, zero or positive as this key's text comes before, with or
  // after the other's.
  int compare(const CollationKey &other) const;

private:
#ifdef Q_OS_WIN
  QByteArray m_bytes;
#else
  QCollatorSortKey m_key;
#endif
};
