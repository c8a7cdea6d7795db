#include "export/celllook.h"

bool CellLook::is(int width, TAlignment alignment, TColor background,
                  const TFont &font) const {
  return m_set && m_width == width && m_alignment == alignment &&
         m_background == background &&
         m_backgroundRgb == resolveColor(background) &&
         m_fontHeight == font.Height() &&
         m_fontPixelsPerInch == font.PixelsPerInch() &&
         m_fontColor == font.Color() &&
         m_fontColorRgb == resolveColor(font.Color()) &&
         m_fontStyle == font.Style() && m_fontName == font.Name();
}

void CellLook::set(int width, TAlignment alignment, TColor background,
                   const TFont &font) {
  m_set = true;
  m_width = width;
  m_alignment = alignment;
  m_background = background;
  m_backgroundRgb = resolveColor(background);
  m_fontName = font.Name();
  m_fontHeight = font.Height();
  m_fontPixelsPerInch = font.PixelsPerInch();
  m_fontColor = font.Color();
  m_fontColorRgb = resolveColor(font.Color());
  m_fontStyle = font.Style();
}
