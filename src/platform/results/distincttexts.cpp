#include "platform/results/distincttexts.h"

#include "platform/results/resultcolumn.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// A quick hash of a text, eight bytes at a time: good enough to spread the
// texts of one column over a table, where each hit is still compared.
quint64 hashOf(QStringView text) {
  const char *bytes = reinterpret_cast<const char *>(text.utf16());
  size_t left = size_t(text.size()) * sizeof(char16_t);
  quint64 hash = left * 0x9E3779B97F4A7C15ull;
  for (; left >= 8; left -= 8, bytes += 8) {
    quint64 word;
    std::memcpy(&word, bytes, 8);
    hash = std::rotl((hash ^ word) * 0xFF51AFD7ED558CCDull, 29);
  }
  if (left > 0) {
    quint64 word = 0;
    std::memcpy(&word, bytes, left);
    hash = std::rotl((hash ^ word) * 0xFF51AFD7ED558CCDull, 29);
  }
  return (hash ^ (hash >> 32)) * 0xC4CEB9FE1A85EC53ull;
}

} // namespace

DistinctTexts::DistinctTexts(const ResultColumn &column, int limit)
    : m_limit(std::max(limit, 0)),
      // At most half full.
      m_table(std::bit_ceil(size_t(2) * size_t(std::max(limit, 1))), -1) {
  m_indexOfRow.reserve(size_t(column.rowCount()));
  for (int row = 0; row < column.rowCount(); ++row) {
    if (column.isNull(row)) {
      m_indexOfRow.push_back(-1);
      continue;
    }
    const int index = indexOf(column.text(row));
    if (index < 0) {
      m_found = false;
      m_texts = {};
      m_indexOfRow = {};
      return;
    }
    m_indexOfRow.push_back(index);
  }
}

int DistinctTexts::indexOf(QStringView text) {
  const quint64 hash = hashOf(text);
  const size_t mask = m_table.size() - 1;
  for (size_t slot = size_t(hash) & mask;; slot = (slot + 1) & mask) {
    const int index = m_table[slot];
    if (index >= 0) {
      if (m_hashes[size_t(index)] == hash && m_texts[size_t(index)] == text)
        return index;
      continue;
    }
    if (int(m_texts.size()) == m_limit)
      return -1;
    m_table[slot] = int(m_texts.size());
    m_texts.push_back(text);
    m_hashes.push_back(hash);
    return m_table[slot];
  }
}
