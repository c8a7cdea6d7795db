#include "platform/recordsort.h"
#include "support/fakeengine.h"
#include "support/qtprint.h"

#include <gtest/gtest.h>

namespace {

// Texts repeat in a real column; equal texts must stay in their order, in
// both directions, and nulls come first ascending and last descending.
TEST(RecordSortTest, RepeatedTextsSortByPinyinAndStayStable) {
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

} // namespace
