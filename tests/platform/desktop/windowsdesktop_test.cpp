// The desktop seams against the system itself (Windows only): the shell
// opens the help file with the system's help viewer, and the system colours
// are the system's present values.
#include <QtGlobal>

#ifdef Q_OS_WIN

#include "grid/systemcolors.h"
#include "platform/desktop/qtshell.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>
#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>

namespace {

// Ends every running process of that program name; true when there was one.
bool endProcesses(const wchar_t *name) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, name) != 0)
      continue;
    found = true;
    if (const HANDLE process =
            OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(process, 0);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
  return found;
}

TEST(WindowsShellTest, TheHelpFileOpensInTheSystemsHelpViewer) {
  const QString help = QDir::toNativeSeparators(
      QStringLiteral(BOMQUERY_BINARY_DIR "/src/hlp/bomdetail_hlp.chm"));
  QtShell shell;
  ASSERT_TRUE(shell.execute(nullptr, QString(), help, ShellShowMode::Normal));
  bool viewer = false;
  for (QDeadlineTimer deadline(20000); !viewer && !deadline.hasExpired();
       QThread::msleep(100))
    viewer = endProcesses(L"hh.exe");
  EXPECT_TRUE(viewer) << "no help viewer started for " << help.toStdString();

  EXPECT_FALSE(shell.execute(nullptr, QStringLiteral("open"),
                             help + QStringLiteral(".missing.chm"),
                             ShellShowMode::Normal));
}

TEST(WindowsSystemColorsTest, TheSystemsPresentValuesAreRead) {
  const int element = COLOR_WINDOW;
  const COLORREF before = GetSysColor(element);
  const COLORREF changed = RGB(1, 2, 3);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  const TColor read = SystemColors::fromPlatform().rgb(COLOR_WINDOW);
  SetSysColors(1, &element, &before);
  EXPECT_EQ(read, 0x030201u);
  EXPECT_EQ(SystemColors::fromPlatform().rgb(COLOR_BTNFACE),
            TColor(GetSysColor(COLOR_BTNFACE)));
}

} // namespace

#endif
