#include "app/bominfomaincolumns.h"

#include "grid/columnlayout.h"
#include "grid/dbgrideh.h"

namespace {

const ColumnLayout columns[] = {
    {"cInvCName", "存货大类", 85},
    {"InvCode", "存货编码", 98},
    {"cInvName", "存货名称", 156},
    {"cInvAddCode", "存货代码", 103},
    {"cInvStd", "规格型号", 164},
    {"bomtype", "类型", 57},
    {"status", "状态", 47},
    {"VersionDesc", "版本", 66},
    {"IdentDesc", "替代BOM", 108},
    {"VersionEffDate", "生效日期", 105},
    {"VersionEndDate", "结束日期", 109},
};

} // namespace

void setupBomInfoMainColumns(TDBGridEh &grid) {
  grid.BeginLayout();
  addLayoutColumns(grid, columns);
  TColumnFooterEh &total = grid.Columns()[1].Footer();
  total.setValueType(fvtStaticText);
  total.setValue(QStringLiteral("合计"));
  grid.EndLayout();
}
