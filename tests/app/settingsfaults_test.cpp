// The settings file is read-only, corrupt, or a folder stands in its place:
// the main window and the connection dialog report what they cannot read or
// store, the program goes on, and a file that cannot be written is left as
// it was.
#include "app/application.h"
#include "app/errordisplay.h"
#include "app/messagetexts.h"
#include "app/unt_lorquin.h"
#include "connection/unt_link.h"
#include "platform/dataset/query.h"
#include "platform/settings/inisettingsstore.h"
#include "support/demodatabase.h"
#include "support/fakeplatform.h"
#include "support/filefaults.h"
#include "support/qtprint.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class SettingsFaultTest : public ::testing::Test {
protected:
  void SetUp() override {
    platform.services.settingsStore = [this] {
      return std::make_unique<IniSettingsStore>(iniFile);
    };
  }

  // The settings of the demo database as the store file holds them.
  QByteArray demoSettingsFile() const {
    return "[SOFTWARE]\n"
           "TORVA\\BELKO\\DBLinkInfo\\dbserver=embedded\n"
           "TORVA\\BELKO\\DBLinkInfo\\dbdatabase=" +
           demoDatabase.toUtf8() +
           "\n"
           "TORVA\\BELKO\\DBLinkInfo\\dbuser=demo\n"
           "TORVA\\BELKO\\DBLinkInfo\\dbpassword=\n";
  }

  // Shows the main window, then "确定" in the connection dialog with the
  // demo settings typed in, then "查询". True when all of it ran without an
  // error reaching the error display and the query found rows.
  bool startConnectAndQuery() {
    Tfrm_lorquin window(platform.services);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    showStarted(window);
    whenModal([&] {
      frm_link->edt_server->setText(QStringLiteral("embedded"));
      frm_link->edt_database->setText(demoDatabase);
      frm_link->edt_user->setText(QStringLiteral("demo"));
      frm_link->edt_password->clear();
      frm_link->btn_ok->click();
      if (frm_link)
        frm_link->reject();
    });
    window.tbn_link->click();
    window.tbn_query->click();
    return errors.isEmpty() && window.ado_bominfomain->recordCount() > 0;
  }

  QTemporaryDir folder;
  QString iniFile = folder.filePath(QStringLiteral("bomquery.ini"));
  // A copy every user may read, inside the folder.
  QString demoDatabase = folder.filePath(QStringLiteral("demo.sqlite3"));
  FakePlatform platform{demoEngineFactory(DemoEngine::Embedded)};
  RecordedErrors recordedErrors;
  QStringList &errors = recordedErrors.messages;
};

// Nothing can be read or stored: start-up asks for the dialog, the dialog
// connects, and its settings are not kept; the folder stays a folder.
TEST_F(SettingsFaultTest, AFolderInPlaceOfTheFileIsNeitherReadNorWritten) {
  ASSERT_TRUE(QFile::copy(demoDatabasePath(), demoDatabase));
  ASSERT_TRUE(QDir().mkdir(iniFile));
  EXPECT_TRUE(startConnectAndQuery()) << errors.join('\n').toStdString();
  EXPECT_EQ(platform.messages.texts(),
            (QStringList{StartupConnectFailedText, LoginSucceededText}));
  EXPECT_TRUE(QFileInfo(iniFile).isDir());
}

// Start-up and the dialog report the file they cannot read; the dialog's
// save replaces it whole with the four values.
TEST_F(SettingsFaultTest, ACorruptFileIsReportedAndTheDialogReplacesItWhole) {
  ASSERT_TRUE(QFile::copy(demoDatabasePath(), demoDatabase));
  QByteArray garbage("[SOFTWARE\n\x00\xff\xfe=\x81\x30\n\\u=\"", 20);
  garbage += QByteArray(4096, '\xA5');
  ASSERT_TRUE(writeFile(iniFile, garbage));
  EXPECT_TRUE(startConnectAndQuery()) << errors.join('\n').toStdString();
  EXPECT_EQ(platform.messages.texts(),
            (QStringList{StartupSettingsErrorText, StartupConnectFailedText,
                         SettingsAccessErrorText, LoginSucceededText}));
  EXPECT_EQ(contentOf(iniFile), demoSettingsFile());

  // The next start reads what the dialog stored.
  platform.messages.shown.clear();
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showStarted(window);
  EXPECT_TRUE(platform.messages.shown.isEmpty())
      << platform.messages.texts().join('\n').toStdString();
  EXPECT_EQ(window.linkInfo().database, demoDatabase);
  EXPECT_GT(window.edt_class->count(), 0);
}

#ifdef Q_OS_UNIX

// The user may read the store but not write it: start-up connects with
// what it holds; the dialog still connects, reports that it could not store
// the settings, and closes; the file keeps what it held. (A process forked
// from this one cannot paint: the dialog is driven without its modal run,
// and the window is hidden before, as the login and the query serve the
// event loop while they run.)
TEST_F(SettingsFaultTest, AReadOnlyFileIsReadAndKeptAsItWas) {
  ASSERT_TRUE(QFile::copy(demoDatabasePath(), demoDatabase));
  ASSERT_TRUE(writeFile(iniFile, demoSettingsFile()));
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showStarted(window);
  ASSERT_TRUE(platform.messages.shown.isEmpty());
  ASSERT_GT(window.edt_class->count(), 0);
  window.hide();

  const bool refused = whereFolderRefusesNewFiles(folder.path(), {}, [&] {
    Tfrm_link dialog(platform.services, window.ado_conn);
    dialog.edt_server->setText(QStringLiteral("embedded"));
    dialog.edt_database->setText(demoDatabase);
    dialog.edt_user->setText(QStringLiteral("demo"));
    dialog.btn_okClick();
    window.tbn_query->click();
    return platform.messages.texts() ==
               QStringList{LoginSucceededText, SettingsAccessErrorText} &&
           platform.messages.shown[1].caption == ErrorCaption &&
           dialog.result() == QDialog::Accepted && errors.isEmpty() &&
           window.ado_bominfomain->recordCount() > 0;
  });
  EXPECT_TRUE(refused);
  EXPECT_EQ(contentOf(iniFile), demoSettingsFile());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"bomquery.ini", "demo.sqlite3"}));
}

#endif

} // namespace
