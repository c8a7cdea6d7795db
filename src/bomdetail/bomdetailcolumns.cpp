#include "bomdetail/bomdetailcolumns.h"

#include "grid/columnlayout.h"
#include "grid/dbgrideh.h"

namespace {

const ColumnLayout columns[] = {
    {"InvCode", "存货编码", 145},  {"cInvAddCode", "存货代码", 132},
    {"cInvName", "存货名称", 268}, {"cInvStd", "规格型号", 143},
    {"cComUnitName", "单位", 61},  {"CQty1", "单件用量", 91},
};

} // namespace

void setupBomDetailColumns(TDBGridEh &grid) {
  grid.BeginLayout();
  addLayoutColumns(grid, columns);
  TColumnEh &quantity = grid.Columns()[5];
  quantity.setDisplayFormat(QStringLiteral("0.00"));
  quantity.Footer().setValueType(fvtSum);
  quantity.Footer().setDisplayFormat(QStringLiteral("0.00"));
  grid.EndLayout();
}
