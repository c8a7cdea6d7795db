#include "platform/desktop/desktopapplication.h"
#include "platform/desktop/qtsavedialog.h"
#include "platform/desktop/qtshell.h"
#include "support/qtprint.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
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

#ifndef Q_OS_WIN

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

// Takes the URLs the desktop would open, in their place.
class UrlRecorder : public QObject {
  Q_OBJECT
public:
  QList<QUrl> opened;
public slots:
  void open(const QUrl &url) { opened.append(url); }
};

// Points the desktop's association lookup at an empty desktop of its own
// while it lives.
class IsolatedDesktop {
public:
  IsolatedDesktop() {
    for (const char *name : Variables) {
      m_saved.append(qgetenv(name));
      qputenv(name, m_folder.path().toLocal8Bit());
    }
    QDir(m_folder.path()).mkpath("applications");
    // File types are still told by the system's MIME database.
    QFile::link("/usr/share/mime", m_folder.filePath("mime"));
  }
  ~IsolatedDesktop() {
    for (qsizetype i = 0; i < m_saved.size(); ++i)
      qputenv(Variables[i], m_saved[i]);
  }

  // Registers a program for the help file type.
  void registerHelpViewer() {
    write("mimeapps.list", "[Default Applications]\n"
                           "application/vnd.ms-htmlhelp=viewer.desktop\n");
    write("applications/viewer.desktop",
          "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\n"
          "MimeType=application/vnd.ms-htmlhelp;\n");
  }

  QString filePath(const QString &name) const {
    return m_folder.filePath(name);
  }

  void write(const QString &name, const QByteArray &bytes) {
    QFile file(filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

private:
  static constexpr const char *Variables[] = {
      "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
  QTemporaryDir m_folder;
  QList<QByteArray> m_saved;
};

// The real shell hands the desktop web addresses, and files only when they
// exist and the desktop has a program for them (the recorder stands in for
// the desktop's handlers of those schemes).
TEST(QtShellTest, HandsTheDesktopAddressesAndFilesItCanOpen) {
  IsolatedDesktop desktop;
  UrlRecorder recorder;
  for (const char *scheme : {"file", "http", "https"})
    QDesktopServices::setUrlHandler(scheme, &recorder, "open");
  const QString help = desktop.filePath("帮助 文件.chm");
  QtShell shell;
  const bool missingOpened =
      shell.execute(nullptr, "open", help, ShellShowMode::Show);
  desktop.write("帮助 文件.chm", "ITSF");
  EXPECT_FALSE(hasDesktopApplicationFor(help));
  const bool unknownOpened =
      shell.execute(nullptr, "open", help, ShellShowMode::Show);
  desktop.registerHelpViewer();
  EXPECT_TRUE(hasDesktopApplicationFor(help));
  const bool knownOpened =
      shell.execute(nullptr, "open", help, ShellShowMode::Show);
  const bool addressesOpened =
      shell.execute(nullptr, "open", "www.example.com",
                    ShellShowMode::Normal) &&
      shell.execute(nullptr, "", "https://example.com/a?b=c",
                    ShellShowMode::Normal);
  for (const char *scheme : {"file", "http", "https"})
    QDesktopServices::unsetUrlHandler(scheme);

  EXPECT_FALSE(missingOpened);
  EXPECT_FALSE(unknownOpened);
  EXPECT_TRUE(knownOpened);
  EXPECT_TRUE(addressesOpened);
  EXPECT_EQ(recorder.opened, (QList<QUrl>{QUrl::fromLocalFile(help),
                                          QUrl("http://www.example.com"),
                                          QUrl("https://example.com/a?b=c")}));
}

#endif

} // namespace

#ifndef Q_OS_WIN
#include "qtplatform_test.moc"
#endif
