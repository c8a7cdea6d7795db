#include "grid/bomgridsettings.h"

#include "grid/dbgrideh.h"

namespace {

void setFont(TFont &font, TColor color) {
  font.setName(QStringLiteral("宋体"));
  font.setHeight(-12);
  font.setColor(color);
  font.setStyle(TFontStyles());
}

} // namespace

void applyBomGridSettings(TDBGridEh &grid) {
  grid.BeginLayout();
  setFont(grid.Font(), clBlack);
  setFont(grid.TitleFont(), clWindowText);
  setFont(grid.FooterFont(), clWindowText);
  grid.setColor(clWhite);
  grid.setFixedColor(clActiveBorder);
  grid.setFooterColor(clInfoBk);
  grid.setOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize |
                  dgColLines | dgRowLines | dgTabs | dgAlwaysShowSelection |
                  dgConfirmDelete | dgCancelOnExit);
  grid.setOptionsEh(dghClearSelection | dghMultiSortMarking);
  grid.setFlat(false);
  grid.setTitleLines(2);
  grid.setTitleHeight(0);
  grid.setUseMultiTitle(true);
  grid.setVTitleMargin(10);
  grid.setRowHeight(0);
  grid.setRowLines(0);
  grid.setFooterRowCount(0);
  grid.ColumnDefValues().Title().setTitleButton(true);
  grid.ColumnDefValues().setEndEllipsis(false);
  grid.setReadOnly(true);
  grid.EndLayout();
}
