#include "grid/color.h"

#include "grid/systemcolors.h"

TColor resolveColor(TColor color) {
  return isSystemColor(color) ? SystemColors::current().rgb(int(color & 0xFF))
                              : color;
}

QColor toQColor(TColor color) {
  const TColor rgb = resolveColor(color);
  return QColor(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF));
}
