#pragma once

#include "grid/color.h"
#include "platform/dataset/alignment.h"

class TDBGridEh;

enum TTextOrientationEh { tohHorizontal, tohVertical };

// Defaults of every column title of a grid (ColumnDefValues.Title).
class TColumnTitleDefValuesEh {
public:
  explicit TColumnTitleDefValuesEh(TDBGridEh &grid) : m_grid(grid) {}

  // Default: the grid's FixedColor.
  TColor Color() const;
  void setColor(TColor color);
  // Default: centre while the grid's UseMultiTitle is true, left otherwise.
  TAlignment Alignment() const;
  void setAlignment(TAlignment alignment);
  bool TitleButton() const { return m_titleButton; }
  void setTitleButton(bool on);
  bool EndEllipsis() const { return m_endEllipsis; }
  void setEndEllipsis(bool on);
  TTextOrientationEh Orientation() const { return m_orientation; }
  void setOrientation(TTextOrientationEh orientation);

private:
  TDBGridEh &m_grid;
  bool m_colorAssigned = false;
  TColor m_color = clBtnFace;
  bool m_alignmentAssigned = false;
  TAlignment m_alignment = taLeftJustify;
  bool m_titleButton = false;
  bool m_endEllipsis = false;
  TTextOrientationEh m_orientation = tohHorizontal;
};

// Defaults of every column of a grid (ColumnDefValues).
class TColumnDefValuesEh {
public:
  explicit TColumnDefValuesEh(TDBGridEh &grid) : m_grid(grid), m_title(grid) {}

  TColumnTitleDefValuesEh &Title() { return m_title; }
  const TColumnTitleDefValuesEh &Title() const { return m_title; }
  bool EndEllipsis() const { return m_endEllipsis; }
  void setEndEllipsis(bool on);

private:
  TDBGridEh &m_grid;
  TColumnTitleDefValuesEh m_title;
  bool m_endEllipsis = false;
};
