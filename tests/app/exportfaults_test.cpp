// Exports from the main window to places that refuse them: the error
// reaches the error display with its own text, no "未完成" notice is shown,
// and whatever was at the chosen name before is still there.
#include "app/application.h"
#include "app/errordisplay.h"
#include "app/unt_lorquin.h"
#include "platform/dataset/query.h"
#include "support/demodatabase.h"
#include "support/fakeplatform.h"
#include "support/filefaults.h"
#include "support/qtprint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The first bytes of an XLS export: a BOF record.
const QByteArray XlsStart("\x09\x08", 2);

class ExportFaultTest : public ::testing::Test {
protected:
  void SetUp() override {
    storeDemoSettings(*platform.store);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    showStarted(window);
    window.tbn_query->click();
    ASSERT_GT(window.ado_bominfomain->recordCount(), 0);
  }

  // "输出" to `path` as the file type at `filterIndex`; the errors it
  // raised, and false when it showed any notice.
  QStringList exportTo(const QString &path, int filterIndex = 1) {
    errors.clear();
    platform.messages.shown.clear();
    platform.saveDialog.choice = SaveDialogChoice{path, filterIndex};
    window.tbn_export->click();
    noticeShown = !platform.messages.shown.isEmpty();
    return errors;
  }

  QStringList entries() const {
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  FakePlatform platform{demoEngineFactory(DemoEngine::Embedded)};
  Tfrm_lorquin window{platform.services};
  QTemporaryDir folder;
  RecordedErrors recordedErrors;
  QStringList &errors = recordedErrors.messages;
  bool noticeShown = false;
};

TEST_F(ExportFaultTest, APathThatIsAFolderCannotBeCreatedAndStaysAFolder) {
  const QString path = folder.filePath(QStringLiteral("BOM查询-20240305.xls"));
  ASSERT_TRUE(QDir().mkdir(path));
  EXPECT_EQ(exportTo(path), QStringList{"Cannot create file " + path});
  EXPECT_FALSE(noticeShown);
  EXPECT_TRUE(QFileInfo(path).isDir());
  EXPECT_EQ(entries(), QStringList{"BOM查询-20240305.xls"});
}

#ifdef Q_OS_UNIX

// Every format fills the device; the write error ends the export, and the
// device is still the device, not a file put in its place.
TEST_F(ExportFaultTest, AFullDeviceEndsEachFormatWithAWriteError) {
  QString device = folder.filePath(QStringLiteral("full"));
  if (!makeFullDevice(device))
    device = QStringLiteral("/dev/full");
  for (int filterIndex = 1; filterIndex <= 4; ++filterIndex) {
    SCOPED_TRACE(filterIndex);
    EXPECT_EQ(exportTo(device, filterIndex), QStringList{"Stream write error"});
    EXPECT_FALSE(noticeShown);
    const QFileInfo info(device);
    EXPECT_TRUE(info.exists() && !info.isFile());
    EXPECT_EQ(info.size(), 0);
  }
  EXPECT_TRUE(entries() == QStringList{"full"} || entries().isEmpty())
      << entries().join(' ').toStdString();
  // The window goes on: the next export to an ordinary file is complete.
  const QString path = folder.filePath(QStringLiteral("BOM查询-20240305.xls"));
  EXPECT_TRUE(exportTo(path).isEmpty());
  EXPECT_TRUE(contentOf(path).startsWith(XlsStart));
}

// The folder refuses new files: a new name cannot be created, an existing
// file that may not be written stays as it was, and one that may be written
// is written in place. (The exports may run in a process forked from this
// one, which cannot paint: the window is hidden, as the export serves the
// event loop while it runs.)
TEST_F(ExportFaultTest, AReadOnlyFolderRefusesNewFilesAndKeepsTheOldOnes) {
  window.hide();
  const QString path = folder.filePath(QStringLiteral("BOM查询-20240305.xls"));
  const QString cannotCreate = "Cannot create file " + path;
  const auto exportRefused = [&] {
    return exportTo(path) == QStringList{cannotCreate} && !noticeShown;
  };

  EXPECT_TRUE(whereFolderRefusesNewFiles(folder.path(), {}, exportRefused));
  EXPECT_TRUE(entries().isEmpty());

  ASSERT_TRUE(writeFile(path, "old bytes"));
  EXPECT_TRUE(whereFolderRefusesNewFiles(folder.path(), {}, exportRefused));
  EXPECT_EQ(contentOf(path), "old bytes");

  EXPECT_TRUE(whereFolderRefusesNewFiles(folder.path(), {path}, [&] {
    return exportTo(path).isEmpty() && !noticeShown;
  }));
  EXPECT_TRUE(contentOf(path).startsWith(XlsStart));
  EXPECT_EQ(entries(), QStringList{"BOM查询-20240305.xls"});
}

// Another program holds the old file open (a viewer reading it): on this
// system the export still replaces the name, and the holder keeps reading
// the old bytes it opened.
TEST_F(ExportFaultTest, AFileHeldOpenByAnotherProcessIsReplaced) {
  const QString path = folder.filePath(QStringLiteral("BOM查询-20240305.xls"));
  ASSERT_TRUE(writeFile(path, "old bytes"));
  // The holder opens the file, says so, and reads it once told to go on.
  QProcess holder;
  holder.start(QStringLiteral("sh"),
               {QStringLiteral("-c"),
                QStringLiteral("exec 3<\"$0\"; echo held; read go; cat <&3"),
                path});
  ASSERT_TRUE(holder.waitForReadyRead(5000));
  ASSERT_EQ(holder.readLine(), "held\n");

  EXPECT_TRUE(exportTo(path).isEmpty());
  EXPECT_FALSE(noticeShown);
  EXPECT_TRUE(contentOf(path).startsWith(XlsStart));

  holder.write("go\n");
  ASSERT_TRUE(holder.waitForFinished(5000));
  EXPECT_EQ(holder.readAllStandardOutput(), "old bytes");
}

#endif

} // namespace
