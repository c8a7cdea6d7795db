#include "gridfixture.h"

#include "app/bominfomaincolumns.h"
#include "bomdetail/bomdetailcolumns.h"
#include "grid/bomgridsettings.h"
#include "grid/cellcheckboxstate.h"
#include "grid/celldisplaytext.h"
#include "grid/cellimageindex.h"
#include "platform/text/datetimeformat.h"

namespace {

struct Expected {
  const char *field;
  const char *title;
  int width;
};

void expectColumns(const TDBGridEh &grid, const std::vector<Expected> &all) {
  ASSERT_EQ(grid.Columns().Count(), int(all.size()));
  for (int i = 0; i < int(all.size()); ++i) {
    const TColumnEh &column = grid.Columns()[i];
    EXPECT_EQ(column.FieldName(), QString::fromUtf8(all[i].field));
    EXPECT_EQ(column.Title().Caption(), QString::fromUtf8(all[i].title));
    EXPECT_EQ(column.Width(), all[i].width);
    EXPECT_TRUE(column.Visible());
  }
}

class BomGridColumnsTest : public GridFixture {
protected:
  void SetUp() override { applyBomGridSettings(grid); }
};

TEST_F(BomGridColumnsTest, SettingsBothWindowsUse) {
  EXPECT_EQ(grid.Font().Name(), QStringLiteral("宋体"));
  EXPECT_EQ(grid.Font().Height(), -12);
  EXPECT_EQ(grid.Font().Size(), 9);
  EXPECT_EQ(grid.Font().Color(), clBlack);
  EXPECT_EQ(grid.TitleFont().Color(), clWindowText);
  EXPECT_EQ(grid.FooterFont().Height(), -12);
  EXPECT_EQ(grid.Color(), clWhite);
  EXPECT_EQ(grid.FixedColor(), clActiveBorder);
  EXPECT_EQ(grid.FooterColor(), clInfoBk);
  EXPECT_EQ(grid.Options(), dgEditing | dgTitles | dgIndicator |
                                dgColumnResize | dgColLines | dgRowLines |
                                dgTabs | dgAlwaysShowSelection |
                                dgConfirmDelete | dgCancelOnExit);
  EXPECT_EQ(grid.OptionsEh(), dghClearSelection | dghMultiSortMarking);
  EXPECT_EQ(grid.TitleLines(), 2);
  EXPECT_TRUE(grid.UseMultiTitle());
  EXPECT_EQ(grid.VTitleMargin(), 10);
  EXPECT_TRUE(grid.ColumnDefValues().Title().TitleButton());
  EXPECT_TRUE(grid.ReadOnly());
  EXPECT_EQ(grid.FooterRowCount(), 0);
  EXPECT_FALSE(grid.Flat());
}

TEST_F(BomGridColumnsTest, MainGridColumns) {
  setupBomInfoMainColumns(grid);
  expectColumns(grid, {{"cInvCName", "存货大类", 85},
                       {"InvCode", "存货编码", 98},
                       {"cInvName", "存货名称", 156},
                       {"cInvAddCode", "存货代码", 103},
                       {"cInvStd", "规格型号", 164},
                       {"bomtype", "类型", 57},
                       {"status", "状态", 47},
                       {"VersionDesc", "版本", 66},
                       {"IdentDesc", "替代BOM", 108},
                       {"VersionEffDate", "生效日期", 105},
                       {"VersionEndDate", "结束日期", 109}});
  const TColumnFooterEh &footer = grid.Columns()[1].Footer();
  EXPECT_EQ(footer.ValueType(), fvtStaticText);
  EXPECT_EQ(footer.Value(), QStringLiteral("合计"));
  EXPECT_EQ(grid.TitleRowHeight(), 19);
  EXPECT_EQ(grid.DataRowHeight(), 16);
}

TEST_F(BomGridColumnsTest, MainGridDatesShowTimeOnlyWhenThereIsOne) {
  const double midnight =
      dateTimeToDays(QDateTime(QDate(2023, 12, 1), QTime(0, 0)));
  open(makeTable({{"VersionEffDate", FieldType::DateTime},
                  {"VersionEndDate", FieldType::DateTime}},
                 {{midnight, midnight + 8.5 / 24}}));
  setupBomInfoMainColumns(grid);
  EXPECT_EQ(CellDisplayText(grid.Columns()[9]), QStringLiteral("2023-12-1"));
  EXPECT_EQ(CellDisplayText(grid.Columns()[10]),
            QStringLiteral("2023-12-1 8:30:00"));
  EXPECT_EQ(grid.Columns()[9].Alignment(), taLeftJustify);
}

TEST_F(BomGridColumnsTest, ComponentGridColumnsAndQuantityText) {
  open(makeTable(
      {{"InvCode", FieldType::String},
       {"cInvAddCode", FieldType::WideString},
       {"cInvName", FieldType::WideString},
       {"cInvStd", FieldType::WideString},
       {"cComUnitName", FieldType::WideString},
       {"CQty1", FieldType::BCD}},
      {{"01001", "A-1", QStringLiteral("螺栓"), "M8", "个", qint64(25000)},
       {"01002", QVariant(), "垫片", QVariant(), "个", QVariant()}}));
  setupBomDetailColumns(grid);
  expectColumns(grid, {{"InvCode", "存货编码", 145},
                       {"cInvAddCode", "存货代码", 132},
                       {"cInvName", "存货名称", 268},
                       {"cInvStd", "规格型号", 143},
                       {"cComUnitName", "单位", 61},
                       {"CQty1", "单件用量", 91}});
  TColumnEh &quantity = grid.Columns()[5];
  EXPECT_EQ(quantity.DisplayFormat(), QStringLiteral("0.00"));
  EXPECT_EQ(quantity.Alignment(), taRightJustify);
  EXPECT_EQ(quantity.Footer().ValueType(), fvtSum);
  EXPECT_EQ(quantity.Footer().DisplayFormat(), QStringLiteral("0.00"));
  EXPECT_EQ(grid.FooterText(0, quantity), QStringLiteral("2.50"));

  EXPECT_EQ(CellDisplayText(quantity), QStringLiteral("2.50"));
  EXPECT_EQ(CellDisplayText(grid.Columns()[2]), QStringLiteral("螺栓"));
  query.next();
  EXPECT_EQ(CellDisplayText(quantity), QString());
  EXPECT_EQ(CellDisplayText(grid.Columns()[1]), QString());

  // What every exporter reads besides the text.
  for (int i = 0; i < grid.Columns().Count(); ++i) {
    EXPECT_EQ(cellCheckboxState(grid.Columns()[i]), cbGrayed) << i;
    EXPECT_EQ(cellImageIndex(grid.Columns()[i]), -1) << i;
  }
}

TEST_F(BomGridColumnsTest, SettingUpAgainReplacesTheColumns) {
  setupBomDetailColumns(grid);
  setupBomDetailColumns(grid);
  EXPECT_EQ(grid.Columns().Count(), 6);
}

} // namespace
