#include "mouseinput.h"
#include "showngrid.h"

#include <QElapsedTimer>
#include <QLineEdit>

namespace {

class GridMouseTest : public ShownGrid {
protected:
  void SetUp() override {
    ShownGrid::SetUp();
    fill(40);
    show(20);
    grid.OnTitleClick = [this](TColumnEh &column) {
      events.push_back("title " + column.FieldName().toStdString());
    };
    grid.OnTitleBtnClick = [this](TDBGridEh &, int col, TColumnEh &column) {
      events.push_back("button " + std::to_string(col) + " " +
                       column.FieldName().toStdString());
    };
    grid.OnDblClick = [this](TDBGridEh &) { events.push_back("double"); };
  }

  // A point on a title cell, clear of the sizing zones.
  QPoint title(int col) const { return centre(col, 0); }
  // A point on the right-hand grid line of a column's title.
  QPoint border(int col) const {
    const QRect cell = grid.CellRect(col, 0);
    return QPoint(cell.right() + 1, cell.center().y());
  }

  // Waits up to `ms` milliseconds for `done`, letting timers run.
  template <typename F> bool waitFor(F done, int ms = 2000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
      QTest::qWait(5);
    return done();
  }

  MouseInput mouse{view()};
  std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(GridMouseTest, TitlePressAndReleaseOnTheSameTitle) {
  mouse.click(title(2));
  EXPECT_EQ(events, (Events{"button 1 Name", "title Name"}));
}

TEST_F(GridMouseTest, ReleaseOverAnotherTitleClicksThatOneOnly) {
  mouse.press(title(1));
  mouse.move(title(1) + QPoint(2, 0));
  mouse.release(title(2)); // no move of more than 3 pixels was seen
  EXPECT_EQ(events, (Events{"title Name"}));
  EXPECT_EQ(grid.Columns()[0].FieldName(), "Code");
}

TEST_F(GridMouseTest, ReleaseOffTheTitlesClicksNothing) {
  for (const QPoint release : {centre(0, 0), centre(1, 3)}) {
    events.clear();
    mouse.press(title(1));
    mouse.release(release);
    EXPECT_EQ(events, Events{}) << release.x() << "," << release.y();
  }
}

TEST_F(GridMouseTest, TitleIsDrawnPushedOnlyWhileThePointerIsOverIt) {
  const QImage idle = picture();
  mouse.press(title(1));
  const QImage pushed = picture();
  mouse.move(centre(1, 3));
  const QImage away = picture();
  mouse.release(centre(1, 3));
  const QRect cell = grid.CellRect(1, 0);
  EXPECT_NE(pushed.copy(cell), idle.copy(cell));
  EXPECT_EQ(away.copy(cell), idle.copy(cell));
}

TEST_F(GridMouseTest, CheckButtonCanVetoTheTitleButton) {
  grid.OnCheckButton = [](TDBGridEh &, int, TColumnEh &, bool &enabled) {
    enabled = false;
  };
  mouse.click(title(3));
  EXPECT_EQ(events, (Events{"title Qty"}));
}

TEST_F(GridMouseTest, BorderDragResizesWithoutTitleClick) {
  const int width = grid.Columns()[0].Width();
  mouse.press(border(1));
  mouse.move(border(1) + QPoint(15, 0));
  mouse.release(border(1) + QPoint(15, 0));
  EXPECT_EQ(grid.Columns()[0].Width(), width + 15);
  EXPECT_EQ(events, Events{});
}

TEST_F(GridMouseTest, RightClickOnATitleClicksIt) {
  mouse.click(title(3), Qt::RightButton);
  EXPECT_EQ(events, (Events{"title Qty"}));
}

TEST_F(GridMouseTest, DoubleClickOnATitleClicksItTwice) {
  mouse.doubleClickSequence(title(2));
  EXPECT_EQ(events,
            (Events{"button 1 Name", "title Name", "double", "title Name"}));
}

struct SlideCase {
  int pixels;
  Events events;
  TDBGridEh::GridState during;
};

class TitleSlideTest : public GridMouseTest,
                       public testing::WithParamInterface<SlideCase> {};

TEST_P(TitleSlideTest, MoreThanThreePixelsStartsAColumnMove) {
  const QPoint start = title(2);
  mouse.press(start);
  mouse.move(start + QPoint(GetParam().pixels, 0));
  EXPECT_EQ(grid.State(), GetParam().during);
  mouse.release(start + QPoint(GetParam().pixels, 0));
  EXPECT_EQ(events, GetParam().events);
  EXPECT_EQ(grid.State(), TDBGridEh::GridState::Normal);
}

INSTANTIATE_TEST_SUITE_P(
    Slides, TitleSlideTest,
    testing::Values(
        SlideCase{3,
                  {"button 1 Name", "title Name"},
                  TDBGridEh::GridState::TitlePressed},
        SlideCase{-3,
                  {"button 1 Name", "title Name"},
                  TDBGridEh::GridState::TitlePressed},
        SlideCase{4, {"title Name"}, TDBGridEh::GridState::ColMoving},
        SlideCase{-4, {"title Name"}, TDBGridEh::GridState::ColMoving}));

TEST_F(GridMouseTest, DoubleClickIsRaisedEverywhereInTheClientArea) {
  const QPoint empty(view()->width() - 5, 30);
  for (const QPoint at : {centre(1, 3), centre(0, 3), centre(0, 0), empty}) {
    events.clear();
    mouse.doubleClick(at);
    mouse.release(at);
    EXPECT_EQ(events.front(), "double") << at.x() << "," << at.y();
  }
  query.close();
  events.clear();
  mouse.doubleClick(centre(2, 0));
  EXPECT_EQ(events.front(), "double");
}

TEST_F(GridMouseTest, PressOnADataRowMovesRecordAndColumn) {
  mouse.click(centre(3, 5));
  EXPECT_EQ(current(), 4);
  EXPECT_EQ(grid.SelectedIndex(), 2);
  mouse.click(centre(0, 2)); // indicator: the column stays
  EXPECT_EQ(current(), 1);
  EXPECT_EQ(grid.SelectedIndex(), 2);
  mouse.click(centre(1, 3), Qt::RightButton);
  EXPECT_EQ(current(), 2);
  EXPECT_EQ(grid.SelectedIndex(), 0);
}

TEST_F(GridMouseTest, DoubleClickLeavesTheRecordOfTheFirstPress) {
  mouse.press(centre(1, 3));
  mouse.release(centre(1, 3));
  mouse.doubleClick(centre(1, 6));
  EXPECT_EQ(current(), 2);
}

TEST_F(GridMouseTest, PressBelowTheLastRecordMovesNothing) {
  fill(3);
  mouse.click(QPoint(centre(1, 1).x(), view()->height() - 3));
  EXPECT_EQ(current(), 0);
}

TEST_F(GridMouseTest, CellClickOnReleaseOverAFullyVisibleRow) {
  std::vector<QString> clicked;
  grid.OnCellClick = [&](TColumnEh &column) {
    clicked.push_back(column.FieldName());
  };
  mouse.click(centre(2, 4));
  EXPECT_EQ(clicked, std::vector<QString>{"Name"});
}

TEST_F(GridMouseTest, DraggingFollowsThePointerOverTheRows) {
  mouse.press(centre(1, 2));
  mouse.move(centre(2, 7));
  EXPECT_EQ(current(), 6);
  EXPECT_EQ(grid.SelectedIndex(), 1);
  mouse.release(centre(2, 7));
}

TEST_F(GridMouseTest, DragTimerStepsBySixthsOfTheDistance) {
  mouse.press(centre(1, 5));
  const int bottom = view()->height() - 1; // data area ends at the client
  mouse.move(QPoint(centre(1, 5).x(), bottom + 5)); // 5 px: no step
  QTest::qWait(60);
  EXPECT_EQ(current(), 4);
  // Each tick moves 3 records, the last one stopping at the final record;
  // ticks come fast, so the positions are taken as they happen.
  std::vector<int> positions;
  const QMetaObject::Connection taken =
      QObject::connect(&query, &Query::recordChanged, &grid,
                       [&] { positions.push_back(current()); });
  mouse.move(QPoint(centre(1, 5).x(), bottom + 18)); // 3 records a tick
  ASSERT_TRUE(waitFor([&] { return current() >= 10; }));
  mouse.release(QPoint(centre(1, 5).x(), bottom + 18));
  QObject::disconnect(taken);
  int previous = 4;
  for (const int position : positions) {
    EXPECT_TRUE(position - previous == 3 ||
                (position == query.recordCount() - 1 && position > previous))
        << previous << " -> " << position;
    previous = position;
  }
  const int stopped = current();
  QTest::qWait(60);
  EXPECT_EQ(current(), stopped);
}

TEST_F(GridMouseTest, PressFirstTakesTheFocus) {
  QLineEdit other(&grid);
  other.show();
  other.setFocus();
  ASSERT_FALSE(grid.hasFocus());
  mouse.click(centre(1, 3));
  EXPECT_TRUE(grid.hasFocus());
}

} // namespace
