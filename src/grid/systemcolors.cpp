#include "grid/systemcolors.h"

#include <QGuiApplication>
#include <QPalette>
#include <optional>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

// The classic grey scheme, index by index.
constexpr std::array<TColor, SystemColors::Count> fixedValues = {
    rgbColor(212, 208, 200), // scroll bar
    rgbColor(58, 110, 165),  // desktop
    rgbColor(10, 36, 106),   // active caption
    rgbColor(128, 128, 128), // inactive caption
    rgbColor(212, 208, 200), // menu
    rgbColor(255, 255, 255), // window
    rgbColor(0, 0, 0),       // window frame
    rgbColor(0, 0, 0),       // menu text
    rgbColor(0, 0, 0),       // window text
    rgbColor(255, 255, 255), // caption text
    rgbColor(212, 208, 200), // active border
    rgbColor(212, 208, 200), // inactive border
    rgbColor(128, 128, 128), // application workspace
    rgbColor(10, 36, 106),   // highlight
    rgbColor(255, 255, 255), // highlight text
    rgbColor(212, 208, 200), // button face
    rgbColor(128, 128, 128), // button shadow
    rgbColor(128, 128, 128), // gray text
    rgbColor(0, 0, 0),       // button text
    rgbColor(212, 208, 200), // inactive caption text
    rgbColor(255, 255, 255), // button highlight
    rgbColor(64, 64, 64),    // 3D dark shadow
    rgbColor(212, 208, 200), // 3D light
    rgbColor(0, 0, 0),       // info text
    rgbColor(255, 255, 225), // info background
    rgbColor(0, 0, 0),       // (unused)
    rgbColor(0, 0, 128),     // hot light
    rgbColor(166, 202, 240), // gradient active caption
    rgbColor(192, 192, 192), // gradient inactive caption
    rgbColor(10, 36, 106),   // menu highlight
    rgbColor(212, 208, 200), // menu bar
};

#ifndef Q_OS_WIN
TColor fromQColor(const QColor &color) {
  return rgbColor(color.red(), color.green(), color.blue());
}
#endif

std::optional<SystemColors> &installed() {
  static std::optional<SystemColors> colors;
  return colors;
}

// The platform's table, read again whenever the application palette has
// changed since it was read (the platform changes the palette when the
// user picks another colour scheme).
struct PlatformTable {
  SystemColors colors;
  qint64 paletteKey = 0;
  bool read = false;
};

const SystemColors &platformColors() {
  static PlatformTable table;
  const qint64 key = qGuiApp ? QGuiApplication::palette().cacheKey() : 0;
  if (!table.read || key != table.paletteKey) {
    table.colors = SystemColors::fromPlatform();
    table.paletteKey = key;
    table.read = true;
  }
  return table.colors;
}

} // namespace

SystemColors::SystemColors() : m_rgb(fixedValues) {}

SystemColors SystemColors::fromPlatform() {
  SystemColors colors;
#ifdef Q_OS_WIN
  for (int index = 0; index < Count; ++index) {
    const DWORD value = GetSysColor(index);
    colors.setRgb(index, TColor(value) & 0xFFFFFF);
  }
#else
  if (!qGuiApp)
    return colors;
  const QPalette palette = QGuiApplication::palette();
  const auto take = [&](TColor system, QPalette::ColorRole role) {
    colors.setRgb(int(system & 0xFF), fromQColor(palette.color(role)));
  };
  take(clWindow, QPalette::Base);
  take(clWindowText, QPalette::Text);
  take(clHighlight, QPalette::Highlight);
  take(clHighlightText, QPalette::HighlightedText);
  take(clBtnFace, QPalette::Button);
  take(clBtnText, QPalette::ButtonText);
  take(clBtnShadow, QPalette::Dark);
  take(clBtnHighlight, QPalette::Light);
  take(clInfoBk, QPalette::ToolTipBase);
  take(clInfoText, QPalette::ToolTipText);
  take(clActiveBorder, QPalette::Window);
  take(clInactiveBorder, QPalette::Window);
  take(clMenu, QPalette::Window);
  take(clGrayText, QPalette::PlaceholderText);
#endif
  return colors;
}

const SystemColors &SystemColors::current() {
  const std::optional<SystemColors> &colors = installed();
  return colors ? *colors : platformColors();
}

void SystemColors::setCurrent(const SystemColors &colors) {
  installed() = colors;
}

void SystemColors::followPlatform() { installed().reset(); }

TColor SystemColors::rgb(int index) const {
  return index >= 0 && index < Count ? m_rgb[index] : clBlack;
}

void SystemColors::setRgb(int index, TColor rgb) {
  if (index >= 0 && index < Count)
    m_rgb[index] = rgb & 0xFFFFFF;
}
