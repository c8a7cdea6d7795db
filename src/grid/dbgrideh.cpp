#include "grid/dbgrideh.h"

#include "grid/footertext.h"
#include "grid/griderrorhandler.h"
#include "grid/qttextmetrics.h"
#include "grid/readonlycelleditor.h"
#include "grid/rowheights.h"
#include "grid/titletree.h"
#include "platform/dataset/query.h"

#include <QScopeGuard>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

TDBGridEh::TDBGridEh(QWidget *parent)
    : QAbstractScrollArea(parent),
      m_textMetrics(std::make_shared<QtTextMetrics>()),
      m_options(dgEditing | dgTitles | dgIndicator | dgColumnResize |
                dgColLines | dgRowLines | dgTabs | dgConfirmDelete |
                dgCancelOnExit),
      m_columnDefValues(*this), m_columns(*this) {
  m_font.OnChange = [this] { LayoutChanged(); };
  m_titleFont.OnChange = [this] { LayoutChanged(); };
  m_footerFont.OnChange = [this] { LayoutChanged(); };
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  connect(
      verticalScrollBar(), &QScrollBar::actionTriggered, this,
      [this](int action) { guarded([&] { verticalScrollAction(action); }); });
  connect(verticalScrollBar(), &QScrollBar::sliderReleased, this,
          [this] { guarded([this] { moveToVerticalBarPosition(); }); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { guarded([this] { verticalBarValueChanged(); }); });
  // The wheel over a scroll bar follows the grid's own wheel rule.
  verticalScrollBar()->installEventFilter(this);
  horizontalScrollBar()->installEventFilter(this);
  layout();
}

TDBGridEh::~TDBGridEh() {
  for (const QMetaObject::Connection &connection : m_dataSetConnections)
    disconnect(connection);
  disconnect(m_dataSourceConnection);
  m_font.OnChange = nullptr;
  m_titleFont.OnChange = nullptr;
  m_footerFont.OnChange = nullptr;
  // The editor is a child widget that would otherwise lose its focus, and
  // call back into this grid, after the grid part of the object is gone.
  delete std::exchange(m_editor, nullptr);
  // Columns go first: their destructors must not reach a half-destroyed
  // grid through a layout.
  m_layoutLock = 1;
  m_columns.Clear();
}

void TDBGridEh::setDataSource(::DataSource *source) {
  if (m_dataSource == source)
    return;
  disconnect(m_dataSourceConnection);
  m_dataSource = source;
  if (source)
    m_dataSourceConnection =
        connect(source, &::DataSource::dataSetChanged, this,
                [this] { guarded([this] { bindDataSet(); }); });
  bindDataSet();
}

Query *TDBGridEh::DataSet() const {
  return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

void TDBGridEh::bindDataSet() {
  for (const QMetaObject::Connection &connection : m_dataSetConnections)
    disconnect(connection);
  m_dataSetConnections.clear();
  m_boundDataSet = DataSet();
  if (Query *dataSet = m_boundDataSet) {
    m_dataSetConnections = {
        connect(dataSet, &Query::activeChanged, this,
                [this] { guarded([this] { dataSetActiveChanged(); }); }),
        connect(dataSet, &Query::dataChanged, this,
                [this] { guarded([this] { dataSetRecordChanged(); }); }),
        connect(dataSet, &Query::recordChanged, this,
                [this] { guarded([this] { dataSetRecordChanged(); }); }),
    };
  }
  m_topRecord = 0;
  LayoutChanged();
}

void TDBGridEh::dataSetActiveChanged() {
  m_topRecord = 0;
  LayoutChanged();
}

void TDBGridEh::dataSetRecordChanged() {
  HideEditor();
  scrollToCurrent();
  updateScrollBars();
  viewport()->update();
}

void TDBGridEh::setOptions(TGridOptions options) {
  assignAndLayOut(m_options, options);
}

void TDBGridEh::setOptionsEh(TDBGridEhOptions options) {
  assignAndLayOut(m_optionsEh, options);
}

void TDBGridEh::setColor(TColor color) { assignAndRepaint(m_color, color); }

void TDBGridEh::setFixedColor(TColor color) {
  assignAndRepaint(m_fixedColor, color);
}

void TDBGridEh::setFooterColor(TColor color) {
  assignAndRepaint(m_footerColor, color);
}

void TDBGridEh::setFlat(bool flat) { assignAndLayOut(m_flat, flat); }

void TDBGridEh::setCtl3D(bool on) { assignAndRepaint(m_ctl3D, on); }

void TDBGridEh::setUseMultiTitle(bool on) {
  assignAndLayOut(m_useMultiTitle, on);
}

void TDBGridEh::setVTitleMargin(int pixels) {
  m_vTitleMargin = pixels;
  LayoutChanged();
}

void TDBGridEh::setTitleLines(int lines) {
  m_titleLines = lines;
  LayoutChanged();
}

void TDBGridEh::setTitleHeight(int pixels) {
  m_titleHeight = pixels;
  LayoutChanged();
}

void TDBGridEh::setRowHeight(int pixels) {
  assignAndLayOut(m_rowHeight, pixels);
}

void TDBGridEh::setRowLines(int lines) { assignAndLayOut(m_rowLines, lines); }

void TDBGridEh::setFooterRowCount(int rows) {
  if (m_footerRowCount == rows)
    return;
  m_footerRowCount = std::max(0, rows);
  LayoutChanged();
}

void TDBGridEh::setReadOnly(bool on) { assignAndRepaint(m_readOnly, on); }

void TDBGridEh::setTextMetrics(std::shared_ptr<const TextMetrics> metrics) {
  m_textMetrics =
      metrics ? std::move(metrics) : std::make_shared<QtTextMetrics>();
  LayoutChanged();
}

int TDBGridEh::PixelsPerInchX() const {
  return m_pixelsPerInchX > 0 ? m_pixelsPerInchX : logicalDpiX();
}

void TDBGridEh::setPixelsPerInchX(int pixelsPerInch) {
  m_pixelsPerInchX = std::max(0, pixelsPerInch);
}

int TDBGridEh::ColLineWidth() const {
  return m_options.testFlag(dgColLines) ? 1 : 0;
}

int TDBGridEh::RowLineWidth() const {
  return m_options.testFlag(dgRowLines) ? 1 : 0;
}

void TDBGridEh::BeginLayout() { ++m_layoutLock; }

void TDBGridEh::EndLayout() {
  if (m_layoutLock > 0 && --m_layoutLock == 0 && m_layoutPending)
    layout();
}

void TDBGridEh::LayoutChanged() { layout(); }

void TDBGridEh::DefValuesChanged() { LayoutChanged(); }

void TDBGridEh::ColumnChanged(TColumnEh &column, bool layoutNeeded) {
  const int index = column.Index();
  const size_t screenIndex =
      size_t(index) + (m_options.testFlag(dgIndicator) ? 1 : 0);
  const bool widthChanged =
      index < 0 || screenIndex >= m_screenWidths.size() ||
      m_screenWidths[screenIndex] != screenWidthOf(column);
  if (layoutNeeded || widthChanged || m_useMultiTitle)
    LayoutChanged();
  else
    viewport()->update();
}

void TDBGridEh::layout() {
  if (m_layoutLock > 0) {
    m_layoutPending = true;
    return;
  }
  // A layout reads column defaults, which must not start another layout.
  // A title tree that cannot be built throws; the grid then goes on with
  // plain titles, its current cell and window kept in range.
  ++m_layoutLock;
  const auto unlock = qScopeGuard([this] {
    --m_layoutLock;
    m_layoutPending = false;
    keepCurrentCellInRange();
    scrollToCurrent();
    updateScrollBars();
    viewport()->update();
  });
  m_visibleColumns.clear();
  for (int i = 0; i < m_columns.Count(); ++i) {
    TColumnEh &column = m_columns[i];
    column.resetField();
    if (column.Visible())
      m_visibleColumns.push_back(&column);
  }
  computeScreenWidths();
  computeDataRow();
  computeTitleRow();
}

void TDBGridEh::keepCurrentCellInRange() {
  const int fixed = FixedColCount();
  const int last = std::max(fixed, int(m_screenWidths.size()) - 1);
  m_col = std::clamp(m_col, fixed, last);
  m_leftCol = std::clamp(m_leftCol, fixed, last);
}

int TDBGridEh::screenWidthOf(const TColumnEh &column) const {
  if (column.Visible())
    return column.Width();
  return m_options.testFlag(dgColLines) ? -1 : 0;
}

void TDBGridEh::computeScreenWidths() {
  m_screenWidths.clear();
  if (m_options.testFlag(dgIndicator))
    m_screenWidths.push_back(IndicatorWidth);
  for (int i = 0; i < m_columns.Count(); ++i)
    m_screenWidths.push_back(screenWidthOf(m_columns[i]));
}

void TDBGridEh::computeDataRow() {
  m_dataRowHeight = dataRowHeight(*m_textMetrics, m_font, m_flat,
                                  RowLineWidth(), m_rowHeight, m_rowLines);
  m_rowWrap = rowWrapCondition(*m_textMetrics, m_font, m_dataRowHeight);
}

void TDBGridEh::computeTitleRow() {
  m_titleTree.reset();
  m_leaves.clear();
  if (!m_options.testFlag(dgTitles)) {
    m_titleRowHeight = 0;
    return;
  }
  std::vector<const TFont *> titleFonts;
  for (int i = 0; i < m_columns.Count(); ++i)
    titleFonts.push_back(&m_columns[i].Title().Font());
  m_titleRowHeight =
      plainTitleRowHeight(*m_textMetrics, titleFonts, m_titleFont, m_titleLines,
                          m_titleHeight, RowLineWidth());
  if (!m_useMultiTitle)
    return;

  std::vector<TitleLeafSource> sources;
  for (int i = 0; i < m_columns.Count(); ++i) {
    TColumnEh &column = m_columns[i];
    TitleLeafSource source;
    source.column = &column;
    source.caption = column.Title().Caption();
    source.width = screenWidthOf(column);
    source.indent = column.Title().SortMarker() != smNoneEh ? 16 : 0;
    source.font = &column.Title().Font();
    source.vertical = column.Title().Orientation() == tohVertical;
    sources.push_back(std::move(source));
  }
  TitleTreeSettings settings;
  settings.lineWidth = ColLineWidth();
  settings.vTitleMargin = m_vTitleMargin;
  settings.groupFont = &m_titleFont;
  settings.metrics = m_textMetrics.get();
  auto root = std::make_unique<THeadTreeNode>();
  m_leaves = buildTitleTree(*root, sources, settings);
  m_titleTree = std::move(root);
  // An empty tree has no height; the title font's line stands instead.
  if (!m_leaves.empty())
    m_titleRowHeight =
        m_titleTree->Height - (m_optionsEh.testFlag(dghFixed3D) ? 1 : 3);
}

const THeadTreeNode *TDBGridEh::TitleTree() const { return m_titleTree.get(); }

THeadTreeNode *TDBGridEh::LeafNode(int columnIndex) const {
  if (columnIndex < 0 || size_t(columnIndex) >= m_leaves.size())
    return nullptr;
  return m_leaves[columnIndex];
}

int TDBGridEh::rowsFitting(bool countPartlyVisible) const {
  const int step = m_dataRowHeight + RowLineWidth();
  const int titles =
      m_options.testFlag(dgTitles) ? m_titleRowHeight + RowLineWidth() : 0;
  const int area = viewport()->height() - titles;
  if (step <= 0 || area <= 0)
    return 1;
  return std::max(1, (area + (countPartlyVisible ? step - 1 : 0)) / step);
}

int TDBGridEh::VisibleRowCount() const { return rowsFitting(true); }

int TDBGridEh::FullyVisibleRowCount() const { return rowsFitting(false); }

int TDBGridEh::DisplayedRecordCount() const {
  const Query *dataSet = DataSet();
  if (!dataSet || !dataSet->active())
    return 0;
  return std::clamp(dataSet->recordCount() - m_topRecord, 0, VisibleRowCount());
}

void TDBGridEh::scrollToCurrent() {
  const Query *dataSet = DataSet();
  if (!dataSet || !dataSet->active() || dataSet->isEmpty()) {
    m_topRecord = 0;
    return;
  }
  const int page = FullyVisibleRowCount();
  const int current = dataSet->currentPosition();
  if (current < m_topRecord)
    m_topRecord = current;
  else if (current >= m_topRecord + page)
    m_topRecord = current - page + 1;
  // No empty rows below the last record while earlier records would fit.
  m_topRecord =
      std::clamp(m_topRecord, 0, std::max(0, dataSet->recordCount() - page));
}

void TDBGridEh::SaveGridPosition() {
  m_positionSaved = false;
  const Query *dataSet = DataSet();
  if (!dataSet)
    return;
  m_savedBookmark = dataSet->bookmark(); // throws on a closed dataset
  m_savedRowInWindow = dataSet->currentPosition() - m_topRecord;
  m_positionSaved = true;
}

void TDBGridEh::RestoreGridPosition() {
  if (!m_positionSaved)
    return;
  m_positionSaved = false;
  Query *dataSet = DataSet();
  if (!dataSet || !dataSet->active())
    return;
  // An empty result has no record to return to.
  if (m_savedBookmark >= 0)
    dataSet->gotoBookmark(m_savedBookmark);
  m_topRecord = std::max(0, dataSet->currentPosition() - m_savedRowInWindow);
  scrollToCurrent();
  viewport()->update();
}

QString TDBGridEh::FooterText(int row, const TColumnEh &column) const {
  return gridFooterText(*this, column, row);
}

template <typename F> void TDBGridEh::guarded(F &&work) noexcept {
  try {
    work();
  } catch (const std::exception &error) {
    reportGridError(error);
  }
}

bool TDBGridEh::event(QEvent *event) {
  bool handled = true;
  guarded([&] { handled = QAbstractScrollArea::event(event); });
  return handled;
}

bool TDBGridEh::viewportEvent(QEvent *event) {
  bool handled = true;
  guarded([&] { handled = QAbstractScrollArea::viewportEvent(event); });
  return handled;
}

bool TDBGridEh::eventFilter(QObject *watched, QEvent *event) {
  // The bars' own wheel handling would move the thumb by several lines a
  // step without moving the dataset; the grid's rule stands instead.
  if (event->type() == QEvent::Wheel) {
    auto *wheel = static_cast<QWheelEvent *>(event);
    if (watched == verticalScrollBar()) {
      guarded([&] { wheelEvent(wheel); });
      return true;
    }
    if (watched == horizontalScrollBar()) {
      guarded([&] { wheelOverHorizontalBar(*wheel); });
      return true;
    }
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

int TDBGridEh::Row() const {
  const Query *dataSet = DataSet();
  if (!dataSet || !dataSet->active() || dataSet->isEmpty())
    return TitleRowCount();
  return TitleRowCount() + dataSet->currentPosition() - m_topRecord;
}

int TDBGridEh::ActiveRecord() const {
  return m_drawingRecord >= 0 ? m_drawingRecord : Row() - TitleRowCount();
}

void TDBGridEh::setSelectedIndex(int dataCol) {
  const int col = dataCol + FixedColCount();
  if (col == m_col || col < FixedColCount() ||
      col >= int(m_screenWidths.size()))
    return;
  m_col = col;
  viewport()->update();
}

int TDBGridEh::dataColumnsLeft() const {
  int x = 0;
  for (int col = 0; col < FixedColCount(); ++col)
    x += m_screenWidths[size_t(col)] + ColLineWidth();
  return x;
}

int TDBGridEh::columnLeft(int col) const {
  if (col < FixedColCount()) {
    int x = 0;
    for (int c = 0; c < col; ++c)
      x += m_screenWidths[size_t(c)] + ColLineWidth();
    return x;
  }
  int x = dataColumnsLeft();
  for (int c = m_leftCol; c < col; ++c)
    x += m_screenWidths[size_t(c)] + ColLineWidth();
  for (int c = col; c < m_leftCol; ++c)
    x -= m_screenWidths[size_t(c)] + ColLineWidth();
  return x;
}

int TDBGridEh::titleAreaHeight() const {
  return TitleRowCount() ? m_titleRowHeight + RowLineWidth() : 0;
}

QRect TDBGridEh::CellRect(int col, int row) const {
  if (col < 0 || col >= int(m_screenWidths.size()) || row < 0 ||
      (col >= FixedColCount() && col < m_leftCol))
    return QRect();
  const int width = m_screenWidths[size_t(col)];
  QRect rect;
  if (row < TitleRowCount())
    rect = QRect(columnLeft(col), 0, width, m_titleRowHeight);
  else if (row - TitleRowCount() < VisibleRowCount())
    rect = QRect(columnLeft(col),
                 titleAreaHeight() + (row - TitleRowCount()) * rowStep(), width,
                 m_dataRowHeight);
  if (rect.isEmpty() || !viewport()->rect().intersects(rect))
    return QRect();
  return rect;
}

TDBGridEh::GridCoord TDBGridEh::MouseCoord(QPoint point) const {
  GridCoord coord;
  int x = 0;
  const auto hit = [&](int col) {
    const int width = m_screenWidths[size_t(col)];
    if (width <= 0)
      return false;
    x += width + ColLineWidth();
    return point.x() < x;
  };
  if (point.x() >= 0) {
    for (int col = 0; col < FixedColCount() && coord.col < 0; ++col)
      if (hit(col))
        coord.col = col;
    for (int col = m_leftCol; coord.col < 0 && col < int(m_screenWidths.size());
         ++col)
      if (hit(col))
        coord.col = col;
  }
  if (point.y() < 0)
    return coord;
  if (point.y() < titleAreaHeight()) {
    coord.row = 0;
    return coord;
  }
  const int record = (point.y() - titleAreaHeight()) / std::max(1, rowStep());
  if (record < DisplayedRecordCount())
    coord.row = TitleRowCount() + record;
  return coord;
}

bool TDBGridEh::ownsFocus() const {
  return hasFocus() || viewport()->hasFocus() ||
         (m_editor && m_editor->hasFocus());
}

void TDBGridEh::resizeEvent(QResizeEvent *event) {
  QAbstractScrollArea::resizeEvent(event);
  scrollToCurrent();
  updateScrollBars();
  placeEditor();
}
