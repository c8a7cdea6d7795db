// The embedded database file goes wrong while the program has it open: the
// windows report the failed read with their fixed messages, nothing else
// happens, and once the file is back a new connection through the
// connection dialog carries on.
#include "app/application.h"
#include "app/errordisplay.h"
#include "app/messagetexts.h"
#include "app/unt_lorquin.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "connection/unt_link.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/dataset/query.h"
#include "support/demodatabase.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

bool overwriteInPlace(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(bytes) == bytes.size();
}

QString lastMessage(const FakePlatform &platform) {
  const QStringList texts = platform.messages.texts();
  return texts.isEmpty() ? QString() : texts.last();
}

struct FileFault {
  const char *what;
  std::function<bool(const QString &path)> apply;
};

const FileFault fileFaults[] = {
// Windows lets nobody delete or replace a file the program holds open.
#ifndef Q_OS_WIN
    {"deleted", [](const QString &path) { return QFile::remove(path); }},
    {"replaced by a copy",
     [](const QString &path) {
       return QFile::remove(path) && QFile::copy(demoDatabasePath(), path);
     }},
#endif
    {"overwritten with bytes that are no database",
     [](const QString &path) {
       return overwriteInPlace(path, QByteArray(8192, '\x5A'));
     }},
    {"emptied", [](const QString &path) { return overwriteInPlace(path, {}); }},
};

// Stored settings that point the program at the database file `path`.
void storeEmbeddedDatabase(FakePlatform &platform, const QString &path) {
  platform.store->values = {{"dbserver", "embedded"},
                            {"dbdatabase", path},
                            {"dbuser", "demo"},
                            {"dbpassword", ""}};
}

class DatabaseFaultTest : public ::testing::Test {
protected:
  QTemporaryDir folder;
  RecordedErrors recordedErrors;
  QStringList &errors = recordedErrors.messages;
};

TEST_F(DatabaseFaultTest, ABrokenFileFailsEachReadAndAReconnectCarriesOn) {
  const QString path = folder.filePath(QStringLiteral("bom.sqlite3"));
  for (const FileFault &fault : fileFaults) {
    SCOPED_TRACE(fault.what);
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(demoDatabasePath(), path));
    FakePlatform platform(createDatabaseEngineFactory());
    storeEmbeddedDatabase(platform, path);
    Tfrm_lorquin window(platform.services);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    showStarted(window);
    window.tbn_query->click();
    const int count = window.ado_bominfomain->recordCount();
    ASSERT_GT(count, 0);
    const QString countText = window.pnl_recordcount->text();

    ASSERT_TRUE(fault.apply(path));

    // The rows already fetched still open a header; its components cannot
    // be read.
    platform.messages.answers = {YesNoAnswer::Yes};
    QString detailCount;
    whenModal([&] {
      detailCount = frm_bominfo_detail->recordCountPanel()->text();
      frm_bominfo_detail->close();
    });
    window.dbg_bominfomainDblClick();
    EXPECT_TRUE(detailCount.isEmpty()) << "no count is shown";
    EXPECT_EQ(platform.messages.texts(), QStringList{BomDetailReadFailedText});

    window.tbn_query->click();
    EXPECT_EQ(lastMessage(platform), BomDataReadFailedText);
    EXPECT_EQ(window.pnl_recordcount->text(), countText);
    EXPECT_TRUE(window.ado_bominfomain->isEmpty());
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

    // The file comes back; "确定" in the dialog, with the stored settings
    // it shows, connects again.
    QFile demo(demoDatabasePath());
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    ASSERT_TRUE(overwriteInPlace(path, demo.readAll()));
    whenModal([&] { frm_link->btn_ok->click(); });
    window.tbn_link->click();
    EXPECT_EQ(lastMessage(platform), LoginSucceededText);
    window.tbn_query->click();
    EXPECT_EQ(window.ado_bominfomain->recordCount(), count);
    EXPECT_EQ(window.pnl_recordcount->text(), countText);
  }
}

// The connection dialog tried while the file is gone refuses it and keeps
// the settings stored; the user can try again once it is back.
TEST_F(DatabaseFaultTest, TheDialogRefusesAMissingFileAndKeepsTheSettings) {
  const QString path = folder.filePath(QStringLiteral("bom.sqlite3"));
  ASSERT_TRUE(QFile::copy(demoDatabasePath(), path));
  FakePlatform platform(createDatabaseEngineFactory());
  storeEmbeddedDatabase(platform, path);
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showStarted(window);
#ifdef Q_OS_WIN
  GTEST_SKIP() << "Windows lets nobody delete a file the program holds open";
#endif
  ASSERT_TRUE(QFile::remove(path));

  const auto stored = platform.store->values;
  whenModal([&] {
    frm_link->btn_ok->click();
    EXPECT_EQ(lastMessage(platform), DialogConnectFailedText);
    ASSERT_TRUE(QFile::copy(demoDatabasePath(), path));
    frm_link->btn_ok->click();
  });
  window.tbn_link->click();
  EXPECT_EQ(platform.messages.texts(),
            (QStringList{DialogConnectFailedText, LoginSucceededText}));
  EXPECT_EQ(platform.store->values, stored);
  window.tbn_query->click();
  EXPECT_GT(window.ado_bominfomain->recordCount(), 0);
  EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

} // namespace
