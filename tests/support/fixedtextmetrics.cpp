#include "support/fixedtextmetrics.h"

#include "grid/tfont.h"

#include <cstdlib>
#include <vector>

int FixedTextMetrics::pixelHeight(const TFont &font) const {
  return font.Height() != 0 ? std::abs(font.Height()) : 12;
}

int FixedTextMetrics::charWidth(const TFont &font, QChar c) const {
  const int height = pixelHeight(font);
  return c.unicode() < 0x80 ? height / 2 : height;
}

FontLineMetrics FixedTextMetrics::lineMetrics(const TFont &font) const {
  FontLineMetrics metrics = extra;
  metrics.height = pixelHeight(font) + extra.internalLeading;
  return metrics;
}

int FixedTextMetrics::textWidth(const TFont &font, QStringView text) const {
  int width = 0;
  for (QChar c : text)
    width += charWidth(font, c);
  return width + (text.isEmpty() ? 0 : extra.overhang);
}

int FixedTextMetrics::textHeight(const TFont &font, QStringView) const {
  return lineMetrics(font).height;
}

int FixedTextMetrics::wrappedTextHeight(const TFont &font, QStringView text,
                                        int width) const {
  // Words: runs of ASCII characters without blanks, or one other character;
  // a blank separates words and is dropped at a line break.
  std::vector<int> words;
  std::vector<bool> blankBefore;
  bool blank = false;
  bool inWord = false;
  for (QChar c : text) {
    if (c == QLatin1Char(' ')) {
      blank = true;
      inWord = false;
    } else if (c.unicode() < 0x80 && inWord) {
      words.back() += charWidth(font, c);
    } else {
      words.push_back(charWidth(font, c));
      blankBefore.push_back(blank);
      blank = false;
      inWord = c.unicode() < 0x80;
    }
  }
  int lines = 1;
  int used = 0;
  const int blankWidth = charWidth(font, QLatin1Char(' '));
  for (size_t i = 0; i < words.size(); ++i) {
    const int needed = (used > 0 && blankBefore[i] ? blankWidth : 0) + words[i];
    if (used > 0 && used + needed > width) {
      ++lines;
      used = words[i];
    } else {
      used += needed;
    }
  }
  return lines * lineMetrics(font).height;
}
