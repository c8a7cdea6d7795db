// The desktop's program lookup and the real shell on files, against the
// desktop associations of a folder the test makes (Unix desktops only).
#include "platform/desktopapplication.h"
#include "platform/qtshell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN

namespace {

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

TEST(DesktopApplicationTest, AFileOpensOnlyWhenItExistsAndAProgramTakesIt) {
  IsolatedDesktop desktop;
  const QString help = desktop.filePath("bomdetail_hlp.chm");
  EXPECT_FALSE(hasDesktopApplicationFor(help)); // missing
  desktop.write("bomdetail_hlp.chm", "ITSF");
  EXPECT_FALSE(hasDesktopApplicationFor(help)); // no program for it
  EXPECT_FALSE(QtShell().execute(nullptr, "open", help, ShellShowMode::Show));
  desktop.registerHelpViewer();
  EXPECT_TRUE(hasDesktopApplicationFor(help));
}

} // namespace

#endif
