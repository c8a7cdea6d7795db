#pragma once

#include "grid/color.h"
#include "grid/followingfont.h"
#include "platform/dataset/alignment.h"

#include <QString>

class TColumnEh;

// What a footer cell shows.
enum TFooterValueType {
  fvtNon = 0,
  fvtSum = 1,
  fvtAvg = 2,
  fvtCount = 3,
  fvtFieldValue = 4,
  fvtStaticText = 5,
};

// One footer of a column (its single Footer or an item of its Footers).
class TColumnFooterEh {
public:
  explicit TColumnFooterEh(TColumnEh &column);
  TColumnFooterEh(const TColumnFooterEh &) = delete;
  TColumnFooterEh &operator=(const TColumnFooterEh &) = delete;

  TColumnEh &Column() const { return m_column; }

  TFooterValueType ValueType() const { return m_valueType; }
  void setValueType(TFooterValueType type);
  // The text of a static-text footer.
  const QString &Value() const { return m_value; }
  void setValue(const QString &value);
  // Field summed, averaged or shown; empty: the column's field.
  const QString &FieldName() const { return m_fieldName; }
  void setFieldName(const QString &name);
  const QString &DisplayFormat() const { return m_displayFormat; }
  void setDisplayFormat(const QString &pattern);

  // Default: the column field's alignment; left without a field.
  TAlignment Alignment() const;
  void setAlignment(TAlignment alignment);
  bool isAlignmentAssigned() const { return m_alignmentAssigned; }
  // Default: the grid's FooterColor.
  TColor Color() const;
  void setColor(TColor color);
  bool isColorAssigned() const { return m_colorAssigned; }
  // Follows the grid's FooterFont until changed through the object.
  TFont &Font() { return m_font.get(); }
  const TFont &Font() const { return m_font.get(); }
  void setFont(const TFont &font) { m_font.assign(font); }
  bool isFontAssigned() const { return m_font.assigned(); }

private:
  void changed();

  TColumnEh &m_column;
  TFooterValueType m_valueType = fvtNon;
  QString m_value;
  QString m_fieldName;
  QString m_displayFormat;
  bool m_alignmentAssigned = false;
  TAlignment m_alignment = taLeftJustify;
  bool m_colorAssigned = false;
  TColor m_color = clWindow;
  FollowingFont m_font;
};
