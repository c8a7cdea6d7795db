#include "platform/text/maskformat.h"

#include <gtest/gtest.h>

namespace {

TEST(MaskFormat, FillsPlaceholdersWithTheText) {
  const struct {
    const char *mask;
    const char *text;
    const char *expected;
  } cases[] = {
      {"000-0000", "1234567", "123-4567"},
      {"(999) 000;0;_", "123456", "(123) 456"},
      {"LL-aa-Cc-#9", "ABcd!?+1", "AB-cd-!?-+1"},
      {"\\0\\\\00", "12", "0\\12"},
      {"00", "12345", "12"},
      {"000-000", "12", "12-"},
      {"", "12", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(formatMaskText(QString::fromLatin1(c.mask),
                             QString::fromLatin1(c.text)),
              c.expected)
        << c.mask;
}

} // namespace
