#include "grid/columndefvalueseh.h"

#include "grid/dbgrideh.h"

TColor TColumnTitleDefValuesEh::Color() const {
  return m_colorAssigned ? m_color : m_grid.FixedColor();
}

void TColumnTitleDefValuesEh::setColor(TColor color) {
  if (m_colorAssigned && m_color == color)
    return;
  m_color = color;
  m_colorAssigned = true;
  m_grid.DefValuesChanged();
}

TAlignment TColumnTitleDefValuesEh::Alignment() const {
  if (m_alignmentAssigned)
    return m_alignment;
  return m_grid.UseMultiTitle() ? taCenter : taLeftJustify;
}

void TColumnTitleDefValuesEh::setAlignment(TAlignment alignment) {
  if (m_alignmentAssigned && m_alignment == alignment)
    return;
  m_alignment = alignment;
  m_alignmentAssigned = true;
  m_grid.DefValuesChanged();
}

void TColumnTitleDefValuesEh::setTitleButton(bool on) {
  if (m_titleButton == on)
    return;
  m_titleButton = on;
  m_grid.DefValuesChanged();
}

void TColumnTitleDefValuesEh::setEndEllipsis(bool on) {
  if (m_endEllipsis == on)
    return;
  m_endEllipsis = on;
  m_grid.DefValuesChanged();
}

void TColumnTitleDefValuesEh::setOrientation(TTextOrientationEh orientation) {
  if (m_orientation == orientation)
    return;
  m_orientation = orientation;
  m_grid.DefValuesChanged();
}

void TColumnDefValuesEh::setEndEllipsis(bool on) {
  if (m_endEllipsis == on)
    return;
  m_endEllipsis = on;
  m_grid.DefValuesChanged();
}
