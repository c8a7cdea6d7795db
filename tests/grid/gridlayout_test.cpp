#include "gridfixture.h"

#include "grid/bomgridsettings.h"
#include "grid/qttextmetrics.h"

#include <QFontMetrics>

namespace {

class GridLayoutTest : public GridFixture {
protected:
  void SetUp() override {
    applyBomGridSettings(grid);
    open(makeTable({{"Code", FieldType::String}, {"Qty", FieldType::BCD}},
                   {{"A", qint64(10000)}}));
    addColumn("Code").setWidth(98);
    addColumn("Qty").setWidth(91);
  }
};

TEST_F(GridLayoutTest, BothGridsSettingsGiveNineteenAndSixteenPixels) {
  EXPECT_EQ(grid.TitleRowHeight(), 19);
  EXPECT_EQ(grid.DataRowHeight(), 16);
  EXPECT_FALSE(grid.RowWrapCondition());
  ASSERT_NE(grid.TitleTree(), nullptr);
  EXPECT_EQ(grid.TitleTree()->ChildCount(), 2);
  EXPECT_EQ(grid.LeafNode(1)->Column, &grid.Columns()[1]);
}

TEST_F(GridLayoutTest, TitleLinesDecideOnlyWithoutMultiLevelTitles) {
  grid.setTitleLines(3);
  EXPECT_EQ(grid.TitleRowHeight(), 19);
  grid.setUseMultiTitle(false);
  // 3 lines × 12 + external leading 0 + 2 + TitleHeight 0 + row line 1.
  EXPECT_EQ(grid.TitleRowHeight(), 39);
  EXPECT_EQ(grid.TitleTree(), nullptr);
  EXPECT_EQ(grid.LeafNode(0), nullptr);
  grid.setTitleHeight(5);
  EXPECT_EQ(grid.TitleRowHeight(), 44);
  grid.setTitleLines(0);
  grid.setTitleHeight(0);
  EXPECT_EQ(grid.TitleRowHeight(), 16); // "Wg" + 4
}

TEST_F(GridLayoutTest, TitleLinesUseTheTallestTitleFont) {
  grid.setUseMultiTitle(false);
  grid.setTitleLines(1);
  metrics->extra.externalLeading = 2;
  grid.Columns()[1].Title().Font().setHeight(-20);
  EXPECT_EQ(grid.TitleRowHeight(), 20 + 2 + 2 + 1);
}

TEST_F(GridLayoutTest, TallestCaptionSetsTheMultiLevelTitleHeight) {
  grid.Columns()[1].setWidth(30); // 单件用量 on two lines of 26 px
  grid.Columns()[1].Title().setCaption(QStringLiteral("单件用量"));
  EXPECT_EQ(grid.TitleRowHeight(), 24 + 10 - 3);
  grid.setVTitleMargin(4);
  EXPECT_EQ(grid.TitleRowHeight(), 24 + 4 - 3);
  grid.setOptionsEh(grid.OptionsEh() | dghFixed3D);
  EXPECT_EQ(grid.TitleRowHeight(), 24 + 4 - 1);
}

TEST_F(GridLayoutTest, SortMarkerKeepsSixteenPixelsOfTheTitleFree) {
  grid.Columns()[1].setWidth(60); // 48 px of text in 56: one line
  grid.Columns()[1].Title().setCaption(QStringLiteral("单件用量"));
  EXPECT_EQ(grid.TitleRowHeight(), 12 + 10 - 3);
  grid.Columns()[1].Title().setSortMarker(smUpEh); // 40 px: two lines
  EXPECT_EQ(grid.LeafNode(1)->Indent, 16);
  EXPECT_EQ(grid.TitleRowHeight(), 24 + 10 - 3);
}

TEST_F(GridLayoutTest, DataRowHeightSettings) {
  grid.setRowLines(2);
  EXPECT_EQ(grid.DataRowHeight(), 24);
  EXPECT_TRUE(grid.RowWrapCondition());
  grid.setRowHeight(5);
  EXPECT_EQ(grid.DataRowHeight(), 29);
  grid.setRowLines(0);
  grid.setRowHeight(0);
  grid.setFlat(true);
  EXPECT_EQ(grid.DataRowHeight(), 14);
  grid.setOptions(grid.Options() & ~TGridOptions(dgRowLines));
  EXPECT_EQ(grid.DataRowHeight(), 13);
  grid.setFlat(false);
  grid.Font().setHeight(-16);
  EXPECT_EQ(grid.DataRowHeight(), 19);
}

TEST_F(GridLayoutTest, RowWrapCountsTheLeadings) {
  grid.setRowHeight(17);
  grid.setRowLines(0);
  EXPECT_TRUE(grid.RowWrapCondition()); // 12 + 4 < 17
  metrics->extra.externalLeading = 1;
  grid.LayoutChanged();
  EXPECT_FALSE(grid.RowWrapCondition()); // 12 + 1 + 4 < 17 is false
}

TEST_F(GridLayoutTest, ScreenWidthsAndVisibleColumns) {
  EXPECT_EQ(grid.ScreenColumnWidths(), (std::vector<int>{11, 98, 91}));
  grid.Columns()[0].setVisible(false);
  EXPECT_EQ(grid.ScreenColumnWidths(), (std::vector<int>{11, -1, 91}));
  ASSERT_EQ(grid.VisibleColumns().size(), 1u);
  EXPECT_EQ(grid.VisibleColumns()[0], &grid.Columns()[1]);
  // The hidden column keeps its leaf, with the hidden width.
  EXPECT_EQ(grid.LeafNode(0)->Width, -1);
  grid.setOptions(grid.Options() & ~TGridOptions(dgColLines | dgIndicator));
  EXPECT_EQ(grid.ScreenColumnWidths(), (std::vector<int>{0, 91}));
}

TEST_F(GridLayoutTest, WithoutTitlesThereIsNoTitleRow) {
  grid.setOptions(grid.Options() & ~TGridOptions(dgTitles));
  EXPECT_EQ(grid.TitleRowHeight(), 0);
  EXPECT_EQ(grid.TitleTree(), nullptr);
}

TEST_F(GridLayoutTest, GridWithoutColumnsMeasuresItsTitleFont) {
  grid.Columns().Clear();
  // No caption to measure: TitleLines 2 in the title font decide.
  EXPECT_EQ(grid.TitleRowHeight(), 2 * 12 + 2 + 1);
  grid.setTitleLines(0);
  EXPECT_EQ(grid.TitleRowHeight(), 16);
  ASSERT_NE(grid.TitleTree(), nullptr);
  EXPECT_EQ(grid.TitleTree()->ChildCount(), 0);
}

TEST_F(GridLayoutTest, OpeningTheDatasetReLaysOutDefaultWidths) {
  query.close();
  TColumnEh &plain = addColumn("Code");
  EXPECT_EQ(grid.ScreenColumnWidths().back(), 64);
  query.open();
  EXPECT_EQ(grid.ScreenColumnWidths().back(), 6 * 20 + 4);
  EXPECT_EQ(plain.Width(), 124);
}

TEST_F(GridLayoutTest, PixelsPerInchComesFromTheWidgetUnlessSet) {
  EXPECT_EQ(grid.PixelsPerInchX(), grid.logicalDpiX());
  grid.setPixelsPerInchX(120);
  EXPECT_EQ(grid.PixelsPerInchX(), 120);
  grid.setPixelsPerInchX(0);
  EXPECT_EQ(grid.PixelsPerInchX(), grid.logicalDpiX());
}

TEST_F(GridLayoutTest, RealFontsGiveLineHeightPlusMarginAndFour) {
  grid.setTextMetrics(std::make_shared<QtTextMetrics>());
  const int line = QFontMetrics(grid.TitleFont().toQFont()).height();
  EXPECT_EQ(grid.TitleRowHeight(), line + 10 - 3);
  EXPECT_EQ(grid.DataRowHeight(),
            QFontMetrics(grid.Font().toQFont()).height() + 4);
}

} // namespace
