#include "platform/qtsavedialog.h"
#include "platform/qtshell.h"
#include "support/qtprint.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogFilterTest, SplitsDescriptionsAndPatternsInOrder) {
  const QList<DialogFilterEntry> entries = dialogFilterEntries(
      "Excel 文档( *.xls)|*.xls|Word 文档(*.RTF)|*.rtf|Html 网页(*.html)|"
      "*.html|纯文本  文档 (*.txt)|*.TXT;*.text|dangling");
  ASSERT_EQ(entries.size(), 4);
  EXPECT_EQ(entries[0].description, "Excel 文档( *.xls)");
  EXPECT_EQ(entries[0].patterns, QStringList{"*.xls"});
  EXPECT_EQ(entries[1].description, "Word 文档(*.RTF)");
  EXPECT_EQ(entries[3].description, "纯文本  文档 (*.txt)");
  EXPECT_EQ(entries[3].patterns, (QStringList{"*.TXT", "*.text"}));
}

TEST(ShellTargetTest, AddressesOpenAsAddressesAndFilesRelativeToTheFolder) {
  EXPECT_EQ(shellTargetUrl("www.example.com", "/srv"),
            QUrl("http://www.example.com"));
  EXPECT_EQ(shellTargetUrl("https://example.com/a", "/srv"),
            QUrl("https://example.com/a"));
  EXPECT_EQ(shellTargetUrl("hlp/bomdetail_hlp.chm", "/srv/bom"),
            QUrl::fromLocalFile("/srv/bom/hlp/bomdetail_hlp.chm"));
  EXPECT_EQ(shellTargetUrl("/abs/x.chm", "/srv"),
            QUrl::fromLocalFile("/abs/x.chm"));
}

} // namespace
