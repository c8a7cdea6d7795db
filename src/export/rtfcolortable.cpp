#include "export/rtfcolortable.h"

#include <algorithm>

RtfColorTable::RtfColorTable() {
  index(clBlack);
  index(clWhite);
  index(clBtnFace);
}

int RtfColorTable::index(TColor color) {
  const TColor rgb = resolveColor(color) & 0xFFFFFF;
  const auto found = std::find(m_rgb.begin(), m_rgb.end(), rgb);
  if (found != m_rgb.end())
    return int(found - m_rgb.begin());
  m_rgb.push_back(rgb);
  return int(m_rgb.size()) - 1;
}

QByteArray RtfColorTable::text() const {
  QByteArray table = "{\\colortbl";
  for (const TColor rgb : m_rgb) {
    table += "\\red" + QByteArray::number(rgb & 0xFF);
    table += "\\green" + QByteArray::number((rgb >> 8) & 0xFF);
    table += "\\blue" + QByteArray::number((rgb >> 16) & 0xFF) + ';';
  }
  return table + '}';
}
