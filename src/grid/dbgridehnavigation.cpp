// Keyboard navigation, the wheel and the scroll bars of TDBGridEh: every
// record move is a cursor move of the dataset.
#include "grid/dbgrideh.h"

#include "platform/dataset/query.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int wheelStep = 120;

// Adds `delta` to the rotation kept in `remainder` and takes the full steps
// out of it, positive away from the user; the rest carries over.
int takeWheelSteps(int &remainder, int delta) {
  remainder += delta;
  const int steps = remainder / wheelStep;
  remainder -= steps * wheelStep;
  return steps;
}

// Keys of a grid that cannot edit, delete or use the clipboard: they do
// nothing, silently.
bool refusedKey(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_Insert || key == Qt::Key_Delete)
    return true;
  if (!(modifiers & Qt::ControlModifier))
    return false;
  return key == Qt::Key_C || key == Qt::Key_X || key == Qt::Key_V ||
         key == Qt::Key_A;
}

} // namespace

bool TDBGridEh::dataSetOpen() const {
  const Query *dataSet = DataSet();
  return dataSet && dataSet->active();
}

bool TDBGridEh::focusNextPrevChild(bool next) {
  // With dgTabs the grid keeps Tab for moving between records.
  if (m_options.testFlag(dgTabs))
    return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

void TDBGridEh::keyPressEvent(QKeyEvent *event) {
  int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (OnKeyDown)
    OnKeyDown(*this, key, modifiers);
  event->accept();
  if (key == 0)
    return;
  if (key == Qt::Key_Escape) {
    if (m_state == GridState::ColSizing || m_state == GridState::ColMoving)
      cancelDrag();
    else
      HideEditor();
    return;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (m_editorOpen)
      HideEditor();
    else
      ShowEditor(true);
    return;
  }
  if (key == Qt::Key_F2) {
    ShowEditor(false);
    return;
  }
  if (refusedKey(key, modifiers))
    return;
  const QString text = event->text();
  const bool command = modifiers & (Qt::ControlModifier | Qt::AltModifier);
  if (!command &&
      (key == Qt::Key_Backspace || (!text.isEmpty() && text[0].isPrint()))) {
    typeIntoGrid(text);
    return;
  }
  if (dataSetOpen())
    navigationKey(key, modifiers);
}

void TDBGridEh::navigationKey(int key, Qt::KeyboardModifiers modifiers) {
  Query &dataSet = *DataSet();
  const bool ctrl = modifiers & Qt::ControlModifier;
  const int window = std::min(FullyVisibleRowCount(), DisplayedRecordCount());
  const int topDistance = m_topRecord - dataSet.currentPosition();
  switch (key) {
  case Qt::Key_Up:
    moveRecords(ctrl ? topDistance : -1);
    break;
  case Qt::Key_Down:
    moveRecords(ctrl ? topDistance + window - 1 : 1);
    break;
  case Qt::Key_PageUp:
    moveRecords(ctrl ? topDistance : -FullyVisibleRowCount());
    break;
  case Qt::Key_PageDown:
    moveRecords(ctrl ? topDistance + window - 1 : FullyVisibleRowCount());
    break;
  case Qt::Key_Home:
  case Qt::Key_End: {
    // With a single data column Home and End move between records.
    const bool home = key == Qt::Key_Home;
    if (ctrl || firstDataCol() == lastDataCol())
      home ? dataSet.first() : dataSet.last();
    else
      moveToCol(home ? firstDataCol() : lastDataCol());
    break;
  }
  case Qt::Key_Left:
    if (ctrl)
      moveToCol(firstDataCol());
    else
      stepCol(-1);
    break;
  case Qt::Key_Right:
    if (ctrl)
      moveToCol(lastDataCol());
    else
      stepCol(1);
    break;
  case Qt::Key_Tab:
    // No column of a read-only grid is a tab stop: the search for one
    // steps past the last column into the next record and comes back to
    // the starting column.
    if (!(modifiers & Qt::AltModifier))
      moveRecords(1);
    break;
  case Qt::Key_Backtab:
    if (!(modifiers & Qt::AltModifier))
      moveRecords(-1);
    break;
  default:
    break;
  }
}

void TDBGridEh::moveRecords(int distance) {
  if (distance != 0 && dataSetOpen())
    DataSet()->moveBy(distance);
}

int TDBGridEh::firstDataCol() const {
  for (int col = FixedColCount(); col < int(m_screenWidths.size()); ++col)
    if (m_screenWidths[size_t(col)] > 0)
      return col;
  return m_col;
}

int TDBGridEh::lastDataCol() const {
  for (int col = int(m_screenWidths.size()) - 1; col >= FixedColCount(); --col)
    if (m_screenWidths[size_t(col)] > 0)
      return col;
  return m_col;
}

void TDBGridEh::stepCol(int direction) {
  for (int col = m_col + direction;
       col >= FixedColCount() && col < int(m_screenWidths.size());
       col += direction)
    if (m_screenWidths[size_t(col)] > 0) {
      moveToCol(col);
      return;
    }
}

void TDBGridEh::moveToCol(int col) {
  if (col == m_col || col < FixedColCount() ||
      col >= int(m_screenWidths.size()))
    return;
  if (OnColExit)
    OnColExit(*this);
  HideEditor();
  m_col = col;
  scrollColIntoView(col);
  viewport()->update();
  if (OnColEnter)
    OnColEnter(*this);
}

int TDBGridEh::maxLeftCol() const {
  // The leftmost first column with which the last columns fill the client
  // width.
  const int room = viewport()->width() - dataColumnsLeft();
  int used = 0;
  int left = int(m_screenWidths.size());
  while (left > FixedColCount()) {
    const int width = m_screenWidths[size_t(left - 1)] + ColLineWidth();
    if (used + width > room && used > 0)
      break;
    used += width;
    --left;
  }
  return std::max(FixedColCount(), std::min(left, lastDataCol()));
}

void TDBGridEh::scrollColIntoView(int col) {
  if (col < m_leftCol) {
    m_leftCol = col;
  } else {
    const int room = viewport()->width();
    while (m_leftCol < col &&
           columnLeft(col) + m_screenWidths[size_t(col)] > room)
      ++m_leftCol;
  }
  m_leftCol = std::min(m_leftCol, std::max(maxLeftCol(), col));
  updateScrollBars();
}

void TDBGridEh::updateScrollBars() {
  // Values set here show the grid's state; they are no user moves.
  const QScopedValueRollback updating(m_updatingScrollBars, true);
  QScrollBar *vertical = verticalScrollBar();
  const Query *dataSet = DataSet();
  if (dataSetOpen()) {
    // Record positions: range 1 to count + page - 1 with a page of the
    // fully visible rows. Qt counts the page outside the range, so the
    // last thumb position is the record count.
    const int page = FullyVisibleRowCount();
    vertical->setRange(1, std::max(1, dataSet->recordCount()));
    vertical->setPageStep(page);
    vertical->setSingleStep(1);
    vertical->setValue(dataSet->recNo());
  } else {
    vertical->setRange(0, 0);
  }
  QScrollBar *horizontal = horizontalScrollBar();
  const int maxLeft = maxLeftCol();
  m_leftCol = std::clamp(m_leftCol, FixedColCount(), maxLeft);
  horizontal->setRange(0, maxLeft - FixedColCount());
  horizontal->setPageStep(1);
  horizontal->setValue(m_leftCol - FixedColCount());
}

void TDBGridEh::scrollContentsBy(int, int) {
  // The vertical bar shows record positions and moves the dataset through
  // its actions; the horizontal one scrolls whole data columns.
  const int left = horizontalScrollBar()->value() + FixedColCount();
  if (left != m_leftCol) {
    m_leftCol = left;
    placeEditor();
    viewport()->update();
  }
}

void TDBGridEh::verticalScrollAction(int action) {
  if (!dataSetOpen())
    return;
  setFocus();
  Query &dataSet = *DataSet();
  const int position = dataSet.currentPosition();
  const int bottom = m_topRecord + DisplayedRecordCount() - 1;
  switch (action) {
  case QAbstractSlider::SliderSingleStepSub:
    moveRecords(m_topRecord - 1 - position);
    break;
  case QAbstractSlider::SliderSingleStepAdd:
    moveRecords(bottom + 1 - position);
    break;
  case QAbstractSlider::SliderPageStepSub:
    moveRecords(-FullyVisibleRowCount());
    break;
  case QAbstractSlider::SliderPageStepAdd:
    moveRecords(FullyVisibleRowCount());
    break;
  case QAbstractSlider::SliderToMinimum:
    dataSet.first();
    break;
  case QAbstractSlider::SliderToMaximum:
    dataSet.last();
    break;
  default:
    // Dragging the thumb moves nothing until it is released.
    return;
  }
  verticalScrollBar()->setSliderPosition(dataSet.recNo());
}

void TDBGridEh::verticalBarValueChanged() {
  // A position given to the bar from outside its actions (its context
  // menu's "Scroll here" sets it straight away) moves the dataset as a
  // released thumb does; a thumb being dragged moves nothing yet.
  if (m_updatingScrollBars || verticalScrollBar()->isSliderDown())
    return;
  moveToVerticalBarPosition();
}

void TDBGridEh::moveToVerticalBarPosition() {
  if (!dataSetOpen())
    return;
  setFocus();
  Query &dataSet = *DataSet();
  const int position = verticalScrollBar()->sliderPosition();
  if (position <= 1)
    dataSet.first();
  else if (position >= dataSet.recordCount())
    dataSet.last();
  else
    dataSet.setRecNo(position);
  updateScrollBars();
}

void TDBGridEh::wheelEvent(QWheelEvent *event) {
  event->accept();
  // Every full step toward the user moves one record forward.
  const int steps = takeWheelSteps(m_wheelRemainder, event->angleDelta().y());
  if (steps != 0 && dataSetOpen())
    moveRecords(-steps);
}

void TDBGridEh::wheelOverHorizontalBar(const QWheelEvent &event) {
  // Every full step scrolls one data column; a tilt of the wheel counts
  // where the wheel itself does not turn.
  const QPoint delta = event.angleDelta();
  const int steps =
      takeWheelSteps(m_columnWheelRemainder, delta.y() ? delta.y() : delta.x());
  QScrollBar *bar = horizontalScrollBar();
  if (steps != 0)
    bar->setValue(bar->value() - steps);
}
