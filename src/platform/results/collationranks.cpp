#include "platform/results/collationranks.h"

#include "platform/results/resultcolumn.h"

#include <QHash>
#include <algorithm>
#include <bit>
#include <numeric>
#include <thread>

// A text column is ranked in two ways. The fast one ranks each distinct
// character once with the collator and orders the texts by the ranks of
// their characters, packed into integers, asking the collator only where
// those ranks tie. That agrees with the collator for the text of ordinary
// columns, but a collation can weigh a character by its neighbours
// (contractions, expansions, accents that count only after the letters), so
// the result is then checked pair by pair with the collator itself: a
// sequence whose neighbours are all in order is in order. Where a check
// fails, the texts are ranked the exact, slower way: by collation keys of
// the distinct texts.

namespace {

using Rank = std::vector<int>;

constexpr int Unseen = -2;
constexpr int Ignored = 0; // a character the collator does not weigh

// The code point at `i` of `text`, advancing `i` past it.
char32_t codePointAt(QStringView text, qsizetype &i) {
  const char16_t unit = text[i++].unicode();
  if (QChar::isHighSurrogate(unit) && i < text.size() &&
      QChar::isLowSurrogate(text[i].unicode()))
    return QChar::surrogateToUcs4(unit, text[i++].unicode());
  return unit;
}

// Every character of a column with its class: characters the collator
// holds equal at the primary and secondary level share a class, numbered
// from 1 in collation order; characters it ignores are class 0.
class CharacterClasses {
public:
  CharacterClasses(const ResultColumn &column, const QCollator &collator) {
    std::vector<char32_t> characters;
    for (int row = 0; row < column.rowCount(); ++row) {
      if (column.isNull(row))
        continue;
      const QStringView text = column.text(row);
      for (qsizetype i = 0; i < text.size();) {
        const char32_t c = codePointAt(text, i);
        int &slot = this->slot(c);
        if (slot == Unseen) {
          slot = Ignored;
          characters.push_back(c);
        }
      }
    }
    rank(characters, collator);
  }

  int classOf(char32_t c) const {
    return c < 0x10000 ? m_basic[c] : m_supplementary.value(c, Ignored);
  }
  int classCount() const { return m_classCount; }

private:
  int &slot(char32_t c) {
    if (c < 0x10000)
      return m_basic[c];
    auto found = m_supplementary.find(c);
    if (found == m_supplementary.end())
      found = m_supplementary.insert(c, Unseen);
    return *found;
  }

  void rank(const std::vector<char32_t> &characters,
            const QCollator &collator) {
    std::vector<QString> texts;
    std::vector<QCollatorSortKey> keys;
    texts.reserve(characters.size());
    keys.reserve(characters.size());
    for (const char32_t c : characters) {
      texts.push_back(QString::fromUcs4(&c, 1));
      keys.push_back(collator.sortKey(texts.back()));
    }
    std::vector<int> order(characters.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    QCollator caseBlind = collator;
    caseBlind.setCaseSensitivity(Qt::CaseInsensitive);
    const QString nothing;
    int previous = -1;
    for (const int index : order) {
      if (collator.compare(texts[index], nothing) == 0)
        continue; // stays Ignored
      if (previous < 0 || caseBlind.compare(texts[previous], texts[index]) != 0)
        ++m_classCount;
      slot(characters[index]) = m_classCount;
      previous = index;
    }
  }

  std::vector<int> m_basic = std::vector<int>(0x10000, Unseen);
  QHash<char32_t, int> m_supplementary;
  int m_classCount = 0;
};

// A row's text with the classes of its first characters packed into two
// words, the first character in the highest bits, so that most comparisons
// are of integers.
struct PackedText {
  quint64 high = 0, low = 0;
  int row = 0;
};

// Runs `work(part, begin, end)` over [0, count): in two halves on two
// threads when there is enough to do, else whole as part 0.
template <typename Work> void onBothCores(size_t count, Work work) {
  if (count < 20000 || std::thread::hardware_concurrency() < 2) {
    work(0, size_t(0), count);
    return;
  }
  const size_t half = count / 2;
  std::thread second([&] { work(1, half, count); });
  work(0, size_t(0), half);
  second.join();
}

// A collator of its own for a second thread, with the same settings.
QCollator twinOf(const QCollator &collator) {
  QCollator twin(collator.locale());
  twin.setCaseSensitivity(collator.caseSensitivity());
  twin.setNumericMode(collator.numericMode());
  twin.setIgnorePunctuation(collator.ignorePunctuation());
  return twin;
}

class FastRanking {
public:
  FastRanking(const ResultColumn &column, const QCollator &collator,
              const CharacterClasses &classes)
      : m_column(column), m_collators{&collator, nullptr},
        m_twin(twinOf(collator)), m_classes(classes),
        m_bits(std::bit_width(unsigned(classes.classCount()))),
        m_perWord(64 / m_bits) {
    m_collators[1] = &m_twin;
  }

  // The ranks, or empty when a neighbour check failed.
  Rank ranks() {
    std::vector<PackedText> texts;
    texts.reserve(m_column.rowCount());
    for (int row = 0; row < m_column.rowCount(); ++row)
      if (!m_column.isNull(row))
        texts.push_back({0, 0, row});
    onBothCores(texts.size(), [&](int, size_t begin, size_t end) {
      for (size_t i = begin; i < end; ++i)
        pack(texts[i]);
    });
    size_t middle = 0;
    onBothCores(texts.size(), [&](int part, size_t begin, size_t end) {
      std::sort(texts.begin() + begin, texts.begin() + end,
                [&](const PackedText &a, const PackedText &b) {
                  return less(a, b, *m_collators[part]);
                });
      if (part == 1)
        middle = begin;
    });
    if (middle > 0)
      std::inplace_merge(texts.begin(), texts.begin() + middle, texts.end(),
                         [&](const PackedText &a, const PackedText &b) {
                           return less(a, b, *m_collators[0]);
                         });

    // Whether each text follows its neighbour as an equal (0) or a greater
    // one (1); 2 for a neighbour out of order.
    std::vector<quint8> steps(texts.size(), 0);
    onBothCores(texts.size(), [&](int part, size_t begin, size_t end) {
      for (size_t i = std::max<size_t>(begin, 1); i < end; ++i) {
        const QStringView before = m_column.text(texts[i - 1].row);
        const QStringView text = m_column.text(texts[i].row);
        if (before != text) {
          const int order = m_collators[part]->compare(before, text);
          steps[i] = order < 0 ? 1 : order > 0 ? 2 : 0;
        }
      }
    });
    Rank ranks(m_column.rowCount(), -1);
    int rank = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
      if (steps[i] == 2)
        return {};
      rank += steps[i];
      ranks[texts[i].row] = rank;
    }
    return ranks;
  }

private:
  void pack(PackedText &packed) const {
    const QStringView text = m_column.text(packed.row);
    int packedCount = 0;
    for (qsizetype i = 0; i < text.size() && packedCount < 2 * m_perWord;) {
      const int c = m_classes.classOf(codePointAt(text, i));
      if (c == Ignored)
        continue;
      quint64 &word = packedCount < m_perWord ? packed.high : packed.low;
      const int shift = (m_perWord - 1 - packedCount % m_perWord) * m_bits;
      word |= quint64(c) << shift;
      ++packedCount;
    }
  }

  bool less(const PackedText &a, const PackedText &b,
            const QCollator &collator) const {
    if (a.high != b.high)
      return a.high < b.high;
    if (a.low != b.low)
      return a.low < b.low;
    const QStringView textA = m_column.text(a.row),
                      textB = m_column.text(b.row);
    if (textA == textB)
      return false;
    const int order = compareClasses(textA, textB);
    return (order != 0 ? order : collator.compare(textA, textB)) < 0;
  }

  // Compares the whole class sequences of two texts.
  int compareClasses(QStringView a, QStringView b) const {
    qsizetype i = 0, j = 0;
    for (;;) {
      int classA = Ignored, classB = Ignored;
      while (classA == Ignored && i < a.size())
        classA = m_classes.classOf(codePointAt(a, i));
      while (classB == Ignored && j < b.size())
        classB = m_classes.classOf(codePointAt(b, j));
      if (classA != classB || classA == Ignored)
        return classA - classB;
    }
  }

  const ResultColumn &m_column;
  const QCollator *m_collators[2]; // one per thread
  QCollator m_twin;
  const CharacterClasses &m_classes;
  int m_bits;
  int m_perWord;
};

// The exact way: a collation key per distinct text, sorted.
Rank rankByKeys(const ResultColumn &column, const QCollator &collator) {
  QHash<QStringView, int> indexOfText;
  indexOfText.reserve(column.rowCount());
  std::vector<QStringView> texts;
  std::vector<int> textOfRow(column.rowCount(), -1);
  for (int row = 0; row < column.rowCount(); ++row) {
    if (column.isNull(row))
      continue;
    const QStringView text = column.text(row);
    auto found = indexOfText.constFind(text);
    if (found == indexOfText.constEnd()) {
      found = indexOfText.insert(text, int(texts.size()));
      texts.push_back(text);
    }
    textOfRow[row] = *found;
  }

  std::vector<QCollatorSortKey> keys;
  keys.reserve(texts.size());
  for (QStringView text : texts)
    keys.push_back(collator.sortKey(text.toString()));
  std::vector<int> order(texts.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
  std::vector<int> rankOfText(texts.size());
  for (size_t i = 0, rank = 0; i < order.size(); ++i) {
    if (i > 0 && keys[order[i - 1]].compare(keys[order[i]]) != 0)
      ++rank;
    rankOfText[order[i]] = int(rank);
  }

  Rank ranks(column.rowCount(), -1);
  for (int row = 0; row < column.rowCount(); ++row)
    if (textOfRow[row] >= 0)
      ranks[row] = rankOfText[textOfRow[row]];
  return ranks;
}

} // namespace

std::vector<int> collationRanks(const ResultColumn &column,
                                const QCollator &collator) {
  const CharacterClasses classes(column, collator);
  if (classes.classCount() > 0) {
    Rank ranks = FastRanking(column, collator, classes).ranks();
    if (!ranks.empty())
      return ranks;
  }
  return rankByKeys(column, collator);
}
