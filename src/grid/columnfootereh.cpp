#include "grid/columnfootereh.h"

#include "grid/columneh.h"
#include "grid/dbgrideh.h"
#include "platform/dataset/field.h"

TColumnFooterEh::TColumnFooterEh(TColumnEh &column)
    : m_column(column),
      m_font([this]() -> const TFont & { return m_column.Grid().FooterFont(); },
             [this] { changed(); }) {}

void TColumnFooterEh::changed() { m_column.changed(false); }

void TColumnFooterEh::setValueType(TFooterValueType type) {
  if (m_valueType == type)
    return;
  m_valueType = type;
  changed();
}

void TColumnFooterEh::setValue(const QString &value) {
  if (m_value == value)
    return;
  m_value = value;
  changed();
}

void TColumnFooterEh::setFieldName(const QString &name) {
  if (m_fieldName == name)
    return;
  m_fieldName = name;
  changed();
}

void TColumnFooterEh::setDisplayFormat(const QString &pattern) {
  if (m_displayFormat == pattern)
    return;
  m_displayFormat = pattern;
  changed();
}

TAlignment TColumnFooterEh::Alignment() const {
  if (m_alignmentAssigned)
    return m_alignment;
  const TField *field = m_column.Field();
  return field ? field->Alignment() : taLeftJustify;
}

void TColumnFooterEh::setAlignment(TAlignment alignment) {
  if (m_alignmentAssigned && m_alignment == alignment)
    return;
  m_alignment = alignment;
  m_alignmentAssigned = true;
  changed();
}

TColor TColumnFooterEh::Color() const {
  return m_colorAssigned ? m_color : m_column.Grid().FooterColor();
}

void TColumnFooterEh::setColor(TColor color) {
  if (m_colorAssigned && m_color == color)
    return;
  m_color = color;
  m_colorAssigned = true;
  changed();
}
