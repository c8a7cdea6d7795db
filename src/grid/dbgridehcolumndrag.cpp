// Column sizing and column moving of TDBGridEh. While a drag runs the grid
// shows a snapshot of itself taken when the drag began and draws only the
// inverting line over it, never the cells.
#include "grid/dbgrideh.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int zoneLeft = 3;  // pixels left of a column's right line
constexpr int zoneRight = 4; // pixels right of it
constexpr int moveLineWidth = 5;
constexpr int moveScrollInterval = 60;

} // namespace

int TDBGridEh::sizingZoneCol(QPoint point) const {
  if (!m_options.testFlag(dgColumnResize) || !TitleRowCount() ||
      point.y() < 0 || point.y() >= titleAreaHeight() ||
      point.x() < dataColumnsLeft())
    return -1;
  // The rightmost zone wins, so a column made very narrow can still be
  // widened by its own border.
  int found = -1;
  int x = dataColumnsLeft();
  for (int col = m_leftCol;
       col < int(m_screenWidths.size()) && x < viewport()->width(); ++col) {
    const int width = m_screenWidths[size_t(col)];
    if (width <= 0)
      continue;
    const int line = x + width;
    const bool inZone =
        ColLineWidth() >= zoneLeft + zoneRight
            ? point.x() >= line && point.x() < line + ColLineWidth()
            : point.x() >= line - zoneLeft && point.x() < line + zoneRight;
    if (inZone)
      found = col;
    x = line + ColLineWidth();
  }
  return found;
}

void TDBGridEh::updateCursor(QPoint point) {
  if (sizingZoneCol(point) >= 0)
    viewport()->setCursor(Qt::SplitHCursor);
  else
    viewport()->unsetCursor(); // the grid's own cursor
}

void TDBGridEh::startSizing(QPoint point, int col) {
  HideEditor();
  m_state = GridState::ColSizing;
  m_dragCol = col;
  const int border = columnLeft(col) + m_screenWidths[size_t(col)];
  m_sizingOffset = point.x() - border;
  m_dragSnapshot = viewport()->grab().toImage();
  viewport()->setCursor(Qt::SplitHCursor);
  setDragLine(border, 1, clWhite);
}

void TDBGridEh::endSizing(QPoint point) {
  const int line = point.x() - m_sizingOffset;
  const int col = m_dragCol;
  cancelDrag();
  m_ignoreNextRelease = false;
  const int width = line - columnLeft(col);
  // A column cannot be closed up by dragging: 1 pixel or less is ignored.
  if (width > 1)
    m_columns[col - FixedColCount()].setWidth(width);
}

void TDBGridEh::startMoving(QPoint point, int col) {
  HideEditor();
  m_state = GridState::ColMoving;
  m_dragCol = col;
  m_dropCol = col;
  m_dragSnapshot = viewport()->grab().toImage();
  moveDropTo(point);
}

int TDBGridEh::dropLineX(int dropCol) const {
  const int left = columnLeft(dropCol);
  return dropCol > m_dragCol ? left + m_screenWidths[size_t(dropCol)] : left;
}

void TDBGridEh::moveDropTo(QPoint point) {
  // Right edge of the last column shown whole; columns only partly shown
  // at the right count as beyond it.
  const int dataLeft = dataColumnsLeft();
  int dataRight = dataLeft;
  for (int col = m_leftCol; col < int(m_screenWidths.size()); ++col) {
    const int right =
        dataRight + std::max(0, m_screenWidths[size_t(col)] + ColLineWidth());
    if (right > viewport()->width() && dataRight > dataLeft)
      break;
    dataRight = right;
  }
  // Over the indicator or beyond the last column the columns scroll.
  if (point.x() < dataLeft || point.x() >= dataRight) {
    m_scrollCols = point.x() < dataLeft ? -1 : 1;
    startScrollTimer(moveScrollInterval);
  } else {
    stopScrollTimer();
  }
  const GridCoord coord = MouseCoord(
      QPoint(std::clamp(point.x(), dataLeft, std::max(dataLeft, dataRight - 1)),
             0));
  if (coord.col >= FixedColCount())
    m_dropCol = coord.col;
  setDragLine(dropLineX(m_dropCol) - moveLineWidth / 2, moveLineWidth,
              clSilver);
}

void TDBGridEh::endMoving() {
  const int from = m_dragCol - FixedColCount();
  const int to = m_dropCol - FixedColCount();
  cancelDrag();
  m_ignoreNextRelease = false;
  if (from == to || to < 0)
    return;
  m_columns.Move(from, to);
  if (OnColumnMoved)
    OnColumnMoved(*this, from, to);
}

void TDBGridEh::cancelDrag() {
  stopScrollTimer();
  setDragLine(-1, 1, clWhite);
  m_dragSnapshot = QImage();
  m_state = GridState::Normal;
  m_dragCol = -1;
  m_dropCol = -1;
  // The release that ends a cancelled drag clicks nothing.
  m_ignoreNextRelease = true;
  viewport()->unsetCursor();
  viewport()->update();
}

void TDBGridEh::setDragLine(int x, int width, TColor xorColor) {
  const int height = viewport()->height();
  if (m_dragLineX >= 0 || m_dragLineWidth > 0)
    viewport()->update(QRect(m_dragLineX, 0, m_dragLineWidth, height));
  m_dragLineX = x;
  m_dragLineWidth = x >= 0 ? width : 0;
  m_dragLineXor = xorColor;
  if (m_dragLineWidth > 0)
    viewport()->update(QRect(x, 0, width, height));
}

void TDBGridEh::paintDragLine(QPainter &painter, const QRect &area) {
  painter.drawImage(area.topLeft(), m_dragSnapshot, area);
  if (m_dragLineWidth <= 0)
    return;
  // A sizing line runs to the bottom of the last row, a moving line over
  // the whole client height.
  const int bottom = m_state == GridState::ColSizing
                         ? titleAreaHeight() + DisplayedRecordCount() * rowStep()
                         : viewport()->height();
  const QRect line =
      QRect(m_dragLineX, 0, m_dragLineWidth, bottom).intersected(area);
  if (line.isEmpty())
    return;
  QImage strip = m_dragSnapshot.copy(line).convertToFormat(QImage::Format_RGB32);
  const QRgb invert = toQColor(m_dragLineXor).rgb() & 0xFFFFFF;
  for (int y = 0; y < strip.height(); ++y) {
    if ((line.top() + y) % 2)
      continue; // dotted
    QRgb *pixels = reinterpret_cast<QRgb *>(strip.scanLine(y));
    for (int x = 0; x < strip.width(); ++x)
      pixels[x] ^= invert;
  }
  painter.drawImage(line.topLeft(), strip);
}
