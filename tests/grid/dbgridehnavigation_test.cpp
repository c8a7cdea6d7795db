#include "showngrid.h"

#include "grid/readonlycelleditor.h"
#include "platform/desktop/systembeep.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
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

  void wheel(int delta) { wheelOver(grid.viewport(), QPoint(50, 50), delta); }

  static void wheelOver(QWidget *target, QPoint at, int delta) {
    QWheelEvent event(at, target->mapToGlobal(QPointF(at)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
  }

  QScrollBar *bar(Qt::Orientation orientation) {
    return orientation == Qt::Vertical ? grid.verticalScrollBar()
                                       : grid.horizontalScrollBar();
  }

  // Three data columns of 200 pixels in a 300-pixel grid: left column 1 to
  // 3 on the horizontal bar's positions 0 to 2.
  void widenColumns() {
    for (int i = 0; i < 3; ++i)
      grid.Columns()[i].setWidth(200);
    QApplication::processEvents();
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

struct BarWheelCase {
  const char *name;
  Qt::Orientation bar;
  std::vector<int> deltas;
  int record;
  int leftCol;
};

class GridBarWheelTest : public GridNavigationTest,
                         public testing::WithParamInterface<BarWheelCase> {};

// The wheel over either bar takes one step per 120 units, as over the
// grid: the vertical bar moves the record, the horizontal one the columns,
// and each bar shows where the grid went.
TEST_P(GridBarWheelTest, MovesTheGridOneStepPerNotch) {
  const BarWheelCase &c = GetParam();
  widenColumns();
  QScrollBar *target = bar(c.bar);
  for (const int delta : c.deltas)
    wheelOver(target, target->rect().center(), delta);
  EXPECT_EQ(current(), c.record);
  EXPECT_EQ(grid.LeftCol(), c.leftCol);
  EXPECT_EQ(grid.verticalScrollBar()->value(), c.record + 1);
  EXPECT_EQ(grid.horizontalScrollBar()->value(), c.leftCol - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, GridBarWheelTest,
    testing::Values(
        BarWheelCase{"VerticalOneNotch", Qt::Vertical, {-120}, 1, 1},
        BarWheelCase{"VerticalHalfNotches", Qt::Vertical, {-60, -60}, 1, 1},
        BarWheelCase{"VerticalBack", Qt::Vertical, {-120, -120, 120}, 1, 1},
        BarWheelCase{"VerticalAtFirst", Qt::Vertical, {120}, 0, 1},
        BarWheelCase{"HorizontalOneNotch", Qt::Horizontal, {-120}, 0, 2},
        BarWheelCase{"HorizontalHalfNotches", Qt::Horizontal, {-60, -60}, 0, 2},
        BarWheelCase{"HorizontalBack", Qt::Horizontal, {-120, -120, 120}, 0, 2},
        BarWheelCase{
            "HorizontalAtEnd", Qt::Horizontal, {-120, -120, -120, -120}, 0, 3}),
    [](const testing::TestParamInfo<BarWheelCase> &info) {
      return std::string(info.param.name);
    });

// Entries of a scroll bar's own context menu, by place (their texts follow
// the translation in force); separators count.
enum BarMenuEntry {
  ScrollHere = 0,
  ToStart = 2,
  ToEnd = 3,
  PageBack = 5,
  PageForward = 6,
  StepBack = 8,
  StepForward = 9
};

struct BarMenuCase {
  const char *name;
  Qt::Orientation bar;
  BarMenuEntry entry;
  double at; // where the menu opens, as a share of the bar's length
  int record;
  int leftCol;
};

class GridBarMenuTest : public GridNavigationTest,
                        public testing::WithParamInterface<BarMenuCase> {
protected:
  // Opens the bar's context menu at `share` of its length and clicks
  // `entry` in it, as a user does.
  void pick(QScrollBar *target, double share, BarMenuEntry entry) {
    const QRect area = target->rect();
    const QPoint at =
        target->orientation() == Qt::Vertical
            ? QPoint(area.center().x(), int(area.height() * share))
            : QPoint(int(area.width() * share), area.center().y());
    bool picked = false;
    QTimer::singleShot(0, target, [&] {
      auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
      if (!menu)
        return;
      QAction *action = menu->actions().value(entry);
      QTest::mouseClick(menu, Qt::LeftButton, {},
                        menu->actionGeometry(action).center());
      picked = true;
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                            target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    ASSERT_TRUE(picked) << "the bar showed no context menu";
  }
};

// Every entry of either bar's context menu moves the grid, "Scroll here"
// too, which sets the bar's position without an action; the bar then shows
// the record (the left column) the grid went to.
TEST_P(GridBarMenuTest, MovesTheGridAndTheBarShowsIt) {
  const BarMenuCase &c = GetParam();
  if (c.bar == Qt::Horizontal)
    widenColumns();   // the bar then takes room from the rows
  query.setRecNo(26); // records 6 to 25 in view
  pick(bar(c.bar), c.at, c.entry);
  EXPECT_EQ(current(), c.record);
  EXPECT_EQ(grid.LeftCol(), c.leftCol);
  EXPECT_EQ(grid.verticalScrollBar()->value(), c.record + 1);
  EXPECT_EQ(grid.horizontalScrollBar()->value(), c.leftCol - 1);
}

const Qt::Orientation vertical = Qt::Vertical;
const Qt::Orientation horizontal = Qt::Horizontal;

INSTANTIATE_TEST_SUITE_P(
    Bars, GridBarMenuTest,
    testing::Values(
        // Near the top of the bar: position 2 of 1 to 40.
        BarMenuCase{"VerticalScrollHere", vertical, ScrollHere, 0.05, 1, 1},
        BarMenuCase{"VerticalTop", vertical, ToStart, 0.5, 0, 1},
        BarMenuCase{"VerticalBottom", vertical, ToEnd, 0.5, 39, 1},
        BarMenuCase{"VerticalPageUp", vertical, PageBack, 0.5, 5, 1},
        BarMenuCase{"VerticalPageDown", vertical, PageForward, 0.5, 39, 1},
        BarMenuCase{"VerticalScrollUp", vertical, StepBack, 0.5, 5, 1},
        BarMenuCase{"VerticalScrollDown", vertical, StepForward, 0.5, 26, 1},
        BarMenuCase{"HorizontalScrollHere", horizontal, ScrollHere, 0.95, 25,
                    3},
        BarMenuCase{"HorizontalRightEdge", horizontal, ToEnd, 0.5, 25, 3},
        BarMenuCase{"HorizontalPageRight", horizontal, PageForward, 0.5, 25, 2},
        BarMenuCase{"HorizontalScrollRight", horizontal, StepForward, 0.5, 25,
                    2}),
    [](const testing::TestParamInfo<BarMenuCase> &info) {
      return std::string(info.param.name);
    });

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

TEST_F(GridNavigationTest, HorizontalBarScrollsDataColumnsIntoView) {
  for (int i = 0; i < 3; ++i)
    grid.Columns()[i].setWidth(200);
  QApplication::processEvents();
  QScrollBar *bar = grid.horizontalScrollBar();
  EXPECT_TRUE(bar->isVisible());
  QTest::keyClick(&grid, Qt::Key_End);
  const QRect last = grid.CellRect(3, 1);
  ASSERT_FALSE(last.isEmpty());
  EXPECT_LE(last.right(), view()->width() - 1);
  EXPECT_EQ(grid.CellRect(0, 1).width(), 11); // the indicator stays
  EXPECT_EQ(bar->value(), grid.LeftCol() - 1);
  bar->setValue(0);
  EXPECT_EQ(grid.LeftCol(), 1);
  EXPECT_EQ(grid.SelectedIndex(), 2); // scrolling leaves the current cell
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
