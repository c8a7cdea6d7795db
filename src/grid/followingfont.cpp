#include "grid/followingfont.h"

FollowingFont::FollowingFont(std::function<const TFont &()> defaultFont,
                             std::function<void()> onChange)
    : m_default(std::move(defaultFont)), m_onChange(std::move(onChange)) {
  m_font.OnChange = [this] {
    if (m_refreshing)
      return;
    m_assigned = true;
    if (m_onChange)
      m_onChange();
  };
}

void FollowingFont::refresh() const {
  if (m_assigned)
    return;
  const TFont &source = m_default();
  if (m_font.sameAs(source))
    return;
  m_refreshing = true;
  m_font.Assign(source);
  m_refreshing = false;
}

TFont &FollowingFont::get() {
  refresh();
  return m_font;
}

const TFont &FollowingFont::get() const {
  refresh();
  return m_font;
}

void FollowingFont::assign(const TFont &source) {
  m_refreshing = true;
  m_font.Assign(source);
  m_refreshing = false;
  m_assigned = true;
  if (m_onChange)
    m_onChange();
}

void FollowingFont::restoreDefault() {
  if (!m_assigned)
    return;
  m_assigned = false;
  if (m_onChange)
    m_onChange();
}
