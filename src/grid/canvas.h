#pragma once

#include "grid/color.h"
#include "grid/tfont.h"

class QPainter;

enum TBrushStyle { bsSolid, bsClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

// The drawing surface of a grid while it paints: the painter plus the brush
// and font that cell painting uses. A cell-drawing handler changes Brush and
// Font and then asks the grid to paint the cell with them.
struct TCanvas {
  QPainter *Painter = nullptr; // not owned; set only during painting
  TBrush Brush;
  TFont Font;
};
