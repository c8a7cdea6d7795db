#include "showngrid.h"

#include "grid/readonlycelleditor.h"
#include "platform/systembeep.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

class GridNavigationTest : public ShownGrid {
protected:
  void SetUp() override {
    ShownGrid::SetUp();
    setSystemBeep([this] { ++beeps; });
    fill(40);
    show(20);
  }
  void TearDown() override { setSystemBeep(nullptr); }

  void wheel(int delta) {
    QWheelEvent event(QPointF(50, 50), grid.viewport()->mapToGlobal(QPointF(50, 50)),
                      QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &event);
  }

  int beeps = 0;
};

struct KeyCase {
  const char *name;
  int startRecord;
  int startCol; // data column
  int key;
  Qt::KeyboardModifiers modifiers;
  int record;
  int col;
};

class GridKeyTest : public GridNavigationTest,
                    public testing::WithParamInterface<KeyCase> {};

TEST_P(GridKeyTest, MovesTheCurrentCell) {
  const KeyCase &c = GetParam();
  query.setRecNo(c.startRecord + 1);
  grid.setSelectedIndex(c.startCol);
  QTest::keyClick(&grid, Qt::Key(c.key), c.modifiers);
  EXPECT_EQ(current(), c.record);
  EXPECT_EQ(grid.SelectedIndex(), c.col);
  EXPECT_FALSE(grid.EditorOpen());
  EXPECT_EQ(beeps, 0);
}

const Qt::KeyboardModifiers none = Qt::NoModifier;
const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers shift = Qt::ShiftModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, GridKeyTest,
    testing::Values(
        KeyCase{"Down", 0, 1, Qt::Key_Down, none, 1, 1},
        KeyCase{"DownAtLast", 39, 1, Qt::Key_Down, none, 39, 1},
        KeyCase{"UpAtFirst", 0, 1, Qt::Key_Up, none, 0, 1},
        KeyCase{"PageDown", 0, 0, Qt::Key_PageDown, none, 20, 0},
        KeyCase{"PageDownStopsAtLast", 30, 0, Qt::Key_PageDown, none, 39, 0},
        KeyCase{"PageUp", 25, 0, Qt::Key_PageUp, none, 5, 0},
        KeyCase{"PageUpStopsAtFirst", 3, 0, Qt::Key_PageUp, none, 0, 0},
        // Record 25 shown in the bottom row: records 6 to 25 are in view.
        KeyCase{"CtrlUpToTopRow", 25, 0, Qt::Key_Up, ctrl, 6, 0},
        KeyCase{"CtrlPageUpToTopRow", 25, 0, Qt::Key_PageUp, ctrl, 6, 0},
        KeyCase{"CtrlDownToBottomRow", 0, 0, Qt::Key_Down, ctrl, 19, 0},
        KeyCase{"CtrlPageDownToBottomRow", 0, 0, Qt::Key_PageDown, ctrl, 19, 0},
        KeyCase{"CtrlHomeKeepsColumn", 10, 2, Qt::Key_Home, ctrl, 0, 2},
        KeyCase{"CtrlEndKeepsColumn", 10, 2, Qt::Key_End, ctrl, 39, 2},
        KeyCase{"HomeFirstColumn", 10, 2, Qt::Key_Home, none, 10, 0},
        KeyCase{"EndLastColumn", 10, 0, Qt::Key_End, none, 10, 2},
        KeyCase{"Right", 10, 0, Qt::Key_Right, none, 10, 1},
        KeyCase{"RightAtLast", 10, 2, Qt::Key_Right, none, 10, 2},
        KeyCase{"LeftAtFirst", 10, 0, Qt::Key_Left, none, 10, 0},
        KeyCase{"CtrlRight", 10, 0, Qt::Key_Right, ctrl, 10, 2},
        KeyCase{"CtrlLeft", 10, 2, Qt::Key_Left, ctrl, 10, 0},
        KeyCase{"TabNextRecordSameColumn", 5, 1, Qt::Key_Tab, none, 6, 1},
        KeyCase{"TabAtLast", 39, 1, Qt::Key_Tab, none, 39, 1},
        KeyCase{"ShiftTabPreviousRecord", 5, 1, Qt::Key_Backtab, shift, 4, 1},
        KeyCase{"ShiftTabAtFirst", 0, 1, Qt::Key_Backtab, shift, 0, 1},
        KeyCase{"Insert", 5, 1, Qt::Key_Insert, none, 5, 1},
        KeyCase{"Delete", 5, 1, Qt::Key_Delete, none, 5, 1},
        KeyCase{"CtrlDelete", 5, 1, Qt::Key_Delete, ctrl, 5, 1},
        KeyCase{"ShiftInsert", 5, 1, Qt::Key_Insert, shift, 5, 1},
        KeyCase{"ShiftDelete", 5, 1, Qt::Key_Delete, shift, 5, 1},
        KeyCase{"CtrlInsert", 5, 1, Qt::Key_Insert, ctrl, 5, 1},
        KeyCase{"CtrlC", 5, 1, Qt::Key_C, ctrl, 5, 1},
        KeyCase{"CtrlX", 5, 1, Qt::Key_X, ctrl, 5, 1},
        KeyCase{"CtrlV", 5, 1, Qt::Key_V, ctrl, 5, 1},
        KeyCase{"CtrlA", 5, 1, Qt::Key_A, ctrl, 5, 1}),
    [](const testing::TestParamInfo<KeyCase> &info) {
      return std::string(info.param.name);
    });

TEST_F(GridNavigationTest, TabKeepsTheFocusInTheGrid) {
  QLineEdit other(&grid); // a second control of the same window
  other.show();
  QTest::keyClick(&grid, Qt::Key_Tab);
  EXPECT_TRUE(grid.hasFocus());
  EXPECT_EQ(current(), 1);
}

TEST_F(GridNavigationTest, RightSkipsHiddenColumns) {
  grid.Columns()[1].setVisible(false);
  QTest::keyClick(&grid, Qt::Key_Right);
  EXPECT_EQ(grid.SelectedIndex(), 2);
  QTest::keyClick(&grid, Qt::Key_Left);
  EXPECT_EQ(grid.SelectedIndex(), 0);
}

TEST_F(GridNavigationTest, ColumnChangeRaisesExitThenEnter) {
  std::vector<std::string> events;
  grid.OnColExit = [&](TDBGridEh &g) {
    events.push_back("exit " + std::to_string(g.SelectedIndex()));
  };
  grid.OnColEnter = [&](TDBGridEh &g) {
    events.push_back("enter " + std::to_string(g.SelectedIndex()));
  };
  QTest::keyClick(&grid, Qt::Key_Right);
  QTest::keyClick(&grid, Qt::Key_Down); // no column change
  EXPECT_EQ(events, (std::vector<std::string>{"exit 0", "enter 1"}));
}

TEST_F(GridNavigationTest, WheelStepsCarryTheirRemainder) {
  wheel(-120);
  EXPECT_EQ(current(), 1);
  wheel(-60);
  EXPECT_EQ(current(), 1);
  wheel(-60);
  EXPECT_EQ(current(), 2);
  wheel(240);
  EXPECT_EQ(current(), 0);
  wheel(120); // at the first record
  EXPECT_EQ(current(), 0);
}

TEST_F(GridNavigationTest, VerticalBarShowsRecordPositions) {
  QScrollBar *bar = grid.verticalScrollBar();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->minimum(), 1);
  EXPECT_EQ(bar->pageStep(), 20);
  // Range 1 to count + page - 1; Qt keeps the page outside its maximum.
  EXPECT_EQ(bar->maximum() + bar->pageStep() - 1, 59);
  for (int step = 1; step <= 3; ++step) {
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(bar->value(), step + 1);
  }
  query.close();
  QApplication::processEvents(); // the frame shows or hides bars later
  EXPECT_FALSE(bar->isVisible());
}

TEST_F(GridNavigationTest, VerticalBarHiddenForOneRecordShownForTwo) {
  fill(1);
  QApplication::processEvents(); // the frame shows or hides bars later
  EXPECT_FALSE(grid.verticalScrollBar()->isVisible());
  fill(2);
  QApplication::processEvents();
  EXPECT_TRUE(grid.verticalScrollBar()->isVisible());
}

TEST_F(GridNavigationTest, VerticalBarActionsMoveTheDataset) {
  QScrollBar *bar = grid.verticalScrollBar();
  struct Action {
    QAbstractSlider::SliderAction action;
    int record;
  };
  // From record 0 with records 0 to 19 in view.
  const Action actions[] = {
      {QAbstractSlider::SliderSingleStepAdd, 20}, // just below the bottom row
      {QAbstractSlider::SliderSingleStepSub, 0},  // just above the top row
      {QAbstractSlider::SliderPageStepAdd, 20},
      {QAbstractSlider::SliderPageStepSub, 0},
      {QAbstractSlider::SliderToMaximum, 39},
      {QAbstractSlider::SliderToMinimum, 0},
  };
  for (const Action &a : actions) {
    bar->triggerAction(a.action);
    EXPECT_EQ(current(), a.record) << a.action;
    EXPECT_EQ(bar->value(), a.record + 1);
  }
}

TEST_F(GridNavigationTest, ThumbMovesTheRecordOnlyWhenReleased) {
  QScrollBar *bar = grid.verticalScrollBar();
  const std::pair<int, int> releases[] = {{15, 14}, {1, 0}, {40, 39}, {2, 1}};
  for (const auto &[position, record] : releases) {
    bar->setSliderDown(true);
    bar->setSliderPosition(position);
    EXPECT_NE(current(), record);
    bar->setSliderDown(false);
    EXPECT_EQ(current(), record) << position;
  }
}

TEST_F(GridNavigationTest, ClosedDatasetIgnoresNavigation) {
  query.close();
  for (const int key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End,
                        Qt::Key_Tab, Qt::Key_Return})
    QTest::keyClick(&grid, Qt::Key(key));
  wheel(-120);
  EXPECT_FALSE(grid.EditorOpen());
}

} // namespace
