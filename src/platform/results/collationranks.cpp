#include "platform/results/collationranks.h"

#include "platform/longwork/workprogress.h"
#include "platform/results/collationkey.h"
#include "platform/results/distincttexts.h"
#include "platform/results/resultcolumn.h"
#include "platform/results/scratchmemory.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>
#include <thread>
#include <utility>

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

using Rank = ScratchVector<int>;

constexpr int Unseen = -2;
constexpr int Ignored = 0; // a character the collator does not weigh

// The code point at `i` of `text`, advancing `i` past it.
Q_ALWAYS_INLINE char32_t codePointAt(QStringView text, qsizetype &i) {
  const char16_t unit = text[i++].unicode();
  if (!QChar::isSurrogate(unit))
    return unit;
  if (QChar::isHighSurrogate(unit) && i < text.size() &&
      QChar::isLowSurrogate(text[i].unicode()))
    return QChar::surrogateToUcs4(unit, text[i++].unicode());
  return unit;
}

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

// Every character of a column with its class: characters the collator
// holds equal at the primary and secondary level share a class, numbered
// from 1 in collation order; characters it ignores are class 0.
class CharacterClasses {
public:
  CharacterClasses(const ResultColumn &column, const QCollator &collator) {
    // A bit for each character of the basic plane seen, a set for the
    // others, on both cores; then joined in code point order.
    std::vector<quint64> seen[2];
    QSet<char32_t> beyond[2];
    onBothCores(size_t(column.rowCount()),
                [&](int part, size_t begin, size_t end) {
                  std::vector<quint64> &bits = seen[part];
                  bits.assign(0x10000 / 64, 0);
                  for (size_t row = begin; row < end; ++row) {
                    if (column.isNull(int(row)))
                      continue;
                    const QStringView text = column.text(int(row));
                    for (qsizetype i = 0; i < text.size();) {
                      const char32_t c = codePointAt(text, i);
                      if (c < 0x10000)
                        bits[c / 64] |= quint64(1) << (c % 64);
                      else
                        beyond[part].insert(c);
                    }
                  }
                });
    for (size_t word = 0; word < seen[0].size(); ++word)
      for (quint64 bits = seen[0][word] | (seen[1].empty() ? 0 : seen[1][word]);
           bits; bits &= bits - 1)
        m_characters.push_back(
            char32_t(word * 64 + size_t(std::countr_zero(bits))));
    beyond[0].unite(beyond[1]);
    const size_t basic = m_characters.size();
    m_characters.insert(m_characters.end(), beyond[0].begin(), beyond[0].end());
    std::sort(m_characters.begin() + qsizetype(basic), m_characters.end());
    for (const char32_t c : m_characters)
      slot(c) = Ignored;
    rank(m_characters, collator);
  }

  int classOf(char32_t c) const {
    return c < 0x10000 ? m_basic[c] : m_supplementary.value(c, Ignored);
  }
  int classCount() const { return m_classCount; }
  // The first character of class `c` (1..classCount()) in collation order.
  const QString &representative(int c) const { return m_representatives[c]; }
  // Whether the classes of `text` tell it apart from every other text: no
  // character of it shares its class or is ignored by the collator.
  bool tellApart(QStringView text) const {
    for (qsizetype i = 0; i < text.size();) {
      const int c = classOf(codePointAt(text, i));
      if (c == Ignored || m_members[c] != 1)
        return false;
    }
    return true;
  }
  // The characters of the column, each once.
  const std::vector<char32_t> &characters() const { return m_characters; }

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
    std::vector<CollationKey> keys;
    texts.reserve(characters.size());
    keys.reserve(characters.size());
    for (const char32_t c : characters) {
      texts.push_back(QString::fromUcs4(&c, 1));
      keys.emplace_back(collator, texts.back());
    }
    std::vector<int> order(characters.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    QCollator caseBlind = collator;
    caseBlind.setCaseSensitivity(Qt::CaseInsensitive);
    const QString nothing;
    int previous = -1;
    m_representatives.emplace_back();
    m_members.push_back(0);
    for (const int index : order) {
      if (collator.compare(texts[index], nothing) == 0)
        continue; // stays Ignored
      if (previous < 0 ||
          caseBlind.compare(texts[previous], texts[index]) != 0) {
        ++m_classCount;
        m_representatives.push_back(texts[index]);
        m_members.push_back(0);
      }
      ++m_members.back();
      slot(characters[index]) = m_classCount;
      previous = index;
    }
  }

  std::vector<int> m_basic = std::vector<int>(0x10000, Unseen);
  QHash<char32_t, int> m_supplementary;
  int m_classCount = 0;
  std::vector<char32_t> m_characters;
  std::vector<QString> m_representatives; // by class; [0] unused
  std::vector<int> m_members;             // by class
};

// A row's text with the classes of its first characters packed into two
// words, the first character in the highest bits, so that most comparisons
// are of integers.
struct PackedText {
  quint64 high = 0, low = 0;
  int row = 0;
};

// A collator of its own for a second thread, with the same settings.
QCollator twinOf(const QCollator &collator) {
  QCollator twin(collator.locale());
  twin.setCaseSensitivity(collator.caseSensitivity());
  twin.setNumericMode(collator.numericMode());
  twin.setIgnorePunctuation(collator.ignorePunctuation());
  return twin;
}

// Called between the steps of the work; throws to stop it.
using Pause = std::function<void()>;

class FastRanking {
public:
  FastRanking(const ResultColumn &column, const QCollator &collator,
              const CharacterClasses &classes, Pause pause)
      : m_column(column),
        m_pause(std::move(pause)), m_collators{&collator, nullptr},
        m_twin(twinOf(collator)), m_classes(classes),
        m_bits(std::bit_width(unsigned(classes.classCount()))),
        m_perWord(64 / m_bits) {
    m_collators[1] = &m_twin;
  }

  // The ranks, or empty when a neighbour check failed.
  Rank ranks() {
    ScratchVector<PackedText> texts;
    texts.reserve(m_column.rowCount());
    for (int row = 0; row < m_column.rowCount(); ++row)
      if (!m_column.isNull(row))
        texts.push_back({0, 0, row});
    onBothCores(texts.size(), [&](int, size_t begin, size_t end) {
      for (size_t i = begin; i < end; ++i)
        pack(texts[i]);
    });
    m_pause();
    size_t middle = 0;
    onBothCores(texts.size(), [&](int part, size_t begin, size_t end) {
      std::sort(texts.begin() + begin, texts.begin() + end,
                [&](const PackedText &a, const PackedText &b) {
                  return less(a, b, *m_collators[part]);
                });
      if (part == 1)
        middle = begin;
    });
    m_pause();
    if (middle > 0)
      std::inplace_merge(texts.begin(), texts.begin() + middle, texts.end(),
                         [&](const PackedText &a, const PackedText &b) {
                           return less(a, b, *m_collators[0]);
                         });
    m_pause();

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
    m_pause();
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
  Pause m_pause;
  const QCollator *m_collators[2]; // one per thread
  QCollator m_twin;
  const CharacterClasses &m_classes;
  int m_bits;
  int m_perWord;
};

// The pairs of characters that follow each other somewhere in the texts of
// a column.
class CharacterPairs {
public:
  CharacterPairs(const ResultColumn &column, const CharacterClasses &classes) {
    const std::vector<char32_t> &characters = classes.characters();
    m_count = characters.size();
    std::vector<int> index(0x10000, -1);
    QHash<char32_t, int> supplementary;
    for (size_t i = 0; i < m_count; ++i) {
      if (characters[i] < 0x10000)
        index[characters[i]] = int(i);
      else
        supplementary.insert(characters[i], int(i));
    }
    const auto indexOf = [&](char32_t c) {
      return c < 0x10000 ? index[c] : supplementary.value(c, -1);
    };
    const bool dense = m_count <= MaxDense;
    std::vector<quint64> bits[2];
    QSet<quint64> sets[2];
    onBothCores(
        size_t(column.rowCount()), [&](int part, size_t begin, size_t end) {
          if (dense)
            bits[part].assign((m_count * m_count + 63) / 64, 0);
          for (size_t row = begin; row < end; ++row) {
            if (column.isNull(int(row)))
              continue;
            const QStringView text = column.text(int(row));
            int before = -1;
            for (qsizetype i = 0; i < text.size();) {
              const int at = indexOf(codePointAt(text, i));
              if (before >= 0) {
                const quint64 pair = quint64(before) * m_count + quint64(at);
                if (dense)
                  bits[part][pair / 64] |= quint64(1) << (pair % 64);
                else
                  sets[part].insert(pair);
              }
              before = at;
            }
          }
        });
    if (dense) {
      for (size_t i = 0; i < bits[1].size(); ++i)
        bits[0][i] |= bits[1][i];
      for (size_t word = 0; word < bits[0].size(); ++word)
        for (quint64 w = bits[0][word]; w; w &= w - 1)
          addPair(characters, word * 64 + size_t(std::countr_zero(w)));
    } else {
      sets[0].unite(sets[1]);
      for (const quint64 pair : std::as_const(sets[0]))
        addPair(characters, pair);
    }
  }

  const std::vector<std::pair<char32_t, char32_t>> &pairs() const {
    return m_pairs;
  }

private:
  static constexpr size_t MaxDense = 8192;

  void addPair(const std::vector<char32_t> &characters, quint64 pair) {
    m_pairs.emplace_back(characters[size_t(pair / m_count)],
                         characters[size_t(pair % m_count)]);
  }

  size_t m_count = 0;
  std::vector<std::pair<char32_t, char32_t>> m_pairs;
};

// Whether the collator weighs each character of the column on its own, the
// way the classes do: every class differs from the next at the primary
// level (no accent alone tells them apart), no character expands into the
// weights of several (as "æ" into "ae"), none the collator leaves out at
// the primary level only, and no pair of characters that follow each other
// in the texts makes a weight of its own (a contraction, as "ch" in some
// languages). Then texts whose class sequences differ are in the order of
// those sequences, and the collator is needed only for texts of equal
// sequences. Each rule is put to the collator itself with a few texts
// made of the column's characters.
bool weighsCharactersAlone(const CharacterClasses &classes,
                           const CharacterPairs &pairs,
                           const QCollator &collator) {
  const int count = classes.classCount();
  if (count < 1)
    return false;
  const auto of = [&](int c) -> const QString & {
    return classes.representative(c);
  };
  const QString &lowest = of(1), &highest = of(count);
  if (count > 1 && collator.compare(lowest + highest, of(2)) >= 0)
    return false; // the lowest class weighs nothing at the primary level
  for (int c = 2; c <= count; ++c) {
    if (collator.compare(of(c) + lowest, of(c - 1) + highest) <= 0)
      return false; // an accent alone parts class c from c - 1
    if (collator.compare(of(c - 1) + highest + highest, of(c)) >= 0)
      return false; // class c expands into c - 1 and more
  }
  const QString nothing;
  for (const auto &[first, second] : pairs.pairs()) {
    const QString a = QString::fromUcs4(&first, 1);
    const QString b = QString::fromUcs4(&second, 1);
    const int classA = classes.classOf(first), classB = classes.classOf(second);
    const QString pair = a + b;
    if (classA == Ignored || classB == Ignored) {
      if (collator.compare(pair, classA == Ignored ? b : a) != 0)
        return false;
      continue;
    }
    if (classB > 1 && collator.compare(a + of(classB - 1) + highest, pair) >= 0)
      return false;
    if (classB < count && collator.compare(pair, a + of(classB + 1)) >= 0)
      return false;
  }
  return true;
}

// The ranks of a column whose characters the collator weighs alone: the
// texts sorted by their class sequences, a few classes at a time packed
// into integers, texts that agree so far sorted again by the classes that
// follow, and only texts of equal class sequences that their classes do
// not tell apart compared by the collator.
class SequenceRanking {
public:
  SequenceRanking(const ResultColumn &column, const QCollator &collator,
                  const CharacterClasses &classes, Pause pause)
      : m_column(column), m_collator(collator), m_classes(classes),
        m_pause(std::move(pause)),
        m_bits(std::bit_width(unsigned(classes.classCount()))),
        m_perWord(64 / m_bits) {}

  Rank ranks() {
    m_items.reserve(size_t(m_column.rowCount()));
    for (int row = 0; row < m_column.rowCount(); ++row)
      if (!m_column.isNull(row))
        m_items.push_back({0, 0, row, 0});
    m_newGroup.assign(m_items.size(), 0);
    sortFrom(0, m_items.size());
    Rank ranks(m_column.rowCount(), -1);
    int rank = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
      if (i > 0 && m_newGroup[i])
        ++rank;
      ranks[m_items[i].row] = rank;
    }
    return ranks;
  }

private:
  // A text with the classes of its next characters packed, from the
  // character at `next`; `next` is -1 once the text is packed to its end.
  struct Item {
    quint64 high, low;
    int row;
    int next;
  };

  static bool less(const Item &a, const Item &b) {
    if (a.high != b.high)
      return a.high < b.high;
    if (a.low != b.low)
      return a.low < b.low;
    return (a.next >= 0) < (b.next >= 0); // the text that ended first
  }
  static bool same(const Item &a, const Item &b) {
    return a.high == b.high && a.low == b.low && (a.next >= 0) == (b.next >= 0);
  }

  void pack(Item &item) const {
    const QStringView text = m_column.text(item.row);
    item.high = item.low = 0;
    int packed = 0;
    qsizetype i = item.next;
    while (i < text.size() && packed < 2 * m_perWord) {
      const int c = m_classes.classOf(codePointAt(text, i));
      if (c == Ignored)
        continue;
      quint64 &word = packed < m_perWord ? item.high : item.low;
      word |= quint64(c) << ((m_perWord - 1 - packed % m_perWord) * m_bits);
      ++packed;
    }
    // Characters the collator ignores at the end change nothing.
    while (i < text.size()) {
      qsizetype at = i;
      if (m_classes.classOf(codePointAt(text, at)) != Ignored)
        break;
      i = at;
    }
    item.next = i < text.size() ? int(i) : -1;
  }

  // Sorts the items in [begin, end), which agree in the classes before each
  // one's `next`, and marks where a different class sequence begins.
  void sortFrom(size_t begin, size_t end) {
    const size_t count = end - begin;
    const auto first = m_items.begin() + begin;
    const auto byKey = [](const Item &a, const Item &b) { return less(a, b); };
    if (count > 20000) {
      onBothCores(count, [&](int, size_t from, size_t to) {
        for (size_t i = begin + from; i < begin + to; ++i)
          pack(m_items[i]);
      });
      m_pause();
      sortByBuckets(begin, end);
      m_pause();
    } else {
      for (size_t i = begin; i < end; ++i)
        pack(m_items[i]);
      std::sort(first, first + count, byKey);
    }
    for (size_t start = begin; start < end;) {
      size_t stop = start + 1;
      while (stop < end && same(m_items[start], m_items[stop]))
        ++stop;
      if (stop < end)
        m_newGroup[stop] = 1;
      if (stop - start > 1) {
        if (m_items[start].next >= 0)
          sortFrom(start, stop);
        else
          sortEqualSequences(start, stop);
      }
      start = stop;
    }
  }

  // Sorts the many items of [begin, end): spread over buckets by the 16
  // highest bits of their packed classes in which they differ, then each
  // bucket sorted on its own, the buckets shared by both cores. Two passes
  // over all the items, then small sorts that stay in the cache.
  void sortByBuckets(size_t begin, size_t end) {
    Item *const items = m_items.data() + begin;
    const size_t count = end - begin;
    quint64 high = 0, low = 0;
    for (size_t i = 0; i < count; ++i) {
      high |= items[i].high ^ items[0].high;
      low |= items[i].low ^ items[0].low;
    }
    // The bits under the highest one that differs, continuing from the
    // high word into the low one.
    const int top = high ? 127 - std::countl_zero(high)
                         : (low ? 63 - std::countl_zero(low) : 15);
    const int shift = top - 15; // of the 128 bits high:low
    const auto bucketOf = [shift](const Item &item) -> size_t {
      quint64 bits;
      if (shift >= 64)
        bits = item.high >> (shift - 64);
      else if (shift > 0)
        bits = item.high << (64 - shift) | item.low >> shift;
      else
        bits = item.low << -shift;
      return size_t(bits & 0xffff);
    };
    std::vector<size_t> bucketStart(0x10000 + 1, 0);
    for (size_t i = 0; i < count; ++i)
      ++bucketStart[bucketOf(items[i]) + 1];
    std::partial_sum(bucketStart.begin(), bucketStart.end(),
                     bucketStart.begin());
    if (m_placed.size() < count)
      m_placed = ScratchVector<Item>(count);
    std::vector<size_t> next(bucketStart.begin(), bucketStart.end() - 1);
    for (size_t i = 0; i < count; ++i)
      m_placed[next[bucketOf(items[i])]++] = items[i];
    m_pause();

    const size_t half = size_t(
        std::lower_bound(bucketStart.begin(), bucketStart.end(), count / 2) -
        bucketStart.begin());
    const auto sortBuckets = [&](size_t first, size_t last) {
      for (size_t bucket = first; bucket < last; ++bucket)
        std::sort(m_placed.begin() + qsizetype(bucketStart[bucket]),
                  m_placed.begin() + qsizetype(bucketStart[bucket + 1]),
                  [](const Item &a, const Item &b) { return less(a, b); });
      std::copy(m_placed.begin() + qsizetype(bucketStart[first]),
                m_placed.begin() + qsizetype(bucketStart[last]),
                items + bucketStart[first]);
    };
    if (std::thread::hardware_concurrency() < 2) {
      sortBuckets(0, 0x10000);
      return;
    }
    std::thread second(sortBuckets, half, size_t(0x10000));
    sortBuckets(0, half);
    second.join();
  }

  // Texts of one class sequence: equal, unless their classes hide a
  // difference the collator sees (case, ignored characters).
  void sortEqualSequences(size_t begin, size_t end) {
    bool anyLossy = false;
    for (size_t i = begin; i < end && !anyLossy; ++i)
      anyLossy = !m_classes.tellApart(m_column.text(m_items[i].row));
    if (!anyLossy)
      return;
    const auto textOf = [&](const Item &item) {
      return m_column.text(item.row);
    };
    std::sort(m_items.begin() + begin, m_items.begin() + end,
              [&](const Item &a, const Item &b) {
                return m_collator.compare(textOf(a), textOf(b)) < 0;
              });
    for (size_t i = begin + 1; i < end; ++i)
      m_newGroup[i] =
          m_collator.compare(textOf(m_items[i - 1]), textOf(m_items[i])) < 0;
  }

  const ResultColumn &m_column;
  const QCollator &m_collator;
  const CharacterClasses &m_classes;
  Pause m_pause;
  int m_bits;
  int m_perWord;
  ScratchVector<Item> m_items;
  ScratchVector<Item> m_placed;   // the other half of a radix sort's passes
  std::vector<quint8> m_newGroup; // a different text than the one before
};

// The exact way: a collation key per distinct text, sorted.
Rank rankByKeys(const ResultColumn &column, const QCollator &collator,
                const Pause &pause) {
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

  std::vector<CollationKey> keys;
  keys.reserve(texts.size());
  for (QStringView text : texts) {
    if (keys.size() % 4096 == 0)
      pause();
    keys.emplace_back(collator, text.toString());
  }
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

// The ranks of every row's text, the column gone over whole.
Rank rankEveryText(const ResultColumn &column, const QCollator &collator,
                   const Pause &pause) {
  const CharacterClasses classes(column, collator);
  pause();
  {
    const CharacterPairs pairs(column, classes);
    pause();
    if (weighsCharactersAlone(classes, pairs, collator))
      return SequenceRanking(column, collator, classes, pause).ranks();
  }
  pause();
  if (classes.classCount() > 0) {
    Rank ranks = FastRanking(column, collator, classes, pause).ranks();
    if (!ranks.empty())
      return ranks;
  }
  pause();
  return rankByKeys(column, collator, pause);
}

} // namespace

ScratchVector<int> collationRanks(const ResultColumn &column,
                                  const QCollator &collator,
                                  const WorkProgress *progress) {
  const Pause pause = [progress] {
    if (progress)
      progress->throwIfCancelled();
  };
  // A column that repeats its texts a lot: its distinct texts are ranked,
  // then each row takes the rank of its text.
  DistinctTexts distinct(column, column.rowCount() / 8);
  pause();
  if (!distinct.found())
    return rankEveryText(column, collator, pause);
  ResultColumn texts(column.name(), column.type());
  for (const QStringView text : distinct.texts())
    texts.appendText(text);
  const Rank rankOfText = rankEveryText(texts, collator, pause);
  Rank ranks = distinct.takeIndexOfRow();
  for (int &rank : ranks)
    if (rank >= 0)
      rank = rankOfText[size_t(rank)];
  return ranks;
}
