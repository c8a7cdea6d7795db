#pragma once

#include "grid/color.h"

#include <array>

// The platform's current RGB values (0x00BBGGRR) of the system colours, by
// index. Colours are resolved when a cell is drawn or a file is written, so
// a change of the platform's colour scheme shows at the next paint or
// export; tests install fixed values with setCurrent() and never depend on
// the machine.
class SystemColors {
public:
  static constexpr int Count = 31;

  // Fixed values close to the classic grey desktop scheme.
  SystemColors();

  // On Windows the system's own values; elsewhere the fixed values with
  // those the application palette knows replaced by its colours.
  static SystemColors fromPlatform();
  // The table in force: the platform's present values (read again after
  // each change of the application palette) until setCurrent().
  static const SystemColors &current();
  static void setCurrent(const SystemColors &colors);
  // Drops the table of setCurrent(): the platform's values apply again.
  static void followPlatform();

  // RGB value of system colour `index`; black for an index out of range.
  TColor rgb(int index) const;
  void setRgb(int index, TColor rgb);

private:
  std::array<TColor, Count> m_rgb;
};
