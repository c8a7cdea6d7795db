#include "grid/columneh.h"

#include "grid/dbgridcolumnseh.h"
#include "grid/dbgrideh.h"
#include "platform/dataset/booleanfield.h"
#include "platform/dataset/numericfield.h"
#include "platform/dataset/query.h"

#include <algorithm>
#include <utility>

namespace {

// Characters a field's values take on screen: the declared size of a text
// column, the digits of a decimal column plus one for sign or separator, the
// longer of a boolean column's two texts, else ten.
int fieldDisplayWidth(const TField &field) {
  switch (field.DataType()) {
  case FieldType::String:
  case FieldType::WideString:
    return field.Size();
  case FieldType::BCD: {
    const int precision = static_cast<const TBCDField &>(field).Precision();
    return precision > 0 ? precision + 1 : 10;
  }
  case FieldType::Boolean: {
    const QString &values =
        static_cast<const TBooleanField &>(field).DisplayValues();
    const int separator = values.indexOf(QLatin1Char(';'));
    if (separator < 0)
      return 5; // "False"
    return std::max<int>(separator, values.size() - separator - 1);
  }
  default:
    return 10;
  }
}

} // namespace

TColumnEh::TColumnEh(TDBGridColumnsEh &collection)
    : m_collection(collection),
      m_font([this]() -> const TFont & { return Grid().Font(); },
             [this] { changed(false); }),
      m_title(*this), m_footer(*this), m_footers(*this) {}

TColumnEh::~TColumnEh() = default;

TDBGridEh &TColumnEh::Grid() const { return m_collection.Grid(); }

int TColumnEh::Index() const { return m_collection.indexOf(*this); }

void TColumnEh::changed(bool layout) { Grid().ColumnChanged(*this, layout); }

void TColumnEh::setFieldName(const QString &name) {
  if (m_fieldName == name)
    return;
  m_fieldName = name;
  m_field = nullptr;
  Grid().LayoutChanged();
}

void TColumnEh::resetField() { m_field = nullptr; }

TField *TColumnEh::Field() const {
  const Query *dataSet = Grid().DataSet();
  if (m_field && dataSet == m_fieldDataSet &&
      dataSet->fieldsGeneration() == m_fieldGeneration)
    return m_field;
  m_field = nullptr;
  if (!dataSet || m_fieldName.isEmpty())
    return nullptr;
  TField *field = dataSet->FindField(m_fieldName);
  if (!field)
    return nullptr;
  m_field = field;
  m_fieldDataSet = dataSet;
  m_fieldGeneration = dataSet->fieldsGeneration();
  // Takes the field's own letter case; the name stays equal ignoring case,
  // so nothing else changes.
  m_fieldName = field->FieldName();
  return m_field;
}

int TColumnEh::Width() const {
  if (m_assigned.testFlag(cvWidth))
    return m_width;
  const TField *field = Field();
  if (!field)
    return TDBGridEh::DefaultColWidth;
  const TFont &font = Font();
  const TextMetrics &metrics = Grid().textMetrics();
  const int overhang = metrics.lineMetrics(font).overhang;
  const int zero = metrics.textWidth(font, u"0");
  return (zero - overhang) * fieldDisplayWidth(*field) + overhang + 4;
}

void TColumnEh::setWidth(int pixels) {
  if (m_assigned.testFlag(cvWidth) && m_width == pixels)
    return;
  m_width = pixels;
  m_assigned |= cvWidth;
  changed(false);
}

void TColumnEh::setVisible(bool visible) {
  if (m_visible == visible)
    return;
  m_visible = visible;
  Grid().LayoutChanged();
}

TAlignment TColumnEh::Alignment() const {
  if (m_assigned.testFlag(cvAlignment))
    return m_alignment;
  const TField *field = Field();
  return field ? field->Alignment() : taLeftJustify;
}

void TColumnEh::setAlignment(TAlignment alignment) {
  if (m_assigned.testFlag(cvAlignment) && m_alignment == alignment)
    return;
  m_alignment = alignment;
  m_assigned |= cvAlignment;
  changed(false);
}

TColor TColumnEh::Color() const {
  return m_assigned.testFlag(cvColor) ? m_color : Grid().Color();
}

void TColumnEh::setColor(TColor color) {
  if (m_assigned.testFlag(cvColor) && m_color == color)
    return;
  m_color = color;
  m_assigned |= cvColor;
  changed(false);
}

void TColumnEh::setDisplayFormat(const QString &pattern) {
  if (m_displayFormat == pattern)
    return;
  m_displayFormat = pattern;
  changed(false);
}

bool TColumnEh::EndEllipsis() const {
  return m_assigned.testFlag(cvEndEllipsis)
             ? m_endEllipsis
             : Grid().ColumnDefValues().EndEllipsis();
}

void TColumnEh::setEndEllipsis(bool on) {
  if (m_assigned.testFlag(cvEndEllipsis) && m_endEllipsis == on)
    return;
  m_endEllipsis = on;
  m_assigned |= cvEndEllipsis;
  changed(false);
}

bool TColumnEh::WordWrap() const {
  if (m_assigned.testFlag(cvWordWrap))
    return m_wordWrap;
  const TField *field = Field();
  return field && (field->DataType() == FieldType::String ||
                   field->DataType() == FieldType::WideString);
}

void TColumnEh::setWordWrap(bool on) {
  if (m_assigned.testFlag(cvWordWrap) && m_wordWrap == on)
    return;
  m_wordWrap = on;
  m_assigned |= cvWordWrap;
  changed(false);
}

bool TColumnEh::ReadOnly() const {
  return m_assigned.testFlag(cvReadOnly) ? m_readOnly : Grid().ReadOnly();
}

void TColumnEh::setReadOnly(bool on) {
  if (m_assigned.testFlag(cvReadOnly) && m_readOnly == on)
    return;
  m_readOnly = on;
  m_assigned |= cvReadOnly;
  changed(false);
}

TColumnFooterEh &TColumnEh::UsedFooter(int row) {
  return const_cast<TColumnFooterEh &>(std::as_const(*this).UsedFooter(row));
}

const TColumnFooterEh &TColumnEh::UsedFooter(int row) const {
  return row >= 0 && row < m_footers.Count() ? m_footers.Items(row) : m_footer;
}

void TColumnEh::setKeyList(const QStringList &keys) {
  if (m_keyList == keys)
    return;
  m_keyList = keys;
  changed(false);
}

void TColumnEh::setNotInKeyListIndex(int index) {
  if (m_notInKeyListIndex == index)
    return;
  m_notInKeyListIndex = index;
  changed(false);
}

void TColumnEh::setHasImageList(bool on) {
  if (m_hasImageList == on)
    return;
  m_hasImageList = on;
  changed(false);
}

TColumnEhValues TColumnEh::AssignedValues() const {
  TColumnEhValues values = m_assigned;
  if (m_font.assigned())
    values |= cvFont;
  return values;
}

void TColumnEh::RestoreDefaults() {
  Grid().BeginLayout();
  m_assigned = TColumnEhValues();
  m_font.restoreDefault();
  m_title.RestoreDefaults();
  Grid().LayoutChanged();
  Grid().EndLayout();
}
