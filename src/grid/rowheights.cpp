#include "grid/rowheights.h"

#include "grid/textmetrics.h"
#include "grid/tfont.h"

int dataRowHeight(const TextMetrics &metrics, const TFont &font, bool flat,
                  int rowLineWidth, int rowHeight, int rowLines) {
  if (rowHeight > 0 || rowLines > 0) {
    const FontLineMetrics line = metrics.lineMetrics(font);
    return rowHeight + (line.height + line.externalLeading) * rowLines;
  }
  const int base = (flat ? 1 : 3) + rowLineWidth;
  return base + metrics.textHeight(font, u"Wg");
}

bool rowWrapCondition(const TextMetrics &metrics, const TFont &font,
                      int dataRowHeight) {
  const FontLineMetrics line = metrics.lineMetrics(font);
  return line.height + line.internalLeading + line.externalLeading + 4 <
         dataRowHeight;
}

int plainTitleRowHeight(const TextMetrics &metrics,
                        const std::vector<const TFont *> &titleFonts,
                        const TFont &gridTitleFont, int titleLines,
                        int titleHeight, int rowLineWidth) {
  const TFont *tallest = &gridTitleFont;
  int height = metrics.textHeight(gridTitleFont, u"Wg") + 4;
  if (!titleFonts.empty()) {
    height = 0;
    for (const TFont *font : titleFonts) {
      const int fontHeight = metrics.textHeight(*font, u"Wg") + 4;
      if (fontHeight > height) {
        height = fontHeight;
        tallest = font;
      }
    }
  }
  if (titleHeight > 0 || titleLines > 0) {
    const FontLineMetrics line = metrics.lineMetrics(*tallest);
    height = titleLines * line.height + line.externalLeading + 2 + titleHeight +
             rowLineWidth;
  }
  return height;
}
