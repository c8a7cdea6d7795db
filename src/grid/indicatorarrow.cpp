#include "grid/indicatorarrow.h"

#include <algorithm>

namespace {

QImage makeArrow() {
  constexpr int width = 6;
  constexpr int height = 11;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  for (int y = 0; y < height; ++y) {
    const int run = std::min(y, height - 1 - y) + 1;
    for (int x = 0; x < run; ++x)
      image.setPixel(x, y, qRgb(0, 0, 0));
  }
  return image;
}

} // namespace

const QImage &indicatorArrow() {
  static const QImage arrow = makeArrow();
  return arrow;
}
