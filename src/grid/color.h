#pragma once

#include <QColor>
#include <QtGlobal>

// A colour value: an RGB value in 0x00BBGGRR order (red in the low byte), or
// a system colour stored as 0x80000000 plus the system-colour index, which
// is resolved to RGB only when a colour is drawn or written.
using TColor = quint32;

constexpr TColor clSystemColor = 0x80000000u;

// RGB colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
// "No colour": resolves as an ordinary value (its low three bytes).
constexpr TColor clNone = 0x1FFFFFFF;

// System colours, by system-colour index.
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

constexpr bool isSystemColor(TColor color) {
  return (color & clSystemColor) != 0;
}

// The RGB value (0x00BBGGRR) of `color`: a system colour is looked up in the
// current system colour table (systemcolors.h); any other value is returned
// unchanged, high byte included.
TColor resolveColor(TColor color);

// `color` resolved and taken apart into red, green and blue (the high byte of
// a non-system value is ignored).
QColor toQColor(TColor color);

// The colour value of an RGB colour.
constexpr TColor rgbColor(int red, int green, int blue) {
  return TColor(red & 0xFF) | TColor(green & 0xFF) << 8 |
         TColor(blue & 0xFF) << 16;
}
