#include "grid/columntitleeh.h"

#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "platform/dataset/field.h"

TColumnTitleEh::TColumnTitleEh(TColumnEh &column)
    : m_column(column),
      m_font([this]() -> const TFont & { return m_column.Grid().TitleFont(); },
             [this] { m_column.changed(true); }) {}

const TColumnTitleDefValuesEh *TColumnTitleEh::defValues() const {
  return &m_column.Grid().ColumnDefValues().Title();
}

void TColumnTitleEh::changed() { m_column.changed(false); }

QString TColumnTitleEh::Caption() const {
  if (m_assigned.testFlag(tvCaption))
    return m_caption;
  if (const TField *field = m_column.Field())
    return field->DisplayLabel();
  return m_column.FieldName();
}

void TColumnTitleEh::setCaption(const QString &caption) {
  if (m_assigned.testFlag(tvCaption) && m_caption == caption)
    return;
  m_caption = caption;
  m_assigned |= tvCaption;
  m_column.changed(true);
}

TColor TColumnTitleEh::Color() const {
  return m_assigned.testFlag(tvColor) ? m_color : defValues()->Color();
}

void TColumnTitleEh::setColor(TColor color) {
  if (m_assigned.testFlag(tvColor) && m_color == color)
    return;
  m_color = color;
  m_assigned |= tvColor;
  changed();
}

TAlignment TColumnTitleEh::Alignment() const {
  return m_assigned.testFlag(tvAlignment) ? m_alignment
                                          : defValues()->Alignment();
}

void TColumnTitleEh::setAlignment(TAlignment alignment) {
  if (m_assigned.testFlag(tvAlignment) && m_alignment == alignment)
    return;
  m_alignment = alignment;
  m_assigned |= tvAlignment;
  changed();
}

bool TColumnTitleEh::TitleButton() const {
  return m_assigned.testFlag(tvTitleButton) ? m_titleButton
                                            : defValues()->TitleButton();
}

void TColumnTitleEh::setTitleButton(bool on) {
  if (m_assigned.testFlag(tvTitleButton) && m_titleButton == on)
    return;
  m_titleButton = on;
  m_assigned |= tvTitleButton;
  changed();
}

bool TColumnTitleEh::EndEllipsis() const {
  return m_assigned.testFlag(tvEndEllipsis) ? m_endEllipsis
                                            : defValues()->EndEllipsis();
}

void TColumnTitleEh::setEndEllipsis(bool on) {
  if (m_assigned.testFlag(tvEndEllipsis) && m_endEllipsis == on)
    return;
  m_endEllipsis = on;
  m_assigned |= tvEndEllipsis;
  changed();
}

TTextOrientationEh TColumnTitleEh::Orientation() const {
  return m_assigned.testFlag(tvOrientation) ? m_orientation
                                            : defValues()->Orientation();
}

void TColumnTitleEh::setOrientation(TTextOrientationEh orientation) {
  if (m_assigned.testFlag(tvOrientation) && m_orientation == orientation)
    return;
  m_orientation = orientation;
  m_assigned |= tvOrientation;
  m_column.changed(true);
}

void TColumnTitleEh::setSortMarker(TSortMarkerEh marker) {
  if (m_sortMarker == marker)
    return;
  m_sortMarker = marker;
  // The marker's indent narrows the caption, which may change the heights.
  m_column.changed(true);
}

TColumnTitleValues TColumnTitleEh::AssignedValues() const {
  TColumnTitleValues values = m_assigned;
  if (m_font.assigned())
    values |= tvFont;
  return values;
}

void TColumnTitleEh::RestoreDefaults() {
  const bool hadValues = m_assigned != TColumnTitleValues();
  m_assigned = TColumnTitleValues();
  m_font.restoreDefault();
  if (hadValues)
    m_column.changed(true);
}
