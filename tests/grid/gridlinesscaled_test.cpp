#include "showngrid.h"

#include "grid/highlightcurrentrow.h"

#include <cmath>
#include <set>

namespace {

QRgb rgbOf(TColor color) { return toQColor(color).rgb() & 0xFFFFFF; }

// A grid line: one pixel wide in grid pixels, at `at` (x of a vertical
// line, y of a horizontal one), running from `from` to `to` inclusive.
struct Line {
  bool vertical;
  int at;
  int from;
  int to;
  QRgb color;
};

// The grid drawn at `scale` device pixels per grid pixel, as on a screen
// scaled to that factor: the whole widget, so the viewport sits at a
// fractional device offset inside its frame as it does in a window. The
// current cell, in the third row, has the focus and its dotted frame.
class ScaledGridLinesTest : public ShownGrid,
                            public testing::WithParamInterface<double> {
protected:
  void SetUp() override {
    ShownGrid::SetUp();
    grid.OnDrawColumnCell = HighlightCurrentRow;
    fill(6);
    show(8);
    query.setRecNo(3);
    scale = GetParam();
    image = QImage(QSize(std::ceil(grid.width() * scale),
                         std::ceil(grid.height() * scale)),
                   QImage::Format_RGB32);
    image.fill(Qt::magenta); // shows where nothing was painted
    image.setDevicePixelRatio(scale);
    grid.render(&image);
    origin = view()->mapTo(&grid, QPoint(0, 0));
  }

  // Device pixels covering grid pixels [first, last] of the viewport along
  // one axis: those any share of them falls on.
  std::pair<int, int> span(int first, int last, int offset) const {
    return {int(std::floor((offset + first) * scale)),
            int(std::ceil((offset + last + 1) * scale)) - 1};
  }
  // Device pixels lying wholly on grid pixels [first, last].
  std::pair<int, int> inner(int first, int last, int offset) const {
    return {int(std::ceil((offset + first) * scale)),
            int(std::floor((offset + last + 1) * scale)) - 1};
  }

  QRgb at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }

  // Device rows (columns) along the line where no device pixel across it
  // has the line's colour; the line's ends, where it meets others, are
  // left out.
  std::vector<int> gapsIn(const Line &line) const {
    const int across = line.vertical ? origin.x() : origin.y();
    const int along = line.vertical ? origin.y() : origin.x();
    const auto [low, high] = span(line.at, line.at, across);
    const auto [first, last] = inner(line.from, line.to, along);
    std::vector<int> gaps;
    for (int a = first + 1; a < last; ++a) {
      bool drawn = false;
      for (int c = low; c <= high && !drawn; ++c)
        drawn = (line.vertical ? at(c, a) : at(a, c)) == line.color;
      if (!drawn)
        gaps.push_back(a);
    }
    return gaps;
  }

  double scale = 1;
  QImage image;
  QPoint origin;
};

TEST_P(ScaledGridLinesTest, EveryGridLineShowsAlongItsWholeLength) {
  const QRgb black = rgbOf(clBlack);
  const QRgb silver = rgbOf(clSilver);
  const int titleLine = grid.CellRect(1, 0).bottom() + 1;
  const int dataBottom = grid.CellRect(1, 6).bottom(); // last row's line
  const int dataRight = grid.CellRect(3, 1).right();   // last column's line
  ASSERT_EQ(titleLine, 19);
  std::vector<Line> lines;
  const int indicatorLine = grid.CellRect(0, 1).right() + 1;
  lines.push_back({true, indicatorLine, 0, dataBottom + 1, black});
  for (int col = 1; col <= 3; ++col) {
    const int x = grid.CellRect(col, 1).right() + 1;
    lines.push_back({true, x, 0, titleLine - 1, black});
    lines.push_back({true, x, titleLine + 1, dataBottom + 1, silver});
  }
  lines.push_back({false, titleLine, 0, dataRight + 1, black});
  for (int row = 1; row <= 6; ++row) {
    const int y = grid.CellRect(1, row).bottom() + 1;
    lines.push_back({false, y, 0, indicatorLine - 1, black});
    lines.push_back({false, y, indicatorLine + 1, dataRight + 1, silver});
  }
  for (const Line &line : lines) {
    const std::vector<int> gaps = gapsIn(line);
    EXPECT_TRUE(gaps.empty())
        << (line.vertical ? "vertical line x=" : "horizontal line y=")
        << line.at << " from " << line.from << " to " << line.to
        << ": missing at " << gaps.size() << " device pixels from "
        << gaps.front();
  }
}

// Across the indicator column every device row is either plain or a line
// from edge to edge: no stub of a line that cells painted over in part.
TEST_P(ScaledGridLinesTest, IndicatorColumnHoldsNoLineStubs) {
  const QRgb fixed = rgbOf(clActiveBorder);
  const QRect arrowCell = grid.CellRect(0, grid.Row());
  const auto [left, right] = inner(0, arrowCell.right(), origin.x());
  const auto [top, bottom] = inner(0, grid.CellRect(0, 6).bottom(), origin.y());
  const auto [arrowTop, arrowBottom] =
      span(arrowCell.top(), arrowCell.bottom(), origin.y());
  for (int y = top; y <= bottom; ++y) {
    if (y >= arrowTop && y <= arrowBottom)
      continue;
    std::set<QRgb> colors;
    for (int x = left; x <= right; ++x)
      colors.insert(at(x, y));
    std::string held;
    for (const QRgb color : colors)
      held += " #" + QString::number(color, 16).toStdString();
    EXPECT_TRUE(colors == std::set<QRgb>{fixed} ||
                colors == std::set<QRgb>{rgbOf(clBlack)})
        << "device row " << y << " holds" << held;
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledGridLinesTest,
                         testing::Values(1.0, 1.25, 1.5, 1.75, 2.0),
                         [](const testing::TestParamInfo<double> &info) {
                           return "Percent" +
                                  std::to_string(int(info.param * 100));
                         });

} // namespace
