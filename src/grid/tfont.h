#pragma once

#include "grid/color.h"

#include <QFlags>
#include <QFont>
#include <QString>
#include <functional>

enum TFontStyle {
  fsBold = 0x1,
  fsItalic = 0x2,
  fsUnderline = 0x4,
  fsStrikeOut = 0x8,
};
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

// A font description as the grids and the writers use it: face name, height
// in pixels (negative: character height; positive: cell height), colour and
// style. Size in points is derived from the height and the font's pixels per
// inch. Every change that alters a value raises OnChange once.
class TFont {
public:
  TFont();
  // Copies the values, not OnChange.
  TFont(const TFont &other);
  TFont &operator=(const TFont &) = delete;

  const QString &Name() const { return m_name; }
  void setName(const QString &name);
  // Whole points: -height × 72 / PixelsPerInch, rounded.
  int Size() const;
  void setSize(int points);
  int Height() const { return m_height; }
  void setHeight(int pixels);
  TColor Color() const { return m_color; }
  void setColor(TColor color);
  TFontStyles Style() const { return m_style; }
  void setStyle(TFontStyles style);
  int PixelsPerInch() const { return m_pixelsPerInch; }
  void setPixelsPerInch(int pixelsPerInch);

  // Takes every value of `source` (pixels per inch included); one OnChange
  // when anything differed.
  void Assign(const TFont &source);
  // Same face, height, style, colour and pixels per inch.
  bool sameAs(const TFont &other) const;

  // The face, pixel size and style for drawing and measuring with Qt.
  QFont toQFont() const;

  std::function<void()> OnChange;

  // Pixels per inch given to new fonts: 96 until the program sets the
  // screen's value at start-up.
  static int defaultPixelsPerInch();
  static void setDefaultPixelsPerInch(int pixelsPerInch);

private:
  void changed();

  QString m_name;
  int m_height;
  TColor m_color;
  TFontStyles m_style;
  int m_pixelsPerInch;
};
