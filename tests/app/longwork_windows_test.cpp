// Long work in the real windows: a header query, an expansion and an export
// on large generated databases, cancelled with Esc while they run; a query
// that fails after its progress window showed; input given during a query;
// a login cancelled in the connection dialog.
#include "app/messagetexts.h"
#include "app/unt_lorquin.h"
#include "bomdetail/unt_bominfo_detail.h"
#include "connection/unt_link.h"
#include "grid/dbgrideh.h"
#include "platform/database/createdatabaseenginefactory.h"
#include "platform/dataset/query.h"
#include "platform/longwork/longwork.h"
#include "platform/longwork/progresswindow.h"
#include "support/demodatabase.h"
#include "support/fakeengine.h"
#include "support/fakeplatform.h"
#include "support/generateddatabase.h"
#include "support/qtprint.h"
#include "support/windowsystem.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

int visibleProgressWindows() {
  int count = 0;
  for (QWidget *widget : QApplication::topLevelWidgets())
    if (qobject_cast<ProgressWindow *>(widget) && widget->isVisible())
      ++count;
  return count;
}

// Presses Esc in `window` after `delay`, while the work started meanwhile
// runs.
void escapeAfter(std::chrono::milliseconds delay, QWidget *window) {
  QTimer::singleShot(delay,
                     [window] { QTest::keyClick(window, Qt::Key_Escape); });
}

// Presses Esc in the window `window` gives, `delay` after long work began
// there: for work a window starts by itself once it is on screen.
void escapeDuringWork(std::function<QWidget *()> window,
                      std::chrono::milliseconds delay) {
  auto *poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, window, delay] {
    if (!LongWork::anyRunning() || !window())
      return;
    poll->stop();
    poll->deleteLater();
    QTimer::singleShot(delay, [window] {
      if (QWidget *target = window())
        QTest::keyClick(target, Qt::Key_Escape);
    });
  });
  poll->start(5);
}

QByteArray contentOf(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void storeEmbedded(FakeSettingsStore &store, const QString &database) {
  store.values = {{"dbserver", "embedded"},
                  {"dbdatabase", database},
                  {"dbuser", "test"},
                  {"dbpassword", ""}};
}

// The main window on a generated database of many headers.
class LargeDatabaseTest : public ::testing::Test {
protected:
  void SetUp() override {
    const QString database = generatedBomDatabase(100000, 100000);
    ASSERT_FALSE(database.isEmpty());
    storeEmbedded(*platform.store, database);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    showStarted(window);
    ASSERT_TRUE(platform.messages.shown.isEmpty());
    window.tbn_query->click();
    ASSERT_EQ(window.ado_bominfomain->recordCount(), 100000);
  }

  FakePlatform platform{createDatabaseEngineFactory()};
  Tfrm_lorquin window{platform.services};
};

// A cancelled query shows no rows, and the count says so; unlike a failed
// one, it says nothing else. The next query runs as usual.
TEST_F(LargeDatabaseTest, ACancelledHeaderQueryLeavesNoRowsAndNoMessage) {
  ASSERT_EQ(window.pnl_recordcount->text(), "记录数为：100000");
  escapeAfter(60ms, &window);
  window.tbn_query->click();
  EXPECT_TRUE(platform.messages.shown.isEmpty())
      << platform.messages.texts().join('\n');
  EXPECT_FALSE(window.ado_bominfomain->active());
  EXPECT_EQ(window.pnl_recordcount->text(), "记录数为：0");

  window.tbn_query->click();
  EXPECT_EQ(window.ado_bominfomain->recordCount(), 100000);
}

// A cancelled export leaves the file that was there as it was, and no
// other file; the window says the export did not complete.
TEST_F(LargeDatabaseTest, ACancelledExportLeavesTheOldFileAndNoOther) {
  QTemporaryDir folder;
  const QString target = folder.filePath("headers.rtf");
  {
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
  }
  platform.saveDialog.choice = SaveDialogChoice{target, 2};
  escapeAfter(60ms, &window);
  window.tbn_export->click();
  EXPECT_EQ(contentOf(target), "old content");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"headers.rtf"});
  EXPECT_EQ(platform.messages.texts(),
            QStringList{QStringLiteral("BOM查询数据输出未完成！")});
  EXPECT_EQ(window.ado_bominfomain->recordCount(), 100000)
      << "the grid's rows stay";
}

// An expansion of many components cancelled in the component window: no
// rows, a count of none, no message; the window stays usable for the next
// expansion, and a re-run cancelled after it leaves no stale count either.
TEST(LongExpansionTest, ACancelledExpansionLeavesNoRowsAndNoMessage) {
  const QString database = generatedBomDatabase(1, 300000);
  ASSERT_FALSE(database.isEmpty());
  FakePlatform platform(createDatabaseEngineFactory());
  storeEmbedded(*platform.store, database);
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showStarted(window);
  window.tbn_query->click();
  ASSERT_GT(window.ado_bominfomain->recordCount(), 0);

  platform.messages.answers = {YesNoAnswer::Yes};
  bool cancelledOpen = false, nextRan = false;
  QString countAfterCancel, countAfterNext, countAfterSecondCancel;
  escapeDuringWork([] { return frm_bominfo_detail; }, 50ms);
  whenModal([&] {
    Tfrm_bominfo_detail &detail = *frm_bominfo_detail;
    cancelledOpen = !detail.ado_bomdetail->active();
    countAfterCancel = detail.recordCountPanel()->text();
    detail.cb_level->setChecked(false);
    detail.tbn_query->click();
    nextRan = detail.ado_bomdetail->active();
    countAfterNext = detail.recordCountPanel()->text();
    detail.cb_level->setChecked(true);
    escapeAfter(80ms, &detail);
    detail.tbn_query->click();
    countAfterSecondCancel = detail.recordCountPanel()->text();
    detail.close();
  });
  window.dbg_bominfomain->OnDblClick(*window.dbg_bominfomain);
  EXPECT_TRUE(cancelledOpen);
  EXPECT_EQ(countAfterCancel, "记录数为：0");
  EXPECT_TRUE(nextRan);
  EXPECT_NE(countAfterNext, "记录数为：0");
  EXPECT_EQ(countAfterSecondCancel, "记录数为：0");
  EXPECT_TRUE(platform.messages.shown.isEmpty())
      << platform.messages.texts().join('\n');
}

// Statements of the fake database take a while and fail.
class SlowFailingDatabaseTest : public ::testing::Test {
protected:
  void SetUp() override {
    database->table = makeTable({{"cInvCName", FieldType::WideString}},
                                {{QStringLiteral("轴类")}});
    platform.store->values = {{"dbserver", "erp"},
                              {"dbdatabase", "UFDATA"},
                              {"dbuser", "sa"},
                              {"dbpassword", ""}};
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    showStarted(window);
    ASSERT_TRUE(platform.messages.shown.isEmpty());
    database->failStatementsWith = QStringLiteral("Query timeout expired");
  }

  std::shared_ptr<FakeDatabase> database = std::make_shared<FakeDatabase>();
  FakePlatform platform{fakeEngineFactory(database)};
  Tfrm_lorquin window{platform.services};
};

TEST_F(SlowFailingDatabaseTest, TheFailureIsShownOnceTheProgressWindowIsGone) {
  database->answerAfterMs = 900;
  int shownWhileRunning = 0;
  int shownWithMessage = -1;
  QTimer::singleShot(LongWork::ShowAfter + 200ms,
                     [&] { shownWhileRunning = visibleProgressWindows(); });
  platform.messages.whenShown = [&] {
    shownWithMessage = visibleProgressWindows();
  };
  window.tbn_query->click();
  EXPECT_EQ(platform.messages.texts(), QStringList{BomDataReadFailedText});
  EXPECT_EQ(shownWhileRunning, 1);
  EXPECT_EQ(shownWithMessage, 0);
}

// While a query runs, a click on "输出", two keys in the class box and the
// close box reach nothing. Afterwards the keys take effect in order, each
// running its query, and the window closes; the click, aimed at a window
// the query was about to change, is discarded.
TEST_F(SlowFailingDatabaseTest, InputDuringAQueryTakesEffectAfterItInOrder) {
  database->answerAfterMs = 300;
  const qsizetype statementsBefore = database->statements.size();
  QString classDuring;
  qsizetype dialogsDuring = -1;
  bool visibleDuring = false;
  QTimer::singleShot(20ms, [&] {
    QTest::mouseClick(window.tbn_export, Qt::LeftButton);
    window.edt_class->setFocus();
    QTest::keyClicks(window.edt_class, "ab");
    window.close();
    QTest::qWait(50);
    classDuring = window.edt_class->currentText();
    dialogsDuring = platform.saveDialog.opened.size();
    visibleDuring = window.isVisible();
  });
  window.tbn_query->click();
  EXPECT_EQ(classDuring, "") << "no key reached the class box";
  EXPECT_EQ(dialogsDuring, 0);
  EXPECT_TRUE(visibleDuring);

  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 10000));
  EXPECT_EQ(platform.saveDialog.opened.size(), 0);
  EXPECT_EQ(database->statements.size() - statementsBefore, 3);
  EXPECT_EQ(database->statements.back().count("'ab'"), 2)
      << database->statements.back();
  EXPECT_EQ(platform.messages.texts(),
            (QStringList{BomDataReadFailedText, BomDataReadFailedText,
                         BomDataReadFailedText}));
}

// A login the user gives up in the connection dialog: no message, nothing
// stored, the connection closed, the dialog still open; the login that
// never answered is left to end on its own.
TEST(LongLoginTest, ACancelledLoginInTheDialogStoresNothing) {
  const auto database = std::make_shared<FakeDatabase>();
  database->loginAfterMs = 3000;
  FakePlatform platform(fakeEngineFactory(database));
  platform.store->values = {{"dbserver", "old"}};
  DbConnection connection(fakeEngineFactory(database));
  Tfrm_link dialog(platform.services, connection);
  dialog.edt_server->setText("erp");
  dialog.edt_database->setText("UFDATA");
  dialog.edt_user->setText("sa");
  escapeAfter(50ms, &dialog);
  QElapsedTimer clock;
  clock.start();
  dialog.btn_okClick();
  EXPECT_LT(clock.elapsed(), 2000) << "released before the login ended";
  EXPECT_TRUE(platform.messages.shown.isEmpty())
      << platform.messages.texts().join('\n');
  EXPECT_EQ(platform.store->values,
            (QMap<QString, QString>{{"dbserver", "old"}}));
  EXPECT_FALSE(connection.connected());
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

// The sequence that once freed the main window under its open component
// window: 查询, double-click a row, 是; while "正在查询…" shows, the window
// manager's close of the main window; then the expansion ends and the
// component window runs its 查询 again. The expansion starts only once the
// component window is on screen and modal, so the close is refused like any
// other input to a window a modal one blocks: the main window stays, whole.
TEST(CloseDuringExpansionTest, TheMainWindowOutlivesItsModalComponentWindow) {
  const auto gate = std::make_shared<StatementGate>(
      QStringLiteral("exec Pellamar_ExpandCompQty"));
  FakePlatform platform(
      gatedEngineFactory(demoEngineFactory(DemoEngine::Embedded), gate));
  storeDemoSettings(*platform.store);
  // As the program makes it: destroyed when it closes.
  frm_lorquin = new Tfrm_lorquin(platform.services);
  QPointer<Tfrm_lorquin> window = frm_lorquin;
  showStarted(*window);
  window->tbn_query->click();
  ASSERT_GT(window->ado_bominfomain->recordCount(), 0);

  platform.messages.answers = {YesNoAnswer::Yes};
  bool modalWhileExpanding = false, closeTaken = true;
  int rowsShown = -1, rowsAgain = -1;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (gate->waiting == 0)
      return;
    poll.stop();
    // The expansion runs: its window is on screen and modal.
    modalWhileExpanding =
        frm_bominfo_detail && frm_bominfo_detail->isVisible() &&
        QApplication::activeModalWidget() == frm_bominfo_detail;
    windowManagerClose(window);
    QTest::qWait(50);
    closeTaken = !window || !window->isVisible();
    gate->open = true;
  });
  poll.start(5);
  whenModal([&] {
    Tfrm_bominfo_detail &detail = *frm_bominfo_detail;
    rowsShown = detail.ado_bomdetail->recordCount();
    QTest::mouseClick(detail.tbn_query, Qt::LeftButton);
    rowsAgain = detail.ado_bomdetail->recordCount();
    detail.close();
  });
  window->dbg_bominfomainDblClick();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();

  EXPECT_TRUE(modalWhileExpanding);
  EXPECT_FALSE(closeTaken);
  EXPECT_GT(rowsShown, 0);
  EXPECT_EQ(rowsAgain, rowsShown);
  EXPECT_EQ(gate->started, 2);
  ASSERT_FALSE(window.isNull()) << "the main window was destroyed";
  EXPECT_EQ(frm_lorquin, window.data());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(platform.messages.shown.isEmpty())
      << platform.messages.texts().join('\n');
  // The window manager's close now that nothing blocks it ends the program
  // as usual.
  windowManagerClose(window);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(frm_lorquin, nullptr);
}

// The start-up login and class list run once the main window is on
// screen, not while it is being shown.
TEST(StartOnScreenTest, TheStartUpRunsAfterTheShow) {
  const auto database = std::make_shared<FakeDatabase>();
  database->table = makeTable({{"cInvCName", FieldType::WideString}},
                              {{QStringLiteral("轴类")}});
  FakePlatform platform(fakeEngineFactory(database));
  platform.store->values = {{"dbserver", "erp"},
                            {"dbdatabase", "UFDATA"},
                            {"dbuser", "sa"},
                            {"dbpassword", ""}};
  Tfrm_lorquin window(platform.services);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  window.show();
  EXPECT_TRUE(database->statements.isEmpty()) << "started inside show()";
  waitForStarts();
  EXPECT_EQ(database->statements.size(), 1);
  EXPECT_EQ(window.edt_class->count(), 1);
  EXPECT_TRUE(window.t_action->isActive());
}

} // namespace
