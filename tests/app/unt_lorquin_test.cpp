#include "app/application.h"
#include "app/contactstrip.h"
#include "app/errordisplay.h"
#include "app/messagetexts.h"
#include "app/openmodal.h"
#include "app/unt_lorquin.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "connection/unt_link.h"
#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "grid/mouseinput.h"
#include "platform/dataset/query.h"
#include "support/demodatabase.h"
#include "support/fakeengine.h"
#include "support/fakeplatform.h"
#include "support/qtprint.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// One table for every statement: the class list reads its cInvCName, the
// header query finds all its columns.
ResultTable headerTable() {
  return makeTable(
      {{"BomId", FieldType::Integer},
       {"parentId", FieldType::Integer},
       {"InvCode", FieldType::WideString},
       {"cInvAddCode", FieldType::WideString},
       {"cInvName", FieldType::WideString},
       {"cInvStd", FieldType::WideString},
       {"bomtype", FieldType::String},
       {"Version", FieldType::Integer},
       {"VersionDesc", FieldType::WideString},
       {"IdentCode", FieldType::WideString},
       {"IdentDesc", FieldType::WideString},
       {"status", FieldType::String},
       {"VersionEffDate", FieldType::DateTime},
       {"VersionEndDate", FieldType::DateTime},
       {"cInvCName", FieldType::WideString}},
      {{1001, 2178, "0201010001", "ZL-SR-001", "输入轴", "WPA-60", "主BOM", 1,
        "1", "", "", "审核", 45000.0, 47000.0, "轴类"}});
}

// Types `text` into `widget` one character at a time, as keystrokes.
void typeText(QWidget *widget, const QString &text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, c);
    QApplication::sendEvent(widget, &release);
  }
}

class MainWindowTest : public ::testing::Test {
protected:
  // The main window of `platform`, shown: its start-up has run.
  static std::unique_ptr<Tfrm_lorquin> shownWindow(FakePlatform &platform) {
    auto window = std::make_unique<Tfrm_lorquin>(platform.services);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    showStarted(*window);
    return window;
  }

  // Header statements sent so far.
  QStringList headerStatements() const {
    return fake->statements.filter(QStringLiteral("v_bom_parent_rpt"));
  }

  std::shared_ptr<FakeDatabase> fake = [] {
    auto database = std::make_shared<FakeDatabase>();
    database->table = headerTable();
    return database;
  }();
  RecordedErrors recorded;
  QStringList &errors = recorded.messages;
};

// --- start-up ---------------------------------------------------------------

TEST_F(MainWindowTest, AnEmptyStoreStopsStartUpAndConnectStillOpensTheDialog) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  auto window = shownWindow(platform);
  ASSERT_EQ(platform.messages.shown.size(), 1);
  const ShownMessage &message = platform.messages.shown[0];
  EXPECT_EQ(message.text, StartupConnectFailedText);
  EXPECT_EQ(message.caption, NoticeCaption);
  EXPECT_EQ(message.owner, window.get());
  EXPECT_FALSE(window->t_action->isActive());
  EXPECT_EQ(window->edt_class->count(), 0);

  // The dialog connects to the demo database and stores what was typed.
  bool dialogSeen = false;
  whenModal([&] {
    ASSERT_TRUE(frm_link);
    dialogSeen = true;
    frm_link->edt_server->setText(QStringLiteral("embedded"));
    frm_link->edt_database->setText(demoDatabasePath());
    frm_link->edt_user->setText(QStringLiteral("demo"));
    frm_link->btn_ok->click();
  });
  window->tbn_link->click();
  EXPECT_TRUE(dialogSeen);
  EXPECT_EQ(frm_link, nullptr);
  EXPECT_EQ(platform.messages.texts().last(), LoginSucceededText);
  EXPECT_EQ(platform.store->values.value("dbserver"), "embedded");
  EXPECT_EQ(platform.store->values.value("dbdatabase"), demoDatabasePath());

  // Nothing in the main window is refreshed; the next query uses the new
  // connection.
  EXPECT_FALSE(window->t_action->isActive());
  window->tbn_query->click();
  EXPECT_GT(window->ado_bominfomain->recordCount(), 0);
}

TEST_F(MainWindowTest, AFailedDialogAttemptLeavesTheQueryWithoutConnection) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  const auto stored = platform.store->values;
  auto window = shownWindow(platform);
  whenModal([&] {
    frm_link->edt_database->setText(BOMQUERY_BINARY_DIR "/gone.sqlite3");
    frm_link->btn_ok->click();
    frm_link->close();
  });
  window->tbn_link->click();
  window->tbn_query->click();
  EXPECT_EQ(platform.messages.texts(),
            (QStringList{DialogConnectFailedText, BomDataReadFailedText}));
  EXPECT_EQ(platform.store->values, stored);
}

TEST_F(MainWindowTest, StartUpFailuresShowTheirMessageAndLeaveTheTimerOff) {
  struct Case {
    const char *what;
    bool refuseLogin;
    const char *failStatements;
    QString expected;
  };
  const Case cases[] = {
      {"refused login", true, "", StartupConnectFailedText},
      {"class list", false, "Invalid object name", ClassListFailedText},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    fake->refuseLogin = c.refuseLogin;
    fake->failStatementsWith = QString::fromUtf8(c.failStatements);
    FakePlatform platform(fakeEngineFactory(fake));
    storeDemoSettings(*platform.store);
    auto window = shownWindow(platform);
    EXPECT_EQ(platform.messages.texts(), QStringList{c.expected});
    EXPECT_FALSE(window->t_action->isActive());
    EXPECT_EQ(window->edt_class->count(), 0);
  }
}

TEST_F(MainWindowTest, ASettingsErrorIsShownAndStartUpGoesOnWithWhatWasRead) {
  FakePlatform platform(fakeEngineFactory(fake));
  storeDemoSettings(*platform.store);
  platform.store->failingRead = 4; // the password, read last
  auto window = shownWindow(platform);
  ASSERT_EQ(platform.messages.shown.size(), 1);
  EXPECT_EQ(platform.messages.shown[0].text, StartupSettingsErrorText);
  EXPECT_EQ(platform.messages.shown[0].caption, ErrorCaption);
  EXPECT_FALSE(platform.messages.shown[0].owned);
  EXPECT_EQ(window->linkInfo().user, "demo");
  EXPECT_TRUE(window->t_action->isActive());
}

TEST_F(MainWindowTest, WithoutLeafClassesTheListIsEmptyAndTheTimerStarts) {
  fake->table = makeTable({{"cInvCName", FieldType::WideString}}, {});
  FakePlatform platform(fakeEngineFactory(fake));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  EXPECT_TRUE(platform.messages.shown.isEmpty());
  EXPECT_EQ(window->edt_class->count(), 0);
  EXPECT_TRUE(window->t_action->isActive());
}

TEST_F(MainWindowTest, AClassListErrorAfterOpeningReachesTheErrorDisplay) {
  fake->table = makeTable({{"cinvCCode", FieldType::WideString}},
                          {{QStringLiteral("0101")}});
  FakePlatform platform(fakeEngineFactory(fake));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  EXPECT_TRUE(platform.messages.shown.isEmpty());
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].contains("cInvCName")) << errors[0];
  EXPECT_FALSE(window->t_action->isActive());
}

TEST_F(MainWindowTest, TheDemoStartUpFillsTheClassListWithoutRunningAQuery) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  EXPECT_TRUE(platform.messages.shown.isEmpty());
  EXPECT_TRUE(window->t_action->isActive());
  EXPECT_EQ(window->edt_class->count(), 14);
  EXPECT_EQ(window->edt_class->itemText(0), "钢材");
  EXPECT_EQ(window->edt_class->currentText(), "");
  EXPECT_FALSE(window->ado_bominfomain->active());
  EXPECT_EQ(window->pnl_recordcount->text(), "记录数为：");
}

TEST_F(MainWindowTest, FilterControlsStandWhereUsersExpectThem) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  auto window = shownWindow(platform);
  const struct {
    QWidget *control;
    QRect geometry;
  } cases[] = {
      {window->edt_code, {54, 4, 120, 21}},
      {window->edt_std, {232, 4, 120, 21}},
      {window->edt_addcode, {408, 4, 120, 21}},
      {window->edt_name, {54, 28, 120, 21}},
      {window->cbb_type, {232, 28, 120, 21}},
      {window->cbb_status, {408, 28, 120, 21}},
      {window->edt_class, {54, 52, 120, 21}},
      {window->contactTop, {600, 3, 331, 72}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(c.control->geometry(), c.geometry)
        << c.control->metaObject()->className();
  // The filter panel starts below the 45-pixel toolbar band.
  EXPECT_EQ(window->edt_code->parentWidget()->mapTo(window.get(), QPoint()),
            QPoint(0, 45));
  EXPECT_EQ(window->edt_class->maxVisibleItems(), 16);
  EXPECT_EQ(window->cbb_status->itemText(3), "停用");
  EXPECT_EQ(window->pnl_recordcount->width(), 253);
  EXPECT_EQ(window->windowTitle(), "BOM查询");
}

TEST_F(MainWindowTest,
       TypingRightAfterStartUpFiltersByClassAndTabWalksTheFilters) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  for (const QChar character : QStringLiteral("轴类"))
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                        Qt::Key_unknown, QString(character), Qt::NoModifier);
  EXPECT_EQ(window->edt_class->currentText(), "轴类");
  EXPECT_EQ(window->ado_bominfomain->recordCount(), 18);

  const QList<QWidget *> tabOrder{window->edt_code,    window->edt_std,
                                  window->edt_addcode, window->edt_name,
                                  window->cbb_type,    window->cbb_status};
  for (QWidget *next : tabOrder) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
  }
}

TEST_F(MainWindowTest, ExitClosesAndDestroysTheWindowWhileTheTimerRuns) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  frm_lorquin = new Tfrm_lorquin(platform.services);
  QPointer<Tfrm_lorquin> window = frm_lorquin;
  showStarted(*window);
  ASSERT_TRUE(window->t_action->isActive());
  window->tb_exit->click();
  EXPECT_EQ(frm_lorquin, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

// --- filters ----------------------------------------------------------------

TEST_F(MainWindowTest, ClassKeystrokesAndListPicksRunTheQueryEnterDoesNot) {
  FakePlatform platform(fakeEngineFactory(fake));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  ASSERT_TRUE(headerStatements().isEmpty());

  typeText(window->edt_class->lineEdit(), QStringLiteral("轴类"));
  ASSERT_EQ(headerStatements().size(), 2);
  EXPECT_TRUE(headerStatements()[0].endsWith("d.cInvCName = '轴') "));
  EXPECT_TRUE(headerStatements()[1].endsWith("d.cInvCName = '轴类') "));
  EXPECT_EQ(window->pnl_recordcount->text(), "记录数为：1");

  // Free-text boxes wait for the button; Enter runs nothing anywhere.
  QTest::keyClicks(window->edt_code, QStringLiteral("0201"));
  QTest::keyClick(window->edt_code, Qt::Key_Return);
  QTest::keyClick(window->edt_class->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(headerStatements().size(), 2);
  EXPECT_EQ(window->edt_class->count(), 1); // Enter added no item

  window->cbb_type->setCurrentIndex(1);
  window->cbb_status->setCurrentIndex(2);
  window->cbb_type->setCurrentIndex(0); // the empty entry: no type filter
  ASSERT_EQ(headerStatements().size(), 5);
  const QString last = headerStatements().last();
  EXPECT_TRUE(last.contains("('0201'='' or Invcode like '%0201%')"));
  EXPECT_TRUE(last.contains("(''='' or (''='主BOM'"));
  EXPECT_TRUE(last.contains("('审核'='' or"));

  window->edt_class->setEditText(QString());
  EXPECT_TRUE(headerStatements().last().endsWith("d.cInvCName = '') "));
}

TEST_F(MainWindowTest, CountsFollowTheFiltersOnTheDemoDatabase) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->tbn_query->click();
  const int all = window->ado_bominfomain->recordCount();
  EXPECT_GT(all, 0);
  EXPECT_EQ(window->pnl_recordcount->text(), recordCountText(all));

  window->edt_class->setCurrentIndex(window->edt_class->findText("减速机"));
  const int reducers = window->ado_bominfomain->recordCount();
  EXPECT_GT(reducers, 0);
  EXPECT_LT(reducers, all);
  EXPECT_EQ(window->pnl_recordcount->text(), recordCountText(reducers));

  window->edt_class->setEditText(QStringLiteral("没有这个大类"));
  EXPECT_EQ(window->pnl_recordcount->text(), "记录数为：0");
}

TEST_F(MainWindowTest, AQueryWithoutConnectionShowsItsMessageAndKeepsTheCount) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->tbn_query->click();
  const QString count = window->pnl_recordcount->text();

  window->ado_conn.close();
  window->ado_conn.setConnectionString(
      QStringLiteral("gone"),
      {"embedded", QStringLiteral(BOMQUERY_BINARY_DIR "/gone.sqlite3"), "demo",
       ""});
  window->tbn_query->click();
  EXPECT_EQ(platform.messages.texts(), QStringList{BomDataReadFailedText});
  EXPECT_EQ(platform.messages.shown[0].owner, window.get());
  EXPECT_EQ(window->pnl_recordcount->text(), count);
  EXPECT_FALSE(window->ado_bominfomain->active());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// --- opening a header
// ---------------------------------------------------------

TEST_F(MainWindowTest, ADoubleClickOnAnEmptyGridAsksNothing) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->dbg_bominfomain->OnDblClick(*window->dbg_bominfomain);
  window->edt_class->setEditText(QStringLiteral("没有这个大类"));
  window->dbg_bominfomain->OnDblClick(*window->dbg_bominfomain);
  EXPECT_TRUE(platform.messages.asked.isEmpty());
}

TEST_F(MainWindowTest, TheAnswerSetsTheExpansionAndTogglingRunsTheOther) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->tbn_query->click();

  struct Case {
    bool answer;
    ExpandMode mode;
    const char *modeDigit;
    const char *otherDigit;
  };
  const Case cases[] = {{true, ExpandMode::ToLastLevel, "0", "1"},
                        {false, ExpandMode::OneLevel, "1", "0"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.answer ? "Yes" : "No");
    platform.messages.answers = {c.answer ? YesNoAnswer::Yes : YesNoAnswer::No};
    QPointer<Tfrm_bominfo_detail> seen;
    whenModal([&] {
      ASSERT_TRUE(frm_bominfo_detail);
      seen = frm_bominfo_detail;
      Tfrm_bominfo_detail &detail = *frm_bominfo_detail;
      EXPECT_EQ(detail.cb_level->isChecked(), c.answer);
      EXPECT_EQ(detail.expandMode(), c.mode);
      EXPECT_TRUE(detail.ado_bomdetail->sqlText().endsWith(QLatin1String(",") +
                                                           c.modeDigit));
      EXPECT_EQ(detail.dbe_code->text(),
                window->ado_bominfomain->FieldByName("InvCode")->AsString());
      const int count = detail.ado_bomdetail->recordCount();
      EXPECT_EQ(detail.recordCountPanel()->text(), recordCountText(count));

      detail.cb_level->click();
      EXPECT_TRUE(detail.ado_bomdetail->sqlText().endsWith(QLatin1String(",") +
                                                           c.otherDigit));
      EXPECT_EQ(detail.recordCountPanel()->text(),
                recordCountText(detail.ado_bomdetail->recordCount()));
      detail.tb_exit->click();
    });
    window->dbg_bominfomain->OnDblClick(*window->dbg_bominfomain);
    ASSERT_EQ(platform.messages.asked.size(), 1);
    EXPECT_EQ(platform.messages.asked[0].text, "是否到末级？");
    EXPECT_EQ(platform.messages.asked[0].caption, NoticeCaption);
    EXPECT_EQ(platform.messages.asked[0].owner, window.get());
    platform.messages.asked.clear();
    EXPECT_EQ(frm_bominfo_detail, nullptr);
    EXPECT_TRUE(seen.isNull()); // destroyed, not hidden
  }
}

TEST_F(MainWindowTest, BackingOutOfTheQuestionOpensNoWindow) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->tbn_query->click();
  platform.messages.answers = {YesNoAnswer::Dismissed};
  bool opened = false;
  whenModal([&] {
    opened = frm_bominfo_detail != nullptr;
    if (opened)
      frm_bominfo_detail->close();
  });
  window->dbg_bominfomain->OnDblClick(*window->dbg_bominfomain);
  QCoreApplication::processEvents();
  EXPECT_EQ(platform.messages.asked.size(), 1);
  EXPECT_FALSE(opened);
}

TEST_F(MainWindowTest, ADoubleClickOnATitleSortsTwiceThenAsks) {
  // The grid raises its double click on the second press and a title click
  // on each release: the question waits for the second release, so it comes
  // once both clicks have sorted, about the record current after them.
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->resize(942, 500);
  window->tbn_query->click();
  Query &headers = *window->ado_bominfomain;
  const QString current = headers.FieldByName("InvCode")->AsString();

  MouseInput mouse(window->dbg_bominfomain->viewport());
  const QPoint invCodeTitle(11 + 85 + 40, 6);
  mouse.doubleClickSequence(invCodeTitle);
  EXPECT_TRUE(platform.messages.asked.isEmpty());
  EXPECT_EQ(headers.sort(), "InvCode DESC");

  platform.messages.answers = {YesNoAnswer::No};
  QString shownCode;
  whenModal([&] {
    if (frm_bominfo_detail) {
      shownCode = frm_bominfo_detail->dbe_code->text();
      frm_bominfo_detail->close();
    }
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(platform.messages.asked.size(), 1);
  EXPECT_EQ(shownCode, current);
  EXPECT_EQ(window->dbg_bominfomain->Columns()[1].Title().Caption(),
            "▼存货编码");
}

TEST_F(MainWindowTest, ABomWithoutComponentsCountsZero) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->edt_code->setText(QStringLiteral("0301010010"));
  window->tbn_query->click();
  Query &headers = *window->ado_bominfomain;
  for (headers.first(); !headers.eof(); headers.next())
    if (headers.FieldByName("BomId")->AsInteger() == 1073)
      break;
  ASSERT_FALSE(headers.eof()); // the demo BOM without components
  platform.messages.answers = {YesNoAnswer::Yes};
  QString count;
  whenModal([&] {
    count = frm_bominfo_detail->recordCountPanel()->text();
    frm_bominfo_detail->close();
  });
  window->dbg_bominfomain->OnDblClick(*window->dbg_bominfomain);
  EXPECT_EQ(count, "记录数为：0");
}

TEST_F(MainWindowTest, AnErrorInsideTheModalWindowStillDestroysIt) {
  // Before any query the header query is closed: the component window
  // cannot read its header, the error reaches the error display, and the
  // window closed afterwards is destroyed and its reference cleared.
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  QPointer<Tfrm_bominfo_detail> seen;
  whenModal([&] {
    seen = frm_bominfo_detail;
    EXPECT_EQ(errors.size(), 1);
    frm_bominfo_detail->close();
  });
  OpenModal(frm_bominfo_detail, platform.services, window->ado_conn,
            *window->ado_bominfomain, ExpandMode::OneLevel);
  EXPECT_TRUE(errors.value(0).contains("ado_bominfomain")) << errors.value(0);
  EXPECT_EQ(frm_bominfo_detail, nullptr);
  EXPECT_TRUE(seen.isNull());
}

// --- export, timer, web address -------------------------------------------

TEST_F(MainWindowTest, ExportProposesTodaysNameAndReportsACancel) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->tbn_export->click();
  ASSERT_EQ(platform.saveDialog.opened.size(), 1);
  EXPECT_EQ(platform.saveDialog.opened[0].fileName, "BOM查询-20240305");
  EXPECT_EQ(platform.messages.texts(), QStringList{"BOM查询数据输出未完成！"});
  EXPECT_EQ(platform.messages.shown[0].owner, window.get());
}

TEST_F(MainWindowTest, TheTimerCyclesAllSixContactFields) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  storeDemoSettings(*platform.store);
  auto window = shownWindow(platform);
  window->contactBottom->setFieldColor(1, clYellow);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return window->contactTop->fieldColor(0) != clBlack; }, 3000));
  for (ContactStrip *strip : {window->contactTop, window->contactBottom})
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(strip->fieldColor(i),
                strip == window->contactBottom && i == 1 ? clBlue : clRed);
}

TEST_F(MainWindowTest, PressingAWebAddressTurnsItRedAndOpensTheAddress) {
  FakePlatform platform(demoEngineFactory(DemoEngine::Embedded));
  auto window = shownWindow(platform);
  for (ContactStrip *strip : {window->contactTop, window->contactBottom}) {
    strip->setFieldColor(0, clBlue);
    QTest::mousePress(strip->webAddressField(), Qt::LeftButton);
    EXPECT_EQ(strip->fieldColor(0), clRed);
  }
  ASSERT_EQ(platform.shell.calls.size(), 2);
  EXPECT_EQ(platform.shell.calls[0].verb, "");
  EXPECT_EQ(platform.shell.calls[0].target, programContactDetails().webAddress);
  EXPECT_EQ(platform.shell.calls[0].showMode, ShellShowMode::Normal);
}

} // namespace
