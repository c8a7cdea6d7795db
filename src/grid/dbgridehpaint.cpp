// Painting of TDBGridEh: grid lines, the top-left cell, titles, the
// indicator column, data cells and the empty area.
#include "grid/dbgrideh.h"

#include "grid/celldisplaytext.h"
#include "grid/drawcelltext.h"
#include "grid/indicatorarrow.h"
#include "grid/systemcolors.h"
#include "platform/dataset/query.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

namespace {

// On a screen scaled by a fraction a grid pixel covers parts of device
// pixels. Lines and frames are placed on whole device pixels, so that
// rounding cannot lose them or let them reach a neighbour.
enum class Cover { Touched, Whole };

// The device pixels that the grid pixels of `rect` touch, or those lying
// wholly on them, as a rectangle in grid coordinates.
QRectF devicePixelsOf(const QPainter &painter, const QRect &rect, Cover cover) {
  const QTransform &toDevice = painter.deviceTransform();
  const QRectF device = toDevice.mapRect(QRectF(rect));
  constexpr double slack = 1e-6; // rounding noise of the scaling
  const auto down = [](double v) { return std::floor(v + slack); };
  const auto up = [](double v) { return std::ceil(v - slack); };
  const bool touched = cover == Cover::Touched;
  const QRectF whole(
      QPointF(touched ? down(device.left()) : up(device.left()),
              touched ? down(device.top()) : up(device.top())),
      QPointF(touched ? up(device.right()) : down(device.right()),
              touched ? up(device.bottom()) : down(device.bottom())));
  return toDevice.inverted().mapRect(whole);
}

// Fills the grid pixels of every line with `color` in one call, each line
// grown to every device pixel it touches. A one-pixel pen could land on a
// device pixel that the cell beside the line paints over afterwards; a
// cell rounds its edges to the nearest device pixel, which leaves each
// grown line at least one device pixel of its own.
void fillGridPixels(QPainter &painter, const std::vector<QRect> &lines,
                    TColor color) {
  std::vector<QRectF> rects;
  rects.reserve(lines.size());
  for (const QRect &line : lines)
    rects.push_back(devicePixelsOf(painter, line, Cover::Touched));
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(toQColor(color));
  painter.drawRects(rects.data(), int(rects.size()));
  painter.restore();
}

// The grid pixels of a line one pixel wide from (x1, y1) to (x2, y2), both
// ends included.
QRect linePixels(int x1, int y1, int x2, int y2) {
  return QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
}

// Inverts every other device pixel along the edge of the device pixels
// lying wholly in `cell`: the dotted focus frame, which shows on any colour
// and stays off the grid lines around the cell.
void drawFocusFrame(QPainter &painter, const QRect &cell) {
  const QRectF inside = devicePixelsOf(painter, cell, Cover::Whole);
  // A cosmetic pen along the top-left corners of the edge pixels, nudged a
  // little inward so that rounding noise cannot move it to their
  // neighbours.
  const QTransform &toDevice = painter.deviceTransform();
  const double pixelX = 1 / toDevice.m11();
  const double pixelY = 1 / toDevice.m22();
  constexpr double nudge = 0.01;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  QPen pen(Qt::white, 0);
  pen.setDashPattern({1, 1});
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(inside.adjusted(nudge * pixelX, nudge * pixelY,
                                   (nudge - 1) * pixelX, (nudge - 1) * pixelY));
  painter.restore();
}

} // namespace

// What one repaint covers: the displayed data columns with their left
// edges, the displayed records, and the edges of the four areas (each
// right or bottom edge includes the grid line after the last cell).
struct TDBGridEh::PaintFrame {
  std::vector<int> cols;
  std::vector<int> lefts;
  int fixedRight = 0;
  int dataRight = 0;
  int titleBottom = 0;
  int rows = 0;
  int dataBottom = 0;
};

TDBGridEh::PaintFrame TDBGridEh::paintFrame() const {
  PaintFrame frame;
  frame.fixedRight = dataColumnsLeft();
  frame.dataRight = frame.fixedRight;
  const int clientWidth = viewport()->width();
  for (int col = m_leftCol;
       col < int(m_screenWidths.size()) && frame.dataRight < clientWidth;
       ++col) {
    const int width = m_screenWidths[size_t(col)];
    if (width <= 0)
      continue;
    frame.cols.push_back(col);
    frame.lefts.push_back(frame.dataRight);
    frame.dataRight += width + ColLineWidth();
  }
  frame.titleBottom = titleAreaHeight();
  frame.rows = DisplayedRecordCount();
  frame.dataBottom = frame.titleBottom + frame.rows * rowStep();
  return frame;
}

void TDBGridEh::paintEvent(QPaintEvent *event) {
  QPainter painter(viewport());
  Query *dataSet = DataSet();
  m_canvas.Painter = &painter;
  const auto finish = qScopeGuard([&] {
    m_canvas.Painter = nullptr;
    m_drawingRecord = -1;
    if (dataSet)
      dataSet->clearActiveRecord();
  });
  const QRegion &region = event->region();
  if (!m_dragSnapshot.isNull()) {
    paintDragLine(painter, event->rect());
    return;
  }
  const PaintFrame frame = paintFrame();
  paintGridLines(painter, frame);
  if (TitleRowCount() && FixedColCount()) {
    const QRect topLeft = CellRect(0, 0);
    if (region.intersects(topLeft))
      painter.fillRect(topLeft, toQColor(m_fixedColor));
  }
  paintTitleCells(region, frame);
  paintIndicatorCells(region, frame);
  paintDataRows(region, frame);
  paintEmptyArea(painter, frame);
}

void TDBGridEh::paintGridLines(QPainter &painter,
                               const PaintFrame &frame) const {
  const int colLine = ColLineWidth();
  const int rowLine = RowLineWidth();
  if (colLine == 0 && rowLine == 0)
    return;
  // Every line is centred on the pixel after its cell; the lines of one
  // area go out in one call.
  const size_t capacity = std::max(frame.cols.size(), size_t(frame.rows)) + 3;
  std::vector<QRect> fixedLines;
  std::vector<QRect> dataLines;
  fixedLines.reserve(capacity * 2);
  dataLines.reserve(capacity * 2);
  const int bottom = frame.dataBottom - 1;

  // Top-left area and indicator column.
  for (int col = 0; col < FixedColCount(); ++col) {
    const int x = columnLeft(col) + m_screenWidths[size_t(col)];
    if (colLine)
      fixedLines.push_back(
          linePixels(x, 0, x, std::max(bottom, frame.titleBottom - 1)));
  }
  if (rowLine && FixedColCount()) {
    if (TitleRowCount())
      fixedLines.push_back(linePixels(0, m_titleRowHeight, frame.fixedRight - 1,
                                      m_titleRowHeight));
    for (int row = 1; row <= frame.rows; ++row) {
      const int y = frame.titleBottom + row * rowStep() - 1;
      fixedLines.push_back(linePixels(0, y, frame.fixedRight - 1, y));
    }
  }
  // Title row right of the indicator.
  if (TitleRowCount()) {
    for (size_t i = 0; i < frame.cols.size() && colLine; ++i) {
      const int col = frame.cols[i];
      const int x = frame.lefts[i] + m_screenWidths[size_t(col)];
      const THeadTreeNode *node = LeafNode(col - FixedColCount());
      // A line closing a group reaches up through the group's cell.
      while (node && node->Parent() && node->Parent()->Parent() &&
             node->Parent()->indexOf(node) == node->Parent()->ChildCount() - 1)
        node = node->Parent();
      const int top = node ? titleNodeTop(*node) : 0;
      fixedLines.push_back(linePixels(x, top, x, m_titleRowHeight));
    }
    if (rowLine)
      fixedLines.push_back(linePixels(frame.fixedRight, m_titleRowHeight,
                                      frame.dataRight - 1, m_titleRowHeight));
  }
  // Data area.
  if (frame.rows > 0) {
    for (size_t i = 0; i < frame.cols.size() && colLine; ++i) {
      const int x = frame.lefts[i] + m_screenWidths[size_t(frame.cols[i])];
      dataLines.push_back(linePixels(x, frame.titleBottom, x, bottom));
    }
    for (int row = 1; row <= frame.rows && rowLine; ++row) {
      const int y = frame.titleBottom + row * rowStep() - 1;
      dataLines.push_back(
          linePixels(frame.fixedRight, y, frame.dataRight - 1, y));
    }
  }
  fillGridPixels(painter, fixedLines, m_flat ? clGray : clBlack);
  fillGridPixels(painter, dataLines,
                 resolveColor(m_color) == clSilver ? clGray : clSilver);
}

int TDBGridEh::titleNodeTop(const THeadTreeNode &node) const {
  int top = 0;
  for (const THeadTreeNode *parent = node.Parent(); parent && parent->Parent();
       parent = parent->Parent())
    top += parent->Height;
  return top;
}

void TDBGridEh::paintTitleCells(const QRegion &region,
                                const PaintFrame &frame) {
  if (!TitleRowCount())
    return;
  const bool multiTitle = m_titleTree != nullptr;
  const int dy = m_flat ? 1 : 2;
  for (size_t i = 0; i < frame.cols.size(); ++i) {
    const int col = frame.cols[i];
    TColumnEh &column = m_columns[col - FixedColCount()];
    QRect rect(frame.lefts[i], 0, m_screenWidths[size_t(col)],
               m_titleRowHeight);
    const THeadTreeNode *leaf = LeafNode(col - FixedColCount());
    if (multiTitle && leaf)
      rect.setTop(titleNodeTop(*leaf));
    if (!region.intersects(rect))
      continue;
    TColumnTitleEh &title = column.Title();
    m_canvas.Font.Assign(title.Font());
    m_canvas.Brush.Color = title.Color();
    m_canvas.Brush.Style = bsSolid;
    const bool pushed = col == m_pressedTitleCol;
    const int shift =
        pushed
            ? (m_useMultiTitle || m_titleLines > 0 || m_titleHeight > 0 ? 2 : 1)
            : 0;
    QPainter &painter = *m_canvas.Painter;
    QRect textRect = rect;
    if (shift) {
      painter.fillRect(rect, toQColor(m_canvas.Brush.Color));
      painter.setClipRect(rect);
      textRect.translate(shift, shift);
    }
    if (multiTitle && leaf)
      DrawCellText(m_canvas, textRect, 2, dy, leaf->Text, taCenter, tlCenter,
                   true, title.EndEllipsis(), 0, leaf->Indent, false);
    else if (m_titleLines > 0 || m_titleHeight > 0)
      DrawCellText(m_canvas, textRect, 2, dy, title.Caption(),
                   title.Alignment(), tlCenter, true, title.EndEllipsis(), 0, 0,
                   false);
    else
      DrawCellText(m_canvas, textRect, 2, dy, title.Caption(),
                   title.Alignment(), tlTop, false, title.EndEllipsis(), 0, 0,
                   false);
    painter.setClipping(false);
  }
  if (multiTitle)
    paintTitleGroups(region, frame);
}

void TDBGridEh::paintTitleGroups(const QRegion &region,
                                 const PaintFrame &frame) {
  std::vector<const THeadTreeNode *> painted;
  QPainter &painter = *m_canvas.Painter;
  const QRect titleArea(frame.fixedRight, 0, frame.dataRight - frame.fixedRight,
                        m_titleRowHeight);
  for (int col : frame.cols) {
    const THeadTreeNode *leaf = LeafNode(col - FixedColCount());
    if (!leaf)
      continue;
    for (const THeadTreeNode *group = leaf->Parent(); group && group->Parent();
         group = group->Parent()) {
      if (std::find(painted.begin(), painted.end(), group) != painted.end())
        continue;
      painted.push_back(group);
      const THeadTreeNode *first = group;
      while (first->ChildCount())
        first = first->Child(0);
      const int firstCol =
          first->Column ? first->Column->Index() + FixedColCount() : col;
      const QRect rect(columnLeft(firstCol), titleNodeTop(*group), group->Width,
                       group->Height - RowLineWidth());
      if (!region.intersects(rect))
        continue;
      painter.setClipRect(titleArea);
      m_canvas.Font.Assign(m_titleFont);
      m_canvas.Brush.Color = m_fixedColor;
      m_canvas.Brush.Style = bsSolid;
      DrawCellText(m_canvas, rect, 2, m_flat ? 1 : 2, group->Text, taCenter,
                   tlCenter, true, false, 0, 0, false);
      if (RowLineWidth())
        fillGridPixels(
            painter,
            {linePixels(rect.left(), rect.bottom() + 1,
                        rect.right() + ColLineWidth(), rect.bottom() + 1)},
            m_flat ? clGray : clBlack);
      painter.setClipping(false);
    }
  }
}

void TDBGridEh::paintIndicatorCells(const QRegion &region,
                                    const PaintFrame &frame) {
  if (!FixedColCount())
    return;
  QPainter &painter = *m_canvas.Painter;
  const Query *dataSet = DataSet();
  const int current =
      dataSet && dataSet->active() ? Row() - TitleRowCount() : -1;
  for (int record = 0; record < frame.rows; ++record) {
    const QRect rect = CellRect(0, TitleRowCount() + record);
    if (!region.intersects(rect))
      continue;
    painter.fillRect(rect, toQColor(m_fixedColor));
    if (record == current) {
      const int right = rect.left() + rect.width();
      const int bottom = rect.top() + rect.height();
      painter.drawImage(QPoint(right - 6 - 2, (rect.top() + bottom - 11) / 2),
                        indicatorArrow());
    }
  }
}

void TDBGridEh::paintDataRows(const QRegion &region, const PaintFrame &frame) {
  Query *dataSet = DataSet();
  if (!dataSet || frame.rows == 0)
    return;
  const int current = Row() - TitleRowCount();
  const bool activeControl = window()->focusWidget() == this || ownsFocus();
  for (int record = 0; record < frame.rows; ++record) {
    const int top = frame.titleBottom + record * rowStep();
    if (!region.intersects(QRect(frame.fixedRight, top,
                                 frame.dataRight - frame.fixedRight,
                                 m_dataRowHeight)))
      continue;
    m_drawingRecord = record;
    dataSet->setActiveRecord(m_topRecord + record);
    for (size_t i = 0; i < frame.cols.size(); ++i) {
      const int col = frame.cols[i];
      const QRect rect(frame.lefts[i], top, m_screenWidths[size_t(col)],
                       m_dataRowHeight);
      if (!region.intersects(rect))
        continue;
      TGridDrawState state;
      if (record == current && col == m_col) {
        state |= gdSelected;
        if (activeControl)
          state |= gdFocused;
      }
      paintDataCell(rect, col, m_columns[col - FixedColCount()], state);
    }
  }
  m_drawingRecord = -1;
  dataSet->clearActiveRecord();
}

void TDBGridEh::paintDataCell(const QRect &rect, int col, TColumnEh &column,
                              TGridDrawState state) {
  m_canvas.Font.Assign(column.Font());
  m_canvas.Brush.Color = column.Color();
  m_canvas.Brush.Style = bsSolid;
  TColCellParamsEh params;
  params.Text = CellDisplayText(column);
  params.Alignment = column.Alignment();
  params.Background = m_canvas.Brush.Color;
  params.Font = &m_canvas.Font;
  params.State = state;
  params.Col = col;
  params.Row = TitleRowCount() + m_drawingRecord;
  if (OnGetCellParams)
    OnGetCellParams(*this, column, m_canvas.Font, params.Background, state);
  if (column.OnGetCellParams)
    column.OnGetCellParams(column, false, params);
  const bool highlighted =
      state.testFlag(gdSelected) &&
      (m_options.testFlag(dgAlwaysShowSelection) ||
       (ownsFocus() && m_optionsEh.testFlag(dghHighlightFocus)));
  if (highlighted) {
    params.Background = ownsFocus() ? clHighlight : clBtnShadow;
    m_canvas.Font.setColor(clHighlightText);
  }
  m_canvas.Brush.Color = params.Background;
  if (m_defaultDrawing)
    DrawCellText(m_canvas, rect, 2, m_flat ? 1 : 2, params.Text,
                 params.Alignment, tlTop, column.WordWrap() && m_rowWrap,
                 column.EndEllipsis(), 0, 0, false);
  const int dataCol = col - FixedColCount();
  if (OnDrawColumnCell)
    OnDrawColumnCell(*this, rect, dataCol, column, state);
  if (m_defaultDrawing && state.testFlag(gdFocused) && ownsFocus() &&
      !m_options.testFlag(dgRowSelect)) {
    drawFocusFrame(*m_canvas.Painter, rect);
  }
}

void TDBGridEh::PaintDataCell(const QRect &rect, int, TColumnEh &column,
                              TGridDrawState) {
  if (!m_canvas.Painter)
    return;
  DrawCellText(m_canvas, rect, 2, m_flat ? 1 : 2, CellDisplayText(column),
               column.Alignment(), tlTop, column.WordWrap() && m_rowWrap,
               column.EndEllipsis(), 0, 0, false);
}

void TDBGridEh::paintEmptyArea(QPainter &painter,
                               const PaintFrame &frame) const {
  const QRect client = viewport()->rect();
  const QColor color = toQColor(m_color);
  if (frame.dataRight < client.width())
    painter.fillRect(QRect(frame.dataRight, 0, client.width() - frame.dataRight,
                           client.height()),
                     color);
  const int bottom = std::max(frame.dataBottom, frame.titleBottom);
  if (bottom < client.height())
    painter.fillRect(
        QRect(0, bottom, frame.dataRight, client.height() - bottom), color);
}
