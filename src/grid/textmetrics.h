#pragma once

#include <QStringView>

class TFont;

// Metrics of a font in pixels.
struct FontLineMetrics {
  int height = 0; // character height: ascent + descent, one text line
  int internalLeading = 0;
  int externalLeading = 0;
  int overhang = 0; // extra width synthesised styles add to a text
};

// Text measuring for layout: the one seam between the grid's arithmetic and
// the platform's fonts, so layouts can be computed with fixed metrics too.
class TextMetrics {
public:
  virtual ~TextMetrics() = default;

  virtual FontLineMetrics lineMetrics(const TFont &font) const = 0;
  // Width of `text` on one line.
  virtual int textWidth(const TFont &font, QStringView text) const = 0;
  // Height of `text` on one line (the height of "Wg" is the line height).
  virtual int textHeight(const TFont &font, QStringView text) const = 0;
  // Height of `text` broken at word ends into lines at most `width` pixels
  // wide (a word wider than that stands alone on its line); `width` >= 1.
  virtual int wrappedTextHeight(const TFont &font, QStringView text,
                                int width) const = 0;
};
