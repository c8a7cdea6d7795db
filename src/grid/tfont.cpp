#include "grid/tfont.h"

#include "platform/desktop/fontsubstitution.h"

#include <QGuiApplication>
#include <atomic>
#include <cstdlib>

namespace {

int g_defaultPixelsPerInch = 96;

// a × b ÷ c rounded half away from zero, as the platform's fonts scale.
int mulDiv(int a, int b, int c) {
  if (c == 0)
    return -1;
  const long long product = static_cast<long long>(a) * b;
  const long long half = std::llabs(c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const long long magnitude = (std::llabs(product) + half) / std::llabs(c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace

TFont::TFont()
    : m_name(QStringLiteral("宋体")), m_height(-12), m_color(clWindowText),
      m_pixelsPerInch(g_defaultPixelsPerInch) {}

TFont::TFont(const TFont &other)
    : m_name(other.m_name), m_height(other.m_height), m_color(other.m_color),
      m_style(other.m_style), m_pixelsPerInch(other.m_pixelsPerInch) {}

void TFont::changed() {
  if (OnChange)
    OnChange();
}

void TFont::setName(const QString &name) {
  if (m_name == name)
    return;
  m_name = name;
  changed();
}

int TFont::Size() const { return -mulDiv(m_height, 72, m_pixelsPerInch); }

void TFont::setSize(int points) {
  setHeight(-mulDiv(points, m_pixelsPerInch, 72));
}

void TFont::setHeight(int pixels) {
  if (m_height == pixels)
    return;
  m_height = pixels;
  changed();
}

void TFont::setColor(TColor color) {
  if (m_color == color)
    return;
  m_color = color;
  changed();
}

void TFont::setStyle(TFontStyles style) {
  if (m_style == style)
    return;
  m_style = style;
  changed();
}

void TFont::setPixelsPerInch(int pixelsPerInch) {
  if (m_pixelsPerInch == pixelsPerInch || pixelsPerInch <= 0)
    return;
  m_pixelsPerInch = pixelsPerInch;
  changed();
}

bool TFont::sameAs(const TFont &other) const {
  // Fonts copied from one another share their name's characters: the
  // common case needs no comparison of them.
  return m_height == other.m_height && m_color == other.m_color &&
         m_style == other.m_style && m_pixelsPerInch == other.m_pixelsPerInch &&
         (m_name.constData() == other.m_name.constData()
              ? m_name.size() == other.m_name.size()
              : m_name == other.m_name);
}

void TFont::Assign(const TFont &source) {
  if (sameAs(source))
    return;
  m_name = source.m_name;
  m_height = source.m_height;
  m_color = source.m_color;
  m_style = source.m_style;
  m_pixelsPerInch = source.m_pixelsPerInch;
  changed();
}

QFont TFont::toQFont() const {
  // The face the program asks for may be missing here; the platform maps
  // it before the first font is made.
  static std::atomic<bool> mapped = false;
  if (!mapped.load(std::memory_order_acquire) && qGuiApp) {
    mapMissingSongTi();
    mapped.store(true, std::memory_order_release);
  }
  QFont font(m_name);
  // A negative height is the character height, which is what a pixel size
  // means to Qt; a positive cell height is taken as a close approximation.
  if (m_height != 0)
    font.setPixelSize(std::abs(m_height));
  font.setBold(m_style.testFlag(fsBold));
  font.setItalic(m_style.testFlag(fsItalic));
  font.setUnderline(m_style.testFlag(fsUnderline));
  font.setStrikeOut(m_style.testFlag(fsStrikeOut));
  return font;
}

int TFont::defaultPixelsPerInch() { return g_defaultPixelsPerInch; }

void TFont::setDefaultPixelsPerInch(int pixelsPerInch) {
  if (pixelsPerInch > 0)
    g_defaultPixelsPerInch = pixelsPerInch;
}
