#include "app/application.h"
#include "app/messagetexts.h"
#include "connection/unt_link.h"
#include "platform/database/dbconnection.h"
#include "support/demodatabase.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class LinkDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    platform.store->values = {{"dbserver", "erp"},
                              {"dbdatabase", "UFDATA"},
                              {"dbuser", "sa"},
                              {"dbpassword", "x"}};
    dialog.show();
  }

  void type(const QString &server, const QString &database, const QString &user,
            const QString &password) {
    dialog.edt_server->setText(server);
    dialog.edt_database->setText(database);
    dialog.edt_user->setText(user);
    dialog.edt_password->setText(password);
  }

  FakePlatform platform{demoEngineFactory(DemoEngine::Embedded)};
  DbConnection connection{demoEngineFactory(DemoEngine::Embedded)};
  Tfrm_link dialog{platform.services, connection};
};

TEST_F(LinkDialogTest, ShowsTheStoredSettingsWithAMaskedPassword) {
  EXPECT_EQ(platform.store->reads,
            (QStringList{"dbserver", "dbdatabase", "dbuser", "dbpassword"}));
  EXPECT_EQ(dialog.edt_server->text(), "erp");
  EXPECT_EQ(dialog.edt_database->text(), "UFDATA");
  EXPECT_EQ(dialog.edt_user->text(), "sa");
  EXPECT_EQ(dialog.edt_password->text(), "x");
  EXPECT_EQ(dialog.edt_password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(dialog.size(), QSize(334, 212));
  EXPECT_EQ(dialog.windowTitle(), "数据库连接");
}

TEST_F(LinkDialogTest, EnterInAnyEditPressesOk) {
  for (QLineEdit *edit : {dialog.edt_server, dialog.edt_database,
                          dialog.edt_user, dialog.edt_password}) {
    type("", "", "", "");
    platform.messages.shown.clear();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(platform.messages.texts(), QStringList{ServerRequiredText});
    EXPECT_TRUE(dialog.isVisible());
  }
}

TEST_F(LinkDialogTest, EmptyFieldsAreReportedInOrderWithTheFocusOnThem) {
  struct Case {
    QString server, database, user;
    QString message;
    QLineEdit *Tfrm_link::*focus;
  };
  const Case cases[] = {
      {"", "", "", ServerRequiredText, &Tfrm_link::edt_server},
      {"  ", "db", "sa", ServerRequiredText, &Tfrm_link::edt_server},
      {"erp", " ", "", DatabaseRequiredText, &Tfrm_link::edt_database},
      {"erp", "db", "\t", UserRequiredText, &Tfrm_link::edt_user},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message.toStdString());
    platform.messages.shown.clear();
    type(c.server, c.database, c.user, QString());
    dialog.btn_ok->click();
    ASSERT_EQ(platform.messages.texts(), QStringList{c.message});
    EXPECT_EQ(platform.messages.shown[0].owner, &dialog);
    EXPECT_EQ(platform.messages.shown[0].caption, NoticeCaption);
    EXPECT_EQ(dialog.focusWidget(), dialog.*c.focus);
  }
  EXPECT_TRUE(platform.store->writes.isEmpty());
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(LinkDialogTest, CancelEmptiesTheEditsAndKeepsTheDialogOpen) {
  dialog.btn_cancel->click();
  for (QLineEdit *edit : {dialog.edt_server, dialog.edt_database,
                          dialog.edt_user, dialog.edt_password})
    EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_TRUE(dialog.isVisible());
  dialog.btn_ok->click();
  EXPECT_EQ(platform.messages.texts(), QStringList{ServerRequiredText});
}

TEST_F(LinkDialogTest,
       AFailedAttemptStoresNothingAndLeavesTheConnectionClosed) {
  connection.setConnectionString("demo", demoLinkInfo());
  connection.open();
  type("embedded", QStringLiteral(BOMQUERY_BINARY_DIR "/gone.sqlite3"), "sa",
       "");
  dialog.btn_ok->click();
  ASSERT_EQ(platform.messages.texts(), QStringList{DialogConnectFailedText});
  EXPECT_EQ(platform.messages.shown[0].caption, currentApplicationTitle());
  EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::None);
  EXPECT_FALSE(connection.connected());
  EXPECT_TRUE(platform.store->writes.isEmpty());
  EXPECT_EQ(platform.store->values.value("dbserver"), "erp");
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(LinkDialogTest, ASuccessStoresTheTrimmedValuesAndCloses) {
  type("  embedded ", " " + demoDatabasePath() + "  ", "\tdemo ", " pw ");
  dialog.btn_ok->click();
  EXPECT_EQ(platform.messages.texts(), QStringList{LoginSucceededText});
  EXPECT_EQ(platform.messages.shown[0].owner, &dialog);
  EXPECT_EQ(platform.store->writes,
            (QStringList{"dbserver", "dbdatabase", "dbuser", "dbpassword"}));
  EXPECT_EQ(platform.store->values.value("dbserver"), "embedded");
  EXPECT_EQ(platform.store->values.value("dbdatabase"), demoDatabasePath());
  EXPECT_EQ(platform.store->values.value("dbuser"), "demo");
  EXPECT_EQ(platform.store->values.value("dbpassword"), "pw");
  EXPECT_TRUE(connection.connected());
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(LinkDialogTest, SettingsErrorsAreReportedAndTheDialogGoesOn) {
  // Writing: the login succeeded, so the dialog still closes.
  platform.store->failingWrite = 2;
  type("embedded", demoDatabasePath(), "demo", "");
  dialog.btn_ok->click();
  EXPECT_EQ(platform.messages.texts(),
            (QStringList{LoginSucceededText, SettingsAccessErrorText}));
  EXPECT_EQ(platform.messages.shown[1].caption, ErrorCaption);
  EXPECT_FALSE(platform.messages.shown[1].owned);
  EXPECT_FALSE(dialog.isVisible());

  // Reading: the values read before the error stay in their edits.
  FakePlatform other{demoEngineFactory(DemoEngine::Embedded)};
  other.store->values = {{"dbserver", "erp"}, {"dbdatabase", "UFDATA"}};
  other.store->failingRead = 2;
  Tfrm_link second(other.services, connection);
  second.show();
  EXPECT_EQ(other.messages.texts(), QStringList{SettingsAccessErrorText});
  EXPECT_EQ(second.edt_server->text(), "erp");
  EXPECT_TRUE(second.edt_database->text().isEmpty());
}

} // namespace
