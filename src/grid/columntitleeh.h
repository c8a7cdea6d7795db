#pragma once

#include "grid/color.h"
#include "grid/columndefvalueseh.h"
#include "grid/followingfont.h"
#include "platform/dataset/alignment.h"

#include <QFlags>
#include <QString>

class TColumnEh;

enum TSortMarkerEh { smNoneEh, smDownEh, smUpEh };

// Title properties that keep an "assigned" mark.
enum TColumnTitleValue {
  tvCaption = 0x1,
  tvFont = 0x2,
  tvColor = 0x4,
  tvAlignment = 0x8,
  tvTitleButton = 0x10,
  tvEndEllipsis = 0x20,
  tvOrientation = 0x40,
};
Q_DECLARE_FLAGS(TColumnTitleValues, TColumnTitleValue)
Q_DECLARE_OPERATORS_FOR_FLAGS(TColumnTitleValues)

// The title of one column. Unassigned properties read their defaults afresh
// each time (the grid's TitleFont, ColumnDefValues.Title, the field's label).
class TColumnTitleEh {
public:
  explicit TColumnTitleEh(TColumnEh &column);
  TColumnTitleEh(const TColumnTitleEh &) = delete;
  TColumnTitleEh &operator=(const TColumnTitleEh &) = delete;

  TColumnEh &Column() const { return m_column; }

  // Default: the field's DisplayLabel; without a field the column's
  // FieldName. A write re-lays out the grid unless it repeats the text an
  // assigned caption already holds.
  QString Caption() const;
  void setCaption(const QString &caption);

  // The title's own font object. While unassigned it is refreshed from the
  // grid's TitleFont when read; a change made through it assigns it for good
  // and re-lays out the grid.
  TFont &Font() { return m_font.get(); }
  const TFont &Font() const { return m_font.get(); }
  void setFont(const TFont &font) { m_font.assign(font); }

  // Default: ColumnDefValues.Title.Color (the grid's FixedColor).
  TColor Color() const;
  void setColor(TColor color);
  // Default: ColumnDefValues.Title.Alignment.
  TAlignment Alignment() const;
  void setAlignment(TAlignment alignment);
  bool TitleButton() const;
  void setTitleButton(bool on);
  bool EndEllipsis() const;
  void setEndEllipsis(bool on);
  TTextOrientationEh Orientation() const;
  void setOrientation(TTextOrientationEh orientation);
  TSortMarkerEh SortMarker() const { return m_sortMarker; }
  void setSortMarker(TSortMarkerEh marker);

  TColumnTitleValues AssignedValues() const;
  void RestoreDefaults();

private:
  const TColumnTitleDefValuesEh *defValues() const;
  void changed();

  TColumnEh &m_column;
  TColumnTitleValues m_assigned;
  QString m_caption;
  FollowingFont m_font;
  TColor m_color = clBtnFace;
  TAlignment m_alignment = taLeftJustify;
  bool m_titleButton = false;
  bool m_endEllipsis = false;
  TTextOrientationEh m_orientation = tohHorizontal;
  TSortMarkerEh m_sortMarker = smNoneEh;
};
