#pragma once

#include "grid/textmetrics.h"

// Text measuring with made-up metrics, the same on every machine: a line is
// as high as the font's pixel height, an ASCII character is half of that
// wide, any other character (Chinese) the full height. Word wrapping breaks
// at blanks and between non-ASCII characters.
class FixedTextMetrics : public TextMetrics {
public:
  FontLineMetrics extra; // leadings and overhang added to every font

  FontLineMetrics lineMetrics(const TFont &font) const override;
  int textWidth(const TFont &font, QStringView text) const override;
  int textHeight(const TFont &font, QStringView text) const override;
  int wrappedTextHeight(const TFont &font, QStringView text,
                        int width) const override;

private:
  int pixelHeight(const TFont &font) const;
  int charWidth(const TFont &font, QChar c) const;
};
