#pragma once

#include "grid/color.h"

#include <QByteArray>
#include <vector>

// The colours one rich-text document uses, numbered in order of first use.
// Colours are told apart by red, green and blue alone: a system colour counts
// as its current RGB value and the high byte of any other value is ignored
// (clNone is therefore white). Starts with black (0), white (1) and the
// button-face colour (2, unless that is black or white).
class RtfColorTable {
public:
  RtfColorTable();

  // The colour's number, appended when new.
  int index(TColor color);
  // "{\colortbl" and "\redR\greenG\blueB;" per colour, then "}".
  QByteArray text() const;

private:
  std::vector<TColor> m_rgb;
};
