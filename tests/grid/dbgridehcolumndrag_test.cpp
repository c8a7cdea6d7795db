#include "mouseinput.h"
#include "showngrid.h"

#include "export/dbgridehexportastext.h"
#include "export/memorystream.h"

namespace {

class ColumnDragTest : public ShownGrid {
protected:
  void SetUp() override {
    ShownGrid::SetUp();
    fill(5);
    show(8, 400);
  }

  QPoint border(int col) const {
    const QRect cell = grid.CellRect(col, 0);
    return QPoint(cell.right() + 1, cell.center().y());
  }
  void dragBorder(int col, int dx) {
    mouse.press(border(col));
    mouse.move(border(col) + QPoint(dx, 0));
    mouse.release(border(col) + QPoint(dx, 0));
  }

  QByteArray exportedText() {
    TDBGridEhExportAsText writer;
    writer.setGrid(&grid);
    MemoryStream stream;
    writer.WriteGridToStream(stream, true);
    return stream.bytes().left(stream.bytes().indexOf('\r'));
  }

  MouseInput mouse{view()};
};

struct WidthCase {
  int newWidth;
  int expected;
};

class ColumnResizeTest : public ColumnDragTest,
                         public testing::WithParamInterface<WidthCase> {};

TEST_P(ColumnResizeTest, NewWidthFromTheLinePosition) {
  dragBorder(2, GetParam().newWidth - 80);
  EXPECT_EQ(grid.Columns()[1].Width(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Widths, ColumnResizeTest,
                         testing::Values(WidthCase{1, 80}, WidthCase{0, 80},
                                         WidthCase{-5, 80}, WidthCase{2, 2},
                                         WidthCase{120, 120}));

TEST_F(ColumnDragTest, SizingZoneReachesThreeLeftAndFourRightOfTheLine) {
  const QPoint line = border(1);
  for (int dx = -5; dx <= 6; ++dx) {
    const bool inZone = dx >= -3 && dx <= 3;
    mouse.press(line + QPoint(dx, 0));
    EXPECT_EQ(grid.State() == TDBGridEh::GridState::ColSizing, inZone) << dx;
    mouse.release(line + QPoint(dx, 0));
  }
}

TEST_F(ColumnDragTest, CursorSplitsOverSizingZonesOnly) {
  grid.setCursor(Qt::PointingHandCursor);
  mouse.move(border(2));
  EXPECT_EQ(view()->cursor().shape(), Qt::SplitHCursor);
  mouse.move(centre(2, 0));
  EXPECT_EQ(view()->cursor().shape(), Qt::PointingHandCursor);
  mouse.move(QPoint(border(2).x(), centre(2, 2).y())); // a data row
  EXPECT_EQ(view()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ColumnDragTest, SizingDrawsOnlyAnInvertingLine) {
  const QImage before = picture();
  mouse.press(border(1));
  mouse.move(border(1) + QPoint(20, 0));
  const QImage during = picture();
  const int x = border(1).x() + 20;
  const int y = grid.CellRect(2, 2).top() / 2 * 2 + 2; // a dotted row
  EXPECT_EQ(during.pixel(x, y) & 0xFFFFFF,
            ~before.pixel(x, y) & 0xFFFFFF);
  EXPECT_EQ(during.pixel(x, y + 1), before.pixel(x, y + 1));
  EXPECT_EQ(during.copy(0, 0, x, during.height()),
            before.copy(0, 0, x, before.height()));
  mouse.release(border(1) + QPoint(20, 0));
}

TEST_F(ColumnDragTest, EscapeCancelsSizingAndMoving) {
  int titleClicks = 0;
  grid.OnTitleClick = [&](TColumnEh &) { ++titleClicks; };
  mouse.press(border(1));
  mouse.move(border(1) + QPoint(30, 0));
  QTest::keyClick(&grid, Qt::Key_Escape);
  mouse.release(border(1) + QPoint(30, 0));
  EXPECT_EQ(grid.Columns()[0].Width(), 60);

  mouse.press(centre(1, 0), Qt::RightButton);
  mouse.move(centre(3, 0));
  QTest::keyClick(&grid, Qt::Key_Escape);
  mouse.release(centre(3, 0), Qt::RightButton);
  EXPECT_EQ(grid.Columns()[0].FieldName(), "Code");
  EXPECT_EQ(titleClicks, 0);
  EXPECT_EQ(grid.State(), TDBGridEh::GridState::Normal);
}

TEST_F(ColumnDragTest, NarrowedCaptionWrapsAndTheTitleRowGrows) {
  grid.Columns()[1].Title().setCaption(QStringLiteral("存货名称"));
  EXPECT_EQ(grid.TitleRowHeight(), 19);
  dragBorder(2, 30 - 80); // 48 pixels of text in 26: two lines
  EXPECT_EQ(grid.Columns()[1].Width(), 30);
  EXPECT_EQ(grid.TitleRowHeight(), 12 * 2 + 10 - 3);
}

TEST_F(ColumnDragTest, MovedColumnChangesTheExportOrder) {
  std::vector<std::pair<int, int>> moves;
  std::vector<QString> titleClicks;
  grid.OnColumnMoved = [&](TDBGridEh &, int from, int to) {
    moves.emplace_back(from, to);
  };
  grid.OnTitleClick = [&](TColumnEh &column) {
    titleClicks.push_back(column.FieldName());
  };
  EXPECT_EQ(exportedText(), "Code\tName\tQty");
  mouse.press(centre(1, 0), Qt::RightButton);
  mouse.move(centre(3, 0));
  mouse.release(centre(3, 0), Qt::RightButton);
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 2}}));
  EXPECT_EQ(exportedText(), "Name\tQty\tCode");
  // The release clicks the title now under the pointer.
  EXPECT_EQ(titleClicks, std::vector<QString>{"Code"});

  mouse.press(centre(3, 0)); // a left-button slide moves too
  mouse.move(centre(3, 0) - QPoint(10, 0));
  mouse.move(centre(1, 0));
  mouse.release(centre(1, 0));
  EXPECT_EQ(exportedText(), "Code\tName\tQty");
}

TEST_F(ColumnDragTest, MovingPastTheLastColumnScrollsOnATimer) {
  grid.Columns()[0].setWidth(200);
  grid.Columns()[1].setWidth(200);
  grid.Columns()[2].setWidth(200);
  ASSERT_EQ(grid.LeftCol(), 1);
  mouse.press(centre(1, 0), Qt::RightButton);
  mouse.move(QPoint(view()->width() - 1, 5));
  QTest::qWait(200);
  EXPECT_GT(grid.LeftCol(), 1);
  mouse.release(QPoint(view()->width() - 1, 5), Qt::RightButton);
}

} // namespace
