// Mouse input of TDBGridEh: presses on titles and data rows, tracking the
// pointer with the drag timer, title clicks and the double click.
#include "grid/dbgrideh.h"

#include "grid/readonlycelleditor.h"
#include "platform/dataset/query.h"

#include <QMouseEvent>
#include <QTimerEvent>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr int moveThreshold = 3; // pixels a title press may slide

} // namespace

bool TDBGridEh::inTitleLeafPart(QPoint point, int col) const {
  const GridCoord coord = MouseCoord(point);
  if (coord.col != col || coord.row != 0 || !TitleRowCount())
    return false;
  const THeadTreeNode *leaf = LeafNode(col - FixedColCount());
  return !leaf || point.y() >= titleNodeTop(*leaf);
}

void TDBGridEh::mousePressEvent(QMouseEvent *event) {
  if (focusPolicy() == Qt::NoFocus || !isEnabled())
    return;
  setFocus(Qt::MouseFocusReason);
  const QPoint point = event->position().toPoint();
  const Qt::MouseButton button = event->button();
  const GridCoord coord = MouseCoord(point);
  const bool dataCol =
      coord.col >= FixedColCount() && coord.col < int(m_screenWidths.size());
  if (m_state != GridState::Normal)
    return;
  m_pressPoint = point;
  const int zoneCol = sizingZoneCol(point);
  if (zoneCol >= 0) {
    if (button == Qt::LeftButton)
      startSizing(point, zoneCol);
    return;
  }
  if (TitleRowCount() && coord.row == 0) {
    if (!dataCol)
      return;
    if (button == Qt::LeftButton && inTitleLeafPart(point, coord.col))
      pressTitle(coord.col);
    else if (button == Qt::RightButton && m_options.testFlag(dgColumnResize))
      startMoving(point, coord.col);
    return;
  }
  if (coord.row >= TitleRowCount() && coord.col >= 0 && dataSetOpen())
    pressDataRow(coord);
}

void TDBGridEh::pressTitle(int col) {
  TColumnEh &column = m_columns[col - FixedColCount()];
  bool enabled = column.Title().TitleButton();
  if (enabled && OnCheckButton)
    OnCheckButton(*this, col - FixedColCount(), column, enabled);
  m_state = GridState::TitlePressed;
  m_downTitleCol = col;
  m_titleButtonDown = enabled;
  if (enabled) {
    m_pressedTitleCol = col;
    viewport()->update(CellRect(col, 0));
  }
}

void TDBGridEh::pressDataRow(GridCoord coord) {
  HideEditor();
  const int distance = coord.row - Row();
  if (distance != 0)
    moveRecords(distance);
  if (coord.col >= FixedColCount())
    moveToCol(coord.col);
  m_state = GridState::Tracking;
}

void TDBGridEh::mouseMoveEvent(QMouseEvent *event) {
  const QPoint point = event->position().toPoint();
  switch (m_state) {
  case GridState::Normal:
    updateCursor(point);
    break;
  case GridState::ColSizing:
    setDragLine(point.x() - m_sizingOffset, 1, clWhite);
    break;
  case GridState::ColMoving:
    moveDropTo(point);
    break;
  case GridState::TitlePressed:
    if (std::abs(point.x() - m_pressPoint.x()) > moveThreshold &&
        m_options.testFlag(dgColumnResize)) {
      const int col = m_downTitleCol;
      m_pressedTitleCol = -1;
      m_state = GridState::Normal;
      viewport()->update(CellRect(col, 0));
      startMoving(m_pressPoint, col);
      moveDropTo(point);
    } else if (m_titleButtonDown) {
      const int pushed =
          inTitleLeafPart(point, m_downTitleCol) ? m_downTitleCol : -1;
      if (pushed != m_pressedTitleCol) {
        m_pressedTitleCol = pushed;
        viewport()->update(CellRect(m_downTitleCol, 0));
      }
    }
    break;
  case GridState::Tracking:
    trackPointer(point);
    break;
  }
}

void TDBGridEh::trackPointer(QPoint point) {
  const QRect data(
      dataColumnsLeft(), titleAreaHeight(),
      std::max(0, viewport()->width() - dataColumnsLeft()),
      std::max(
          0, std::min(viewport()->height(),
                      titleAreaHeight() + DisplayedRecordCount() * rowStep()) -
                 titleAreaHeight()));
  if (data.contains(point)) {
    stopScrollTimer();
    const GridCoord coord = MouseCoord(point);
    if (coord.row >= TitleRowCount() && coord.row != Row())
      moveRecords(coord.row - Row());
    if (coord.col >= FixedColCount())
      moveToCol(coord.col);
    return;
  }
  // Outside the data area a timer scrolls towards the pointer, faster the
  // farther away it is.
  const int above = data.top() - point.y();
  const int below = point.y() - data.bottom();
  const int left = data.left() - point.x();
  const int right = point.x() - data.right();
  const int distance = std::max({above, below, left, right});
  m_scrollRecords = 0;
  m_scrollCols = 0;
  if (above > 0 || below > 0)
    m_scrollRecords = (above > 0 ? -1 : 1) * std::min(8, distance / 6);
  else
    m_scrollCols = left > 0 ? -1 : 1;
  startScrollTimer(std::max(0, 200 - 15 * distance));
}

void TDBGridEh::startScrollTimer(int interval) {
  if (m_scrollTimer.isActive() && interval == m_scrollInterval)
    return;
  m_scrollInterval = interval;
  m_scrollTimer.start(interval, this);
}

void TDBGridEh::stopScrollTimer() {
  m_scrollTimer.stop();
  m_scrollInterval = -1;
}

void TDBGridEh::timerEvent(QTimerEvent *event) {
  if (event->timerId() != m_scrollTimer.timerId()) {
    QAbstractScrollArea::timerEvent(event);
    return;
  }
  if (m_state == GridState::ColMoving) {
    const int left = m_leftCol + m_scrollCols;
    if (left >= FixedColCount() && left <= maxLeftCol()) {
      m_leftCol = left;
      m_dragSnapshot = QImage();
      updateScrollBars();
      m_dragSnapshot = viewport()->grab().toImage();
      viewport()->update();
    }
    return;
  }
  if (m_state != GridState::Tracking) {
    stopScrollTimer();
    return;
  }
  if (m_scrollRecords != 0)
    moveRecords(m_scrollRecords);
  if (m_scrollCols != 0)
    stepCol(m_scrollCols);
}

void TDBGridEh::mouseReleaseEvent(QMouseEvent *event) {
  const QPoint point = event->position().toPoint();
  const Qt::MouseButton button = event->button();
  if (std::exchange(m_ignoreNextRelease, false) && m_state == GridState::Normal)
    return;
  switch (m_state) {
  case GridState::ColSizing:
    if (button == Qt::LeftButton)
      endSizing(point);
    return; // a resize ends without a title click
  case GridState::ColMoving:
    endMoving();
    raiseTitleClick(point);
    return;
  case GridState::TitlePressed: {
    if (button != Qt::LeftButton)
      return;
    const int col = m_downTitleCol;
    const bool clicked = m_titleButtonDown && inTitleLeafPart(point, col);
    m_state = GridState::Normal;
    m_pressedTitleCol = -1;
    m_downTitleCol = -1;
    m_titleButtonDown = false;
    viewport()->update(CellRect(col, 0));
    if (clicked && OnTitleBtnClick)
      OnTitleBtnClick(*this, col - FixedColCount(),
                      m_columns[col - FixedColCount()]);
    break;
  }
  case GridState::Tracking: {
    stopScrollTimer();
    m_state = GridState::Normal;
    const GridCoord coord = MouseCoord(point);
    const bool fullyVisible =
        coord.row >= TitleRowCount() &&
        coord.row - TitleRowCount() < FullyVisibleRowCount();
    if (button == Qt::LeftButton && fullyVisible &&
        coord.col >= FixedColCount() && OnCellClick &&
        SelectedIndex() < m_columns.Count())
      OnCellClick(m_columns[SelectedIndex()]);
    break;
  }
  case GridState::Normal:
    break;
  }
  if (button == Qt::LeftButton)
    raiseTitleClick(point);
}

void TDBGridEh::raiseTitleClick(QPoint point) {
  if (m_editorOpen && m_editor && m_editor->isVisible() &&
      m_editor->geometry().contains(point))
    return;
  const GridCoord coord = MouseCoord(point);
  if (!TitleRowCount() || coord.row != 0 || coord.col < FixedColCount() ||
      coord.col >= int(m_screenWidths.size()))
    return;
  if (OnTitleClick)
    OnTitleClick(m_columns[coord.col - FixedColCount()]);
}

void TDBGridEh::mouseDoubleClickEvent(QMouseEvent *event) {
  if (focusPolicy() == Qt::NoFocus || !isEnabled())
    return;
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) {
    mousePressEvent(event);
    return;
  }
  if (OnDblClick)
    OnDblClick(*this);
}

void TDBGridEh::focusInEvent(QFocusEvent *event) {
  QAbstractScrollArea::focusInEvent(event);
  if (m_editorOpen && m_editor && !m_editor->isVisible()) {
    placeEditor();
    m_editor->show();
    m_editor->setFocus();
  }
  viewport()->update();
}

void TDBGridEh::focusOutEvent(QFocusEvent *event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}
