// Long work: the window's thread serves its event loop while the work runs,
// a progress window comes only for work that takes a while, a cancel stops
// the work without waiting for a driver that ignores it, and the user's
// input is held back and given back afterwards, in order.
#include "platform/errors.h"
#include "platform/longwork/longwork.h"
#include "platform/longwork/progresswindow.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Work that counts rows until it is cancelled, or gives up after `limit`.
std::function<int(WorkProgress &)>
rowsUntilCancelled(std::chrono::milliseconds limit = 10s) {
  return [limit](WorkProgress &progress) {
    QElapsedTimer clock;
    clock.start();
    for (qint64 rows = 0; !clock.hasExpired(limit.count()); ++rows) {
      progress.rowsDone(rows);
      std::this_thread::sleep_for(1ms);
    }
    return -1;
  };
}

QList<ProgressWindow *> progressWindows() {
  QList<ProgressWindow *> found;
  for (QWidget *widget : QApplication::topLevelWidgets())
    if (auto *window = qobject_cast<ProgressWindow *>(widget))
      found << window;
  return found;
}

QString labelTexts(QWidget *window) {
  QStringList texts;
  for (const QLabel *label : window->findChildren<QLabel *>())
    texts << label->text();
  return texts.join('|');
}

class LongWorkTest : public ::testing::Test {
protected:
  LongWorkTest() {
    owner.resize(300, 200);
    owner.show();
  }
  QWidget owner;
};

TEST_F(LongWorkTest, WorkThatEndsBeforeTheDelayShowsNothingAndGivesItsResult) {
  LongWork work(&owner, WorkKind::Query);
  const int result = work.run<int>([](WorkProgress &) {
    std::this_thread::sleep_for(20ms);
    return 42;
  });
  EXPECT_EQ(result, 42);
  EXPECT_EQ(work.progressWindow(), nullptr);
  EXPECT_TRUE(progressWindows().isEmpty());
  EXPECT_FALSE(work.cancelled());
}

TEST_F(LongWorkTest, AnErrorOfTheWorkReachesTheCallerOnItsThread) {
  LongWork work(&owner, WorkKind::Query);
  try {
    work.run<int>([](WorkProgress &) -> int {
      throw DatabaseError(QStringLiteral("no such table"));
    });
    FAIL() << "no error";
  } catch (const DatabaseError &error) {
    EXPECT_EQ(error.message(), "no such table");
  }
  EXPECT_FALSE(work.cancelled());
}

// After the delay: a window owned by the caller with what is being done,
// the rows so far and the time; a click on its "取消" stops the work. Keys
// typed at it, where a platform made it the active window, go nowhere;
// afterwards the caller's window is active again.
TEST_F(LongWorkTest, AWorkStillRunningShowsItsProgressAndCancelStopsIt) {
  QLineEdit edit(&owner);
  edit.show();
  owner.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
  edit.setFocus();
  QString texts;
  QWidget *parent = nullptr;
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(LongWork::ShowAfter + 300ms, [&] {
      ProgressWindow *window = work.progressWindow();
      ASSERT_NE(window, nullptr);
      EXPECT_TRUE(window->isVisible());
      QTest::keyClicks(window, " x");
      parent = window->parentWidget();
      texts = labelTexts(window);
      EXPECT_EQ(window->cancelButton()->text(), "取消");
      QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    });
    EXPECT_THROW(work.run<int>(rowsUntilCancelled()), WorkCancelled);
    EXPECT_TRUE(work.cancelled());
    EXPECT_EQ(edit.text(), "");
  }
  QCoreApplication::sendPostedEvents();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
  EXPECT_EQ(edit.text(), "");
  EXPECT_EQ(parent, &owner);
  EXPECT_TRUE(texts.startsWith("正在查询…|已读取 ")) << texts.toStdString();
  EXPECT_TRUE(texts.contains(" 行|已用时间 ")) << texts.toStdString();
  EXPECT_FALSE(texts.contains("已读取 0 行")) << "rows counted";
}

// Counts the wheel turns it receives.
class WheelLog : public QWidget {
public:
  WheelLog(QWidget *parent, int *turns) : QWidget(parent), m_turns(turns) {}

protected:
  void wheelEvent(QWheelEvent *) override { ++*m_turns; }

private:
  int *m_turns;
};

// Records the keys it receives.
class KeyLog : public QWidget {
public:
  using QWidget::QWidget;
  QList<int> keys;

protected:
  void keyPressEvent(QKeyEvent *event) override { keys << event->key(); }
};

TEST_F(LongWorkTest, EscCancelsFromTheStartAndIsNotGivenBack) {
  KeyLog target(&owner);
  target.show();
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(30ms, [&] {
      QTest::keyClick(&target, Qt::Key_A);
      QTest::keyClick(&target, Qt::Key_Escape);
    });
    EXPECT_THROW(work.run<int>(rowsUntilCancelled()), WorkCancelled);
    EXPECT_EQ(work.progressWindow(), nullptr);
  }
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(target.keys, QList<int>{Qt::Key_A});
}

// A driver that does not answer the cancel does not keep the window: the
// caller gets WorkCancelled after the grace, and the work ends on its own
// thread later, unwatched.
TEST_F(LongWorkTest, AWorkThatIgnoresTheCancelIsLeftToEndOnItsOwn) {
  const auto release = std::make_shared<std::atomic<bool>>(false);
  const auto ended = std::make_shared<std::atomic<bool>>(false);
  const auto interrupted = std::make_shared<std::atomic<bool>>(false);
  QElapsedTimer clock;
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(50ms, [&] {
      clock.start();
      work.cancel();
    });
    EXPECT_THROW(work.run<int>(
                     [release, ended](WorkProgress &) {
                       while (!*release)
                         std::this_thread::sleep_for(1ms);
                       *ended = true;
                       return 0;
                     },
                     [interrupted] { *interrupted = true; }),
                 WorkCancelled);
  }
  EXPECT_LT(clock.elapsed(), 5000) << "returned without the work";
  EXPECT_FALSE(*ended);
  EXPECT_TRUE(*interrupted);
  *release = true;
  QElapsedTimer wait;
  wait.start();
  while (!*ended && !wait.hasExpired(5000))
    std::this_thread::sleep_for(1ms);
  EXPECT_TRUE(*ended);
}

TEST_F(LongWorkTest, OnceCancelledTheNextPieceDoesNotStart) {
  LongWork work(&owner, WorkKind::Login);
  work.cancel();
  bool started = false;
  EXPECT_THROW(work.run<int>([&started](WorkProgress &) {
    started = true;
    return 0;
  }),
               WorkCancelled);
  EXPECT_FALSE(started);
}

// Work that uses what its caller owns is never left behind: a cancel stops
// it at its own pace and the caller waits for that; the last step of an
// export, storing the file, does not take a cancel at all.
TEST_F(LongWorkTest, WorkUsingTheCallersDataIsWaitedForToItsEnd) {
  for (const bool cancellable : {true, false}) {
    SCOPED_TRACE(cancellable ? "cancellable" : "not cancellable");
    LongWork work(&owner, WorkKind::Export);
    bool ended = false; // the caller's, written by the work
    QTimer::singleShot(50ms, [&] { QTest::keyClick(&owner, Qt::Key_Escape); });
    const auto step = [&ended](WorkProgress &progress) {
      QElapsedTimer clock;
      clock.start();
      const auto end = qScopeGuard([&ended] { ended = true; });
      while (!clock.hasExpired(300)) {
        progress.throwIfCancelled();
        std::this_thread::sleep_for(1ms);
      }
      return 1;
    };
    if (cancellable) {
      EXPECT_THROW(work.runWhole<int>(step), WorkCancelled);
      EXPECT_TRUE(work.cancelled());
    } else {
      EXPECT_EQ(work.runWhole<int>(step, false), 1);
      EXPECT_FALSE(work.cancelled());
    }
    EXPECT_TRUE(ended);
  }
}

// Work that must stay on the window's thread (it walks a grid) calls
// pace() between rows: timers keep ticking, the progress window shows the
// rows of all rows, and a cancel ends the walk at the next row.
TEST_F(LongWorkTest, WorkOnThisThreadReturnsToTheEventLoopAndStopsAtACancel) {
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(16);
  LongWork work(&owner, WorkKind::Export);
  QString texts;
  QTimer::singleShot(LongWork::ShowAfter + 200ms, [&] {
    ASSERT_NE(work.progressWindow(), nullptr);
    texts = labelTexts(work.progressWindow());
    QTest::keyClick(work.progressWindow(), Qt::Key_Escape);
  });
  qint64 rows = 0;
  QElapsedTimer clock;
  clock.start();
  try {
    for (; !clock.hasExpired(10000); ++rows) {
      // 50 µs a row, by the clock: a sleep that short lasts nothing at all
      // on some systems.
      QElapsedTimer row;
      row.start();
      while (row.nsecsElapsed() < 50000) {
      }
      work.pace(rows, 1000000);
    }
  } catch (const WorkCancelled &) {
  }
  EXPECT_TRUE(work.cancelled());
  EXPECT_LT(rows, 1000000);
  EXPECT_GT(ticks, 10) << "the event loop was served";
  EXPECT_TRUE(texts.startsWith("正在输出…|已输出 ")) << texts.toStdString();
  EXPECT_TRUE(texts.contains(" / 1000000 行|")) << texts.toStdString();
}

// What the user does during the work reaches nobody until the work has
// ended; then the keys arrive in the order they were typed, and the close
// of the window last. The click, aimed at what the window showed before
// the work changed it, is discarded.
TEST_F(LongWorkTest, InputDuringTheWorkTakesEffectAfterItInOrder) {
  auto *edit = new QLineEdit(&owner);
  auto *button = new QPushButton(QStringLiteral("查询"), &owner);
  auto *layout = new QVBoxLayout(&owner);
  layout->addWidget(edit);
  layout->addWidget(button);
  QStringList seen;
  QObject::connect(edit, &QLineEdit::textChanged,
                   [&](const QString &text) { seen << text; });
  QObject::connect(button, &QPushButton::clicked, [&] { seen << "clicked"; });
  QStringList seenDuringWork;
  bool visibleDuringWork = false;
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(20ms, [&] {
      edit->setFocus();
      QTest::keyClicks(edit, "ab");
      QTest::mouseClick(button, Qt::LeftButton);
      QTest::keyClicks(edit, "c");
      owner.close();
      QTest::qWait(30);
      seenDuringWork = seen;
      visibleDuringWork = owner.isVisible();
    });
    work.run<int>([](WorkProgress &) {
      std::this_thread::sleep_for(200ms);
      return 0;
    });
  }
  EXPECT_TRUE(seenDuringWork.isEmpty())
      << seenDuringWork.join(',').toStdString();
  EXPECT_TRUE(visibleDuringWork);
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(seen, (QStringList{"a", "ab", "abc"}));
  EXPECT_FALSE(owner.isVisible());
}

// Input from the window system comes to the window first. A key held
// there finds the widget with the focus again when it is given back;
// clicks and wheel turns made during the work are discarded.
TEST_F(LongWorkTest, ClicksAndWheelTurnsAreDiscardedKeysReachTheirWidget) {
  auto *button = new QPushButton(QStringLiteral("输出"), &owner);
  button->setGeometry(10, 10, 100, 30);
  button->show();
  auto *edit = new QLineEdit(&owner);
  edit->setGeometry(10, 50, 100, 30);
  edit->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
  owner.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
  edit->setFocus();
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  int wheelTurns = 0;
  WheelLog wheel(&owner, &wheelTurns);
  wheel.setGeometry(150, 10, 100, 100);
  wheel.show();
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(20ms, [&] {
      QTest::mouseClick(owner.windowHandle(), Qt::LeftButton, {},
                        QPoint(50, 25));
      QTest::mouseDClick(owner.windowHandle(), Qt::LeftButton, {},
                         QPoint(50, 25));
      QWheelEvent turn(QPointF(50, 50), wheel.mapToGlobal(QPointF(50, 50)),
                       QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(&wheel, &turn);
      QTest::keyClick(owner.windowHandle(), Qt::Key_Z);
    });
    work.run<int>([](WorkProgress &) {
      std::this_thread::sleep_for(150ms);
      return 0;
    });
  }
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(wheelTurns, 0);
  EXPECT_EQ(edit->text(), "z");
}

// A button pressed before the work and let go during it comes up after
// the work: the release is given back, and the click it completes with it.
TEST_F(LongWorkTest, AReleaseOfAPressMadeBeforeTheWorkIsGivenBack) {
  auto *button = new QPushButton(QStringLiteral("输出"), &owner);
  button->setGeometry(10, 10, 100, 30);
  button->show();
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  QTest::mousePress(button, Qt::LeftButton);
  ASSERT_TRUE(button->isDown());
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(20ms,
                       [&] { QTest::mouseRelease(button, Qt::LeftButton); });
    work.run<int>([](WorkProgress &) {
      std::this_thread::sleep_for(100ms);
      return 0;
    });
    EXPECT_EQ(clicks, 0);
  }
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->isDown());
}

// Held input is given back only where it can still take effect: not to a
// window that a modal window now blocks (the close is dropped, the window
// stays), nor to a window closed or destroyed meanwhile.
TEST_F(LongWorkTest, HeldInputForABlockedOrVanishedWindowIsDropped) {
  auto *edit = new QLineEdit(&owner);
  edit->show();
  auto other = std::make_unique<QWidget>();
  auto *otherEdit = new QLineEdit(other.get());
  other->show();
  QWidget closed;
  auto *closedEdit = new QLineEdit(&closed);
  closed.show();
  QDialog modal;
  modal.setWindowModality(Qt::ApplicationModal);
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(20ms, [&] {
      QTest::keyClicks(edit, "ab");
      owner.close();
      QTest::keyClicks(otherEdit, "cd");
      QTest::keyClicks(closedEdit, "ef");
    });
    work.run<int>([](WorkProgress &) {
      std::this_thread::sleep_for(100ms);
      return 0;
    });
    // Before the input is given back: a modal window opens, one window is
    // destroyed, one hidden.
    modal.show();
    other.reset();
    closed.hide();
  }
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(edit->text(), "");
  EXPECT_TRUE(owner.isVisible());
  EXPECT_EQ(closedEdit->text(), "");
  modal.hide();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(edit->text(), "") << "dropped, not postponed";
  EXPECT_TRUE(owner.isVisible());
}

// A key held for a window is given back when its turn comes: a key before
// it that opened a modal window keeps it from the window it was aimed at.
TEST_F(LongWorkTest, AKeyGivenBackThatOpensAModalWindowStopsTheKeysAfterIt) {
  auto *edit = new QLineEdit(&owner);
  edit->show();
  QDialog modal;
  modal.setWindowModality(Qt::ApplicationModal);
  QString textInModal = "unset";
  QObject::connect(edit, &QLineEdit::textChanged, [&](const QString &text) {
    if (text == "a") {
      modal.show();
      QCoreApplication::sendPostedEvents();
      textInModal = edit->text();
      modal.hide();
    }
  });
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(20ms, [&] { QTest::keyClicks(edit, "ab"); });
    work.run<int>([](WorkProgress &) {
      std::this_thread::sleep_for(100ms);
      return 0;
    });
  }
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(textInModal, "a");
  EXPECT_EQ(edit->text(), "a");
}

// A cancel never waits for an interrupt that waits for its driver: the
// window is released after the grace, and the interrupt ends later on its
// own thread.
TEST_F(LongWorkTest, AnInterruptThatHangsDoesNotHoldTheWindow) {
  const auto release = std::make_shared<std::atomic<bool>>(false);
  const auto interruptEnded = std::make_shared<std::atomic<bool>>(false);
  QElapsedTimer clock;
  {
    LongWork work(&owner, WorkKind::Query);
    QTimer::singleShot(50ms, [&] {
      clock.start();
      QTest::keyClick(&owner, Qt::Key_Escape);
    });
    EXPECT_THROW(work.run<int>(
                     [release](WorkProgress &) {
                       while (!*release)
                         std::this_thread::sleep_for(1ms);
                       return 0;
                     },
                     [release, interruptEnded] {
                       while (!*release)
                         std::this_thread::sleep_for(1ms);
                       *interruptEnded = true;
                     }),
                 WorkCancelled);
  }
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_FALSE(*interruptEnded);
  *release = true;
  EXPECT_TRUE(QTest::qWaitFor([&] { return bool(*interruptEnded); }, 5000));
}

// A step a handler leaves for later does not run in the middle of work
// that started after the handler: it waits for that work's end.
TEST_F(LongWorkTest, AStepLeftForWhenIdleWaitsForWorkStartedAfterIt) {
  bool working = false, ran = false, ranDuringWork = false;
  LongWork::whenIdle(&owner, [&] {
    ran = true;
    ranDuringWork = working;
  });
  {
    LongWork work(&owner, WorkKind::Sort);
    working = true;
    work.run<int>([](WorkProgress &) {
      std::this_thread::sleep_for(100ms);
      return 0;
    });
    working = false;
  }
  EXPECT_FALSE(ran);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
  EXPECT_FALSE(ranDuringWork);
}

// A sort is long work of its own kind.
TEST_F(LongWorkTest, ASortSaysSo) {
  LongWork work(&owner, WorkKind::Sort);
  QString texts;
  QTimer::singleShot(LongWork::ShowAfter + 200ms, [&] {
    ASSERT_NE(work.progressWindow(), nullptr);
    texts = labelTexts(work.progressWindow());
    work.cancel();
  });
  EXPECT_THROW(work.runWhole<int>([](WorkProgress &progress) {
    for (;;) {
      progress.throwIfCancelled();
      std::this_thread::sleep_for(1ms);
    }
    return 0;
  }),
               WorkCancelled);
  EXPECT_TRUE(texts.startsWith("正在排序…|")) << texts.toStdString();
}

} // namespace
