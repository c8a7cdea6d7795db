#include "platform/longwork/workprogress.h"
#include "platform/results/recordsort.h"
#include "support/fakeengine.h"
#include "support/pinyincollation.h"
#include "support/qtprint.h"

#include <QCollator>
#include <gtest/gtest.h>
#include <limits>
#include <numeric>

namespace {

// Texts repeat in a real column; equal texts must stay in their order, in
// both directions, and nulls come first ascending and last descending.
TEST(RecordSortTest, RepeatedTextsSortByPinyinAndStayStable) {
  if (!systemCollatesChineseByPinyin())
    GTEST_SKIP() << "the system collates Chinese without pinyin order";
  const ResultTable table =
      makeTable({{"name", FieldType::WideString}, {"n", FieldType::Integer}},
                {{"钻头", 0},
                 {"阿胶", 1},
                 {QVariant(), 2},
                 {"钻头", 3},
                 {"北京", 4},
                 {"阿胶", 5},
                 {QVariant(), 6},
                 {"长轴", 7},
                 {"北京", 8}});
  const auto rows = [&](std::vector<SortKey> keys) {
    return sortedRows(table, keys);
  };
  EXPECT_EQ(rows({{0, false}}), (std::vector<int>{2, 6, 1, 5, 4, 8, 7, 0, 3}));
  EXPECT_EQ(rows({{0, true}}), (std::vector<int>{0, 3, 7, 4, 8, 1, 5, 2, 6}));
  EXPECT_EQ(rows({{0, false}, {1, true}}),
            (std::vector<int>{6, 2, 5, 1, 8, 4, 7, 3, 0}));
}

TEST(RecordSortTest, EmptyTextIsAValueBeforeOtherTexts) {
  const ResultTable table = makeTable({{"name", FieldType::String}},
                                      {{"b"}, {""}, {QVariant()}, {"a"}, {""}});
  EXPECT_EQ(sortedRows(table, {{0, false}}), (std::vector<int>{2, 1, 4, 3, 0}));
}

// The order a plain collator sort of the same texts gives, stable, nulls
// first ascending and last descending: what every text sort must give,
// whatever way it takes.
std::vector<int> collatorOrder(const QStringList &texts, bool descending) {
  QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
  std::vector<int> rows(texts.size());
  std::iota(rows.begin(), rows.end(), 0);
  std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
    if (descending)
      std::swap(a, b);
    if (texts[a].isNull() || texts[b].isNull())
      return texts[a].isNull() && !texts[b].isNull();
    return collator.compare(texts[a], texts[b]) < 0;
  });
  return rows;
}

// Texts that defeat ranking by single characters (letters told apart only
// by case or accent, which count after the letters; characters the
// collation ignores; supplementary characters; prefixes; long common
// starts) and a column of many distinct names: the order is the collator's.
TEST(RecordSortTest, TextOrderIsExactlyThePlainCollatorOrder) {
  const QStringList tricky = {"ab",
                              "Aa",
                              "áa",
                              "ab",
                              "a\u200Bc",
                              "ac",
                              "AB",
                              QString(),
                              "",
                              "𠀀字",
                              "字",
                              "长",
                              "长江",
                              "重庆",
                              "重量",
                              "b2",
                              "b10",
                              "ÀB",
                              "螺栓M8",
                              "螺栓m8",
                              "螺母",
                              "Ærø",
                              "aerø",
                              "-1",
                              "1",
                              "精密减速机A型12345678901",
                              "精密减速机A型12345678902"};
  QStringList names;
  const char *const parts[] = {"精密",   "高速", "重型", "减速机", "电机",
                               "齿轮箱", "A型",  "B型",  "长",     "行"};
  for (int i = 0; i < 3000; ++i)
    names << QString::fromUtf8(parts[i % 10]) +
                 QString::fromUtf8(parts[(i / 10) % 10]) +
                 QString::fromUtf8(parts[(i / 100) % 10]) +
                 QString::number(i % 7);
  // Letters and digits alone, the collator weighing each on its own: long
  // common starts, several rounds of packed classes, case told apart only
  // by the collator, a character it ignores.
  QStringList plain;
  for (int i = 0; i < 3000; ++i)
    plain << QStringLiteral("bolt-%1-%2%3")
                 .arg(QString(40, QLatin1Char('x')))
                 .arg(i % 97)
                 .arg(i % 3 == 0   ? QStringLiteral("A")
                      : i % 3 == 1 ? QStringLiteral("a")
                                   : QStringLiteral("a\u200B"));
  // Enough rows for the sort of large columns, which spreads the texts over
  // buckets on both cores: common starts, case, prefixes, repeats.
  QStringList many;
  const char *const starts[] = {"螺栓", "bolt-", "Bolt-", "螺栓M", "精密长轴"};
  for (int i = 0; i < 25000; ++i)
    many << QString::fromUtf8(starts[i % 5]) + QString::number(i % 12007) +
                (i % 3 ? QStringLiteral("a") : QStringLiteral("A"));
  for (const QStringList &texts : {tricky, names, plain, many}) {
    std::vector<std::vector<QVariant>> rows;
    for (const QString &text : texts)
      rows.push_back({text.isNull() ? QVariant() : QVariant(text)});
    const ResultTable table =
        makeTable({{"name", FieldType::WideString}}, rows);
    for (const bool descending : {false, true})
      EXPECT_EQ(sortedRows(table, {{0, descending}}),
                collatorOrder(texts, descending))
          << texts.size() << (descending ? " descending" : " ascending");
  }
}

// A title click on a number column: nulls first ascending and last
// descending, equal values in their order both ways, negative numbers,
// zero of either sign and values far apart.
TEST(RecordSortTest, NumbersSortByValueAndStayStable) {
  const ResultTable integers = makeTable(
      {{"n", FieldType::BCD}}, {{qint64(5)},
                                {QVariant()},
                                {qint64(-3)},
                                {qint64(5)},
                                {qint64(std::numeric_limits<qint64>::min())},
                                {qint64(0)},
                                {qint64(std::numeric_limits<qint64>::max())},
                                {QVariant()},
                                {qint64(-3)}});
  EXPECT_EQ(sortedRows(integers, {{0, false}}),
            (std::vector<int>{1, 7, 4, 2, 8, 5, 0, 3, 6}));
  EXPECT_EQ(sortedRows(integers, {{0, true}}),
            (std::vector<int>{6, 0, 3, 5, 2, 8, 4, 1, 7}));
  const ResultTable reals = makeTable(
      {{"x", FieldType::Float}},
      {{2.5}, {-0.0}, {QVariant()}, {0.0}, {-1e300}, {1e-300}, {-2.5}, {2.5}});
  EXPECT_EQ(sortedRows(reals, {{0, false}}),
            (std::vector<int>{2, 4, 6, 1, 3, 5, 0, 7}));
  EXPECT_EQ(sortedRows(reals, {{0, true}}),
            (std::vector<int>{0, 7, 5, 1, 3, 6, 4, 2}));
}

// A sort cancelled through its progress stops with WorkCancelled.
TEST(RecordSortTest, ACancelledSortThrows) {
  std::vector<std::vector<QVariant>> rows;
  for (int i = 0; i < 50000; ++i)
    rows.push_back({QStringLiteral("名称%1").arg(i), qint64(i % 100)});
  const ResultTable table = makeTable(
      {{"name", FieldType::WideString}, {"n", FieldType::Integer}}, rows);
  WorkProgress progress;
  progress.cancel();
  EXPECT_THROW(sortedRows(table, {{0, false}}, &progress), WorkCancelled);
  EXPECT_THROW(sortedRows(table, {{1, false}}, &progress), WorkCancelled);
}

} // namespace
