#include "platform/results/collationkey.h"

#ifdef Q_OS_WIN

#include <windows.h>

// The flags are those Qt's collator compares with, so that keys and
// comparisons agree.
CollationKey::CollationKey(const QCollator &collator, const QString &text) {
  DWORD flags = LCMAP_SORTKEY;
  if (collator.caseSensitivity() == Qt::CaseInsensitive)
    flags |= NORM_IGNORECASE;
  if (collator.numericMode())
    flags |= SORT_DIGITSASNUMBERS;
  if (collator.ignorePunctuation())
    flags |= NORM_IGNORESYMBOLS;
  const QString locale = collator.locale().bcp47Name();
  const auto name = reinterpret_cast<LPCWSTR>(locale.utf16());
  const auto source = reinterpret_cast<LPCWSTR>(text.utf16());
  const int length = int(text.size());
  // With LCMAP_SORTKEY the sizes are in bytes.
  const int size = LCMapStringEx(name, flags, source, length, nullptr, 0,
                                 nullptr, nullptr, 0);
  m_bytes.resize(size);
  LCMapStringEx(name, flags, source, length,
                reinterpret_cast<LPWSTR>(m_bytes.data()), size, nullptr,
                nullptr, 0);
}

int CollationKey::compare(const CollationKey &other) const {
  return m_bytes.compare(other.m_bytes);
}

#else

CollationKey::CollationKey(const QCollator &collator, const QString &text)
    : m_key(collator.sortKey(text)) {}

int CollationKey::compare(const CollationKey &other) const {
  return m_key.compare(other.m_key);
}

#endif
