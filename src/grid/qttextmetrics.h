#pragma once

#include "grid/textmetrics.h"

// Text measuring with the platform's real fonts (QFontMetrics).
class QtTextMetrics : public TextMetrics {
public:
  FontLineMetrics lineMetrics(const TFont &font) const override;
  int textWidth(const TFont &font, QStringView text) const override;
  int textHeight(const TFont &font, QStringView text) const override;
  int wrappedTextHeight(const TFont &font, QStringView text,
                        int width) const override;
};
