#pragma once

#include "grid/color.h"
#include "grid/tfont.h"
#include "platform/dataset/alignment.h"

#include <QString>

// What a data or footer cell shows apart from its text: the values its
// markup is made from, each colour with its current RGB value (a system
// colour's value can change). The rows of an export repeat their columns'
// looks, so a writer makes the markup of a look once and copies it for every
// cell that has the same look.
class CellLook {
public:
  // Whether a cell with these values looks like the values last set; never
  // before the first set().
  bool is(int width, TAlignment alignment, TColor background,
          const TFont &font) const;
  void set(int width, TAlignment alignment, TColor background,
           const TFont &font);

private:
  bool m_set = false;
  int m_width = 0;
  TAlignment m_alignment = taLeftJustify;
  TColor m_background = 0;
  TColor m_backgroundRgb = 0;
  QString m_fontName;
  int m_fontHeight = 0;
  int m_fontPixelsPerInch = 0;
  TColor m_fontColor = 0;
  TColor m_fontColorRgb = 0;
  TFontStyles m_fontStyle;
};
