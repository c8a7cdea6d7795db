// A window's first long work starts once the window is on screen: after
// its show has ended and, for a modal window, while it is modal; never for
// a window hidden or destroyed before its turn.
#include "platform/longwork/onscreenstart.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Asks for its start from its showEvent, as the windows do.
class StartingWindow : public QDialog {
public:
  int starts = 0;
  bool visibleAtStart = false;
  bool modalAtStart = false;

protected:
  void showEvent(QShowEvent *event) override {
    QDialog::showEvent(event);
    startWhenOnScreen(this, [this] {
      ++starts;
      visibleAtStart = isVisible();
      modalAtStart = QApplication::activeModalWidget() == this;
    });
  }
};

TEST(OnScreenStartTest, StartsAfterTheShowHasEnded) {
  StartingWindow window;
  window.show();
  EXPECT_EQ(window.starts, 0);
  EXPECT_TRUE(anyStartPending());
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.starts == 1; }, 5000));
  EXPECT_TRUE(window.visibleAtStart);
  EXPECT_FALSE(anyStartPending());
}

TEST(OnScreenStartTest, AModalWindowStartsOnceItIsModal) {
  StartingWindow window;
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.starts > 0; }, 5000));
    window.accept();
  });
  window.exec();
  EXPECT_EQ(window.starts, 1);
  EXPECT_TRUE(window.modalAtStart);
}

TEST(OnScreenStartTest, AWindowGoneBeforeItsTurnDoesNotStart) {
  int starts = 0;
  {
    QWidget destroyed;
    destroyed.show();
    startWhenOnScreen(&destroyed, [&] { ++starts; });
  }
  QWidget hidden;
  hidden.show();
  startWhenOnScreen(&hidden, [&] { ++starts; });
  hidden.hide();
  EXPECT_TRUE(QTest::qWaitFor([] { return !anyStartPending(); }, 5000));
  EXPECT_EQ(starts, 0);
}

} // namespace
