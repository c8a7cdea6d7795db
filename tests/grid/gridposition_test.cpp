#include "gridfixture.h"

#include "platform/errors.h"

namespace {

// 40 records in a grid showing exactly ten data rows: a 19-pixel title row
// and 16-pixel rows, each with its 1-pixel line, in 190 pixels.
class GridPositionTest : public GridFixture {
protected:
  void SetUp() override {
    grid.setUseMultiTitle(true);
    grid.setFrameShape(QFrame::NoFrame);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.resize(300, 190);
    grid.show();
    std::vector<std::vector<QVariant>> rows;
    for (int i = 1; i <= 40; ++i)
      rows.push_back({i});
    open(makeTable({{"N", FieldType::Integer}}, rows));
    addColumn("N");
  }
};

TEST_F(GridPositionTest, WindowFollowsTheCurrentRecord) {
  ASSERT_EQ(grid.viewport()->height(), 190);
  EXPECT_EQ(grid.FullyVisibleRowCount(), 10);
  EXPECT_EQ(grid.DisplayedRecordCount(), 10);
  query.setRecNo(25);
  EXPECT_EQ(grid.TopRecord(), 15);
  query.setRecNo(21);
  EXPECT_EQ(grid.TopRecord(), 15);
  query.setRecNo(3);
  EXPECT_EQ(grid.TopRecord(), 2);
  query.last();
  EXPECT_EQ(grid.TopRecord(), 30);
  EXPECT_EQ(grid.DisplayedRecordCount(), 10);
}

TEST_F(GridPositionTest, RestoreBringsBackRecordAndWindowAfterAWalk) {
  query.setRecNo(25);
  query.setRecNo(21); // row 5 of the window 16 … 25
  query.disableControls();
  grid.SaveGridPosition();
  for (query.first(); !query.eof(); query.next()) {
  }
  grid.RestoreGridPosition();
  query.enableControls();
  EXPECT_EQ(query.recNo(), 21);
  EXPECT_EQ(grid.TopRecord(), 15);
}

TEST_F(GridPositionTest, RestoreKeepsTheWindowAfterASortMovedTheRecord) {
  query.setRecNo(21);
  grid.SaveGridPosition();
  query.setSort(QStringLiteral("N DESC")); // record 21 is now at 20
  grid.RestoreGridPosition();
  EXPECT_EQ(query.FieldByName("N")->AsInteger(), 21);
  EXPECT_EQ(query.recNo(), 20);
  EXPECT_EQ(grid.TopRecord(), 10);
}

TEST_F(GridPositionTest, ClosedDatasetRaisesItsError) {
  query.close();
  EXPECT_EQ(grid.DisplayedRecordCount(), 0);
  try {
    grid.SaveGridPosition();
    FAIL() << "no error";
  } catch (const DatabaseError &error) {
    EXPECT_EQ(
        error.message(),
        QStringLiteral(
            "ado_test: Cannot perform this operation on a closed dataset"));
  }
  EXPECT_NO_THROW(grid.RestoreGridPosition());
}

TEST_F(GridPositionTest, EmptyDatasetSavesAndRestoresWithoutError) {
  open(makeTable({{"N", FieldType::Integer}}, {}));
  EXPECT_EQ(grid.DisplayedRecordCount(), 0);
  EXPECT_NO_THROW(grid.SaveGridPosition());
  EXPECT_NO_THROW(grid.RestoreGridPosition());
}

TEST_F(GridPositionTest, FewRecordsFillPartOfTheWindow) {
  open(makeTable({{"N", FieldType::Integer}}, {{1}, {2}, {3}}));
  EXPECT_EQ(grid.TopRecord(), 0);
  EXPECT_EQ(grid.DisplayedRecordCount(), 3);
}

TEST_F(GridPositionTest, SmallerGridKeepsTheCurrentRecordInView) {
  query.setRecNo(10);
  EXPECT_EQ(grid.TopRecord(), 0);
  grid.resize(300, 20 + 17 * 4);
  EXPECT_EQ(grid.FullyVisibleRowCount(), 4);
  EXPECT_EQ(grid.TopRecord(), 6);
}

} // namespace
