#include "platform/results/scratchmemory.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace {

#ifdef __linux__
// The flags the system keeps for the mapping that holds `address`.
QString mappingFlagsOf(const void *address) {
  QFile maps(QStringLiteral("/proc/self/smaps"));
  if (!maps.open(QIODevice::ReadOnly))
    return {};
  const auto at = quintptr(address);
  bool inside = false;
  // Read whole: the system gives its files under /proc no size.
  for (const QByteArray &bytes : maps.readAll().split('\n')) {
    const QString line = QString::fromLatin1(bytes);
    const int dash = line.indexOf(QLatin1Char('-'));
    const int space = line.indexOf(QLatin1Char(' '));
    bool isRange = false, endOk = false;
    if (dash > 0 && space > dash) {
      const quintptr begin = line.left(dash).toULongLong(&isRange, 16);
      const quintptr end =
          line.mid(dash + 1, space - dash - 1).toULongLong(&endOk, 16);
      if (isRange && endOk) {
        inside = begin <= at && at < end;
        continue;
      }
    }
    if (inside && line.startsWith(QLatin1String("VmFlags:")))
      return line.mid(8);
  }
  return {};
}
#endif

// A block of several megabytes is aligned to the large page and carries
// the system's advice to back it with large pages; a small one is plain.
TEST(ScratchMemoryTest, LargeBlocksAskForLargePages) {
  ScratchVector<int> large(3 << 20); // 12 MB
  ScratchVector<int> small(1000);
  large.back() = 7;
  small.back() = 7;
#ifdef __linux__
  if (!QFile::exists(QStringLiteral("/sys/kernel/mm/transparent_hugepage")))
    GTEST_SKIP() << "this system has no large pages";
  EXPECT_EQ(quintptr(large.data()) % (2 << 20), 0u);
  EXPECT_TRUE(mappingFlagsOf(large.data()).split(' ').contains("hg"))
      << qPrintable(mappingFlagsOf(large.data()));
  EXPECT_FALSE(mappingFlagsOf(small.data()).split(' ').contains("hg"));
#endif
}

} // namespace
