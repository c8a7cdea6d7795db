#pragma once

#include <QCollator>
#include <QString>

// The collation key of one text: two keys compare as the collator compares
// their texts. On Windows a key is the text itself, compared by the
// collator: Qt's keys there are made by the system, and they do not order
// texts as the system's comparison does everywhere the program runs (under
// Wine they differ).
class CollationKey {
public:
  // The key keeps `collator` by reference on Windows: it must outlive it.
  CollationKey(const QCollator &collator, const QString &text);

  // Negative, zero or positive as this key's text comes before, with or
  // after the other's.
  int compare(const CollationKey &other) const;

private:
#ifdef Q_OS_WIN
  const QCollator *m_collator;
  QString m_text;
#else
  QCollatorSortKey m_key;
#endif
};
