#include "export/spillstream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct WritePattern {
  const char *name;
  qsizetype limit;
  std::vector<qsizetype> pieces;
  bool spills;
};

QByteArray piece(qsizetype size, int seed) {
  QByteArray bytes(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i)
    bytes[i] = char((i * 31 + seed * 7) & 0xFF);
  return bytes;
}

} // namespace

// Whatever the pieces and wherever the limit falls, the bytes come back
// whole and in order, and the stream spills exactly when the limit is passed.
TEST(SpillStreamTest, GivesBackEveryByteInOrder) {
  const std::vector<WritePattern> patterns = {
      {"nothing", 16, {}, false},
      {"exactly the limit", 16, {10, 6}, false},
      {"one byte past", 16, {10, 7}, true},
      {"one piece larger than the limit", 16, {40}, true},
      {"many pieces after the spill", 100, {60, 60, 1, 0, 3000, 5}, true},
      {"blocks larger than the copy block",
       1024,
       {3 * 1024 * 1024 + 17, 5},
       true},
  };
  for (const auto &pattern : patterns) {
    SCOPED_TRACE(pattern.name);
    SpillStream stream(pattern.limit);
    QByteArray expected;
    int seed = 0;
    for (qsizetype size : pattern.pieces) {
      const QByteArray bytes = piece(size, ++seed);
      stream.write(bytes);
      expected += bytes;
    }
    stream.flush();
    EXPECT_EQ(stream.spilled(), pattern.spills);
    MemoryStream out;
    stream.copyTo(out);
    EXPECT_EQ(out.bytes(), expected);
  }
}

// A copy taken in the middle does not lose the place: later bytes follow.
TEST(SpillStreamTest, WritesAfterACopyAppend) {
  SpillStream stream(8);
  stream.write("0123456789");
  MemoryStream first;
  stream.copyTo(first);
  stream.write("abc");
  MemoryStream second;
  stream.copyTo(second);
  EXPECT_EQ(first.bytes(), QByteArray("0123456789"));
  EXPECT_EQ(second.bytes(), QByteArray("0123456789abc"));
}
