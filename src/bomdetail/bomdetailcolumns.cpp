#include "bomdetail/bomdetailcolumns.h"

#include "grid/dbgrideh.h"

namespace {

struct ColumnSpec {
  const char *fieldName;
  const char *title;
  int width;
};

const ColumnSpec columns[] = {
    {"InvCode", "存货编码", 145},  {"cInvAddCode", "存货代码", 132},
    {"cInvName", "存货名称", 268}, {"cInvStd", "规格型号", 143},
    {"cComUnitName", "单位", 61},  {"CQty1", "单件用量", 91},
};

} // namespace

void setupBomDetailColumns(TDBGridEh &grid) {
  grid.BeginLayout();
  grid.Columns().Clear();
  for (const ColumnSpec &spec : columns) {
    TColumnEh &column = grid.Columns().Add();
    column.setFieldName(QString::fromUtf8(spec.fieldName));
    column.Title().setCaption(QString::fromUtf8(spec.title));
    column.setWidth(spec.width);
  }
  TColumnEh &quantity = grid.Columns()[5];
  quantity.setDisplayFormat(QStringLiteral("0.00"));
  quantity.Footer().setValueType(fvtSum);
  quantity.Footer().setDisplayFormat(QStringLiteral("0.00"));
  grid.EndLayout();
}
