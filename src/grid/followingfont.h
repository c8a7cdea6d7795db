#pragma once

#include "grid/tfont.h"

#include <functional>

// The font object of a column, a title or a footer. While unassigned it
// copies its default font whenever it is read (so it follows every change of
// that default); a change made through the object marks it assigned, after
// which it keeps its own values for good.
class FollowingFont {
public:
  // `defaultFont` gives the font to follow; `onChange` runs after every
  // change made through the object (and after assign/restoreDefault).
  FollowingFont(std::function<const TFont &()> defaultFont,
                std::function<void()> onChange);
  FollowingFont(const FollowingFont &) = delete;
  FollowingFont &operator=(const FollowingFont &) = delete;

  // The object itself, first refreshed from the default while unassigned.
  TFont &get();
  const TFont &get() const;
  bool assigned() const { return m_assigned; }
  // Takes the values of `source` and marks the font assigned.
  void assign(const TFont &source);
  // Clears the mark: the font follows its default again.
  void restoreDefault();

private:
  void refresh() const;

  std::function<const TFont &()> m_default;
  std::function<void()> m_onChange;
  mutable TFont m_font;
  mutable bool m_refreshing = false;
  bool m_assigned = false;
};
