#include "gridfixture.h"

#include "platform/dataset/field.h"

namespace {

class ColumnTest : public GridFixture {
protected:
  void SetUp() override {
    open(makeTable({{"Code", FieldType::String},
                    {"Qty", FieldType::BCD},
                    {"Made", FieldType::DateTime},
                    {"Count", FieldType::Integer}},
                   {{"A1", qint64(25000), 45000.0, 3}}));
  }
};

TEST_F(ColumnTest, UnassignedPropertiesReadTheirDefaults) {
  TColumnEh &code = addColumn("Code");
  TColumnEh &qty = addColumn("Qty");
  TColumnEh &none = addColumn("Missing");
  grid.setColor(clSilver);

  // Text column of 20 characters: ("0" 6 px − overhang 0) × 20 + 0 + 4.
  EXPECT_EQ(code.Width(), 124);
  EXPECT_EQ(none.Width(), 64);
  EXPECT_EQ(code.Alignment(), taLeftJustify);
  EXPECT_EQ(qty.Alignment(), taRightJustify);
  EXPECT_EQ(none.Alignment(), taLeftJustify);
  EXPECT_EQ(code.Color(), clSilver);
  EXPECT_TRUE(code.WordWrap());
  EXPECT_FALSE(qty.WordWrap());
  EXPECT_FALSE(none.WordWrap());
  EXPECT_FALSE(code.EndEllipsis());
  grid.ColumnDefValues().setEndEllipsis(true);
  EXPECT_TRUE(code.EndEllipsis());
  EXPECT_EQ(code.AssignedValues(), TColumnEhValues());
}

TEST_F(ColumnTest, WidthDefaultCountsTheOverhang) {
  metrics->extra.overhang = 2;
  TColumnEh &code = addColumn("Code");
  // "0" measures 6 + 2: (8 − 2) × 20 + 2 + 4.
  EXPECT_EQ(code.Width(), 126);
}

TEST_F(ColumnTest, AssignedPropertiesKeepTheirValues) {
  TColumnEh &qty = addColumn("Qty");
  qty.setWidth(91);
  qty.setAlignment(taCenter);
  qty.setColor(clNavy);
  qty.setWordWrap(true);
  grid.setColor(clSilver);
  EXPECT_EQ(qty.Width(), 91);
  EXPECT_EQ(qty.Alignment(), taCenter);
  EXPECT_EQ(qty.Color(), clNavy);
  EXPECT_TRUE(qty.WordWrap());
  EXPECT_EQ(qty.AssignedValues(), cvWidth | cvAlignment | cvColor | cvWordWrap);

  qty.RestoreDefaults();
  EXPECT_EQ(qty.Alignment(), taRightJustify);
  EXPECT_EQ(qty.Color(), clSilver);
}

TEST_F(ColumnTest, GridFontChangeReachesUnassignedColumnFontsOnly) {
  TColumnEh &plain = addColumn("Code");
  TColumnEh &own = addColumn("Qty");
  own.Font().setColor(clRed); // a change through the object assigns it

  grid.Font().setHeight(-16);
  grid.Font().setName(QStringLiteral("Arial"));
  EXPECT_EQ(plain.Font().Height(), -16);
  EXPECT_EQ(plain.Font().Name(), QStringLiteral("Arial"));
  EXPECT_EQ(own.Font().Height(), -12);
  EXPECT_EQ(own.Font().Color(), clRed);
  EXPECT_TRUE(own.AssignedValues().testFlag(cvFont));
  EXPECT_FALSE(plain.AssignedValues().testFlag(cvFont));
  // The default width is measured in the column's own font.
  EXPECT_EQ(plain.Width(), 8 * 20 + 4);
}

TEST_F(ColumnTest, FieldIsFoundIgnoringCaseAndNameTakesItsCase) {
  TColumnEh &column = addColumn("cODE");
  ASSERT_NE(column.Field(), nullptr);
  EXPECT_EQ(column.Field()->FieldName(), QStringLiteral("Code"));
  EXPECT_EQ(column.FieldName(), QStringLiteral("Code"));
}

TEST_F(ColumnTest, FieldOfAClosedOrReopenedDatasetIsNeverStale) {
  TColumnEh &column = addColumn("Code");
  TField *before = column.Field();
  ASSERT_NE(before, nullptr);

  query.close();
  EXPECT_EQ(column.Field(), nullptr);
  EXPECT_EQ(column.Title().Caption(), QStringLiteral("Code"));

  query.open();
  ASSERT_NE(column.Field(), nullptr);
  EXPECT_EQ(column.Field(), query.FindField("Code"));
}

TEST_F(ColumnTest, ColumnWithoutMatchingFieldLooksAgainLater) {
  TColumnEh &column = addColumn("Later");
  EXPECT_EQ(column.Field(), nullptr);
  open(makeTable({{"LATER", FieldType::Integer}}, {{1}}));
  ASSERT_NE(column.Field(), nullptr);
  EXPECT_EQ(column.FieldName(), QStringLiteral("LATER"));
}

TEST_F(ColumnTest, CaptionDefaultsToLabelThenFieldName) {
  TColumnEh &code = addColumn("Code");
  TColumnEh &none = addColumn("Missing");
  EXPECT_EQ(code.Title().Caption(), QStringLiteral("Code"));
  EXPECT_EQ(none.Title().Caption(), QStringLiteral("Missing"));
  query.FindField("Code")->setDisplayLabel(QStringLiteral("存货编码"));
  EXPECT_EQ(code.Title().Caption(), QStringLiteral("存货编码"));
  code.Title().setCaption(QStringLiteral("编码"));
  EXPECT_EQ(code.Title().Caption(), QStringLiteral("编码"));
  EXPECT_TRUE(code.Title().AssignedValues().testFlag(tvCaption));
}

TEST_F(ColumnTest, TitleDefaultsComeFromColumnDefValues) {
  TColumnEh &column = addColumn("Code");
  grid.setFixedColor(clActiveBorder);
  EXPECT_EQ(column.Title().Color(), clActiveBorder);
  EXPECT_EQ(column.Title().Alignment(), taLeftJustify);
  grid.setUseMultiTitle(true);
  EXPECT_EQ(column.Title().Alignment(), taCenter);
  EXPECT_FALSE(column.Title().TitleButton());
  grid.ColumnDefValues().Title().setTitleButton(true);
  EXPECT_TRUE(column.Title().TitleButton());

  grid.ColumnDefValues().Title().setColor(clInfoBk);
  grid.ColumnDefValues().Title().setAlignment(taRightJustify);
  EXPECT_EQ(column.Title().Color(), clInfoBk);
  EXPECT_EQ(column.Title().Alignment(), taRightJustify);

  column.Title().setColor(clWhite);
  column.Title().setTitleButton(false);
  EXPECT_EQ(column.Title().Color(), clWhite);
  EXPECT_FALSE(column.Title().TitleButton());
  EXPECT_EQ(column.Title().Orientation(), tohHorizontal);
  EXPECT_EQ(column.Title().SortMarker(), smNoneEh);
}

TEST_F(ColumnTest, TitleFontFollowsTitleFontUntilChangedThroughIt) {
  TColumnEh &sorted = addColumn("Code");
  TColumnEh &other = addColumn("Qty");
  grid.TitleFont().setColor(clBlue);
  EXPECT_EQ(sorted.Title().Font().Color(), clBlue);

  TFont &font = sorted.Title().Font();
  font.setColor(clWindowText);
  font.setStyle(fsBold);
  EXPECT_TRUE(sorted.Title().AssignedValues().testFlag(tvFont));

  grid.TitleFont().setColor(clGreen);
  grid.TitleFont().setHeight(-20);
  EXPECT_EQ(sorted.Title().Font().Color(), clWindowText);
  EXPECT_EQ(sorted.Title().Font().Style(), TFontStyles(fsBold));
  EXPECT_EQ(sorted.Title().Font().Height(), -12);
  EXPECT_EQ(other.Title().Font().Color(), clGreen);
  EXPECT_EQ(other.Title().Font().Height(), -20);
  // The object handed out stays the title's own.
  EXPECT_EQ(&sorted.Title().Font(), &font);
}

TEST_F(ColumnTest, TitleFontChangeReLaysOutTheGrid) {
  addColumn("Code");
  grid.setUseMultiTitle(true);
  EXPECT_EQ(grid.TitleRowHeight(), 19);
  grid.Columns()[0].Title().Font().setHeight(-20);
  EXPECT_EQ(grid.TitleRowHeight(), 27);
}

TEST_F(ColumnTest, CaptionWriteReLaysOutTheGrid) {
  TColumnEh &column = addColumn("Code");
  column.setWidth(40);
  grid.setUseMultiTitle(true);
  ASSERT_NE(grid.LeafNode(0), nullptr);
  EXPECT_EQ(grid.LeafNode(0)->Text, QStringLiteral("Code"));

  // 单件用量 is 48 px in a 36-px text area: two lines.
  column.Title().setCaption(QStringLiteral("单件用量"));
  EXPECT_EQ(grid.LeafNode(0)->Text, QStringLiteral("单件用量"));
  EXPECT_EQ(grid.TitleRowHeight(), 12 * 2 + 10 - 3);

  column.Title().setCaption(QStringLiteral("A|B"));
  EXPECT_EQ(grid.LeafNode(0)->Text, QStringLiteral("B"));
  EXPECT_EQ(grid.LeafNode(0)->Parent()->Text, QStringLiteral("A"));
}

TEST_F(ColumnTest, ColumnWidthChangeReLaysOutTheTitleRow) {
  TColumnEh &column = addColumn("Code");
  column.Title().setCaption(QStringLiteral("单件用量"));
  grid.setUseMultiTitle(true);
  column.setWidth(100);
  EXPECT_EQ(grid.TitleRowHeight(), 19);
  column.setWidth(40);
  EXPECT_EQ(grid.TitleRowHeight(), 31);
  EXPECT_EQ(grid.ScreenColumnWidths(), (std::vector<int>{11, 40}));
}

TEST_F(ColumnTest, FooterDefaultsAndUsedFooter) {
  TColumnEh &qty = addColumn("Qty");
  grid.setFooterColor(clInfoBk);
  grid.FooterFont().setHeight(-14);
  EXPECT_EQ(qty.Footer().Alignment(), taRightJustify);
  EXPECT_EQ(qty.Footer().Color(), clInfoBk);
  EXPECT_EQ(qty.Footer().Font().Height(), -14);
  EXPECT_EQ(&qty.UsedFooter(0), &qty.Footer());

  TColumnFooterEh &first = qty.Footers().Add();
  EXPECT_EQ(&qty.UsedFooter(0), &first);
  EXPECT_EQ(&qty.UsedFooter(1), &qty.Footer());
  TColumnEh &missing = addColumn("Missing");
  EXPECT_EQ(&missing.Footer().Column(), &missing);
  EXPECT_EQ(missing.Footer().Alignment(), taLeftJustify);
}

TEST_F(ColumnTest, MovingAColumnReordersTheCollectionAndVisibleList) {
  addColumn("Code");
  addColumn("Qty");
  addColumn("Made");
  grid.Columns()[1].setVisible(false);
  EXPECT_EQ(grid.VisibleColumns().size(), 2u);

  grid.Columns().Move(2, 0);
  EXPECT_EQ(grid.Columns()[0].FieldName(), QStringLiteral("Made"));
  EXPECT_EQ(grid.Columns()[1].FieldName(), QStringLiteral("Code"));
  EXPECT_EQ(grid.Columns()[2].FieldName(), QStringLiteral("Qty"));
  EXPECT_EQ(grid.Columns()[2].Index(), 2);
  ASSERT_EQ(grid.VisibleColumns().size(), 2u);
  EXPECT_EQ(grid.VisibleColumns()[0]->FieldName(), QStringLiteral("Made"));
  EXPECT_EQ(grid.VisibleColumns()[1]->FieldName(), QStringLiteral("Code"));
}

} // namespace
