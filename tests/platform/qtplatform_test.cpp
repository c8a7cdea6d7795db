#include "platform/qtsavedialog.h"
#include "platform/qtshell.h"
#include "support/qtprint.h"

#include <QDesktopServices>
#include <QDir>
#include <QTemporaryDir>
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

#ifndef Q_OS_WIN

// Takes the URLs the desktop would open, in their place.
class UrlRecorder : public QObject {
  Q_OBJECT
public:
  QList<QUrl> opened;
public slots:
  void open(const QUrl &url) { opened.append(url); }
};

// The real shell hands the desktop the URL of a file, taken relative to the
// current folder, or of a web address (the recorder stands in for the
// desktop's handlers of those schemes).
TEST(QtShellTest, HandsTheDesktopTheTargetsUrl) {
  UrlRecorder desktop;
  for (const char *scheme : {"file", "http", "https"})
    QDesktopServices::setUrlHandler(scheme, &desktop, "open");
  QTemporaryDir folder;
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  QtShell shell;
  shell.execute(nullptr, "open", "hlp/bomdetail_hlp.chm",
                ShellShowMode::Normal);
  shell.execute(nullptr, "", "/abs/帮助 文件.chm", ShellShowMode::Show);
  shell.execute(nullptr, "open", "www.example.com", ShellShowMode::Normal);
  shell.execute(nullptr, "open", "https://example.com/a?b=c",
                ShellShowMode::Normal);
  QDir::setCurrent(saved);
  for (const char *scheme : {"file", "http", "https"})
    QDesktopServices::unsetUrlHandler(scheme);
  EXPECT_EQ(
      desktop.opened,
      (QList<QUrl>{
          QUrl::fromLocalFile(
              QDir(folder.path()).absoluteFilePath("hlp/bomdetail_hlp.chm")),
          QUrl::fromLocalFile("/abs/帮助 文件.chm"),
          QUrl("http://www.example.com"), QUrl("https://example.com/a?b=c")}));
}

#endif

} // namespace

#ifndef Q_OS_WIN
#include "qtplatform_test.moc"
#endif
