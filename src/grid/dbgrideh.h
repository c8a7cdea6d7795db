#pragma once

#include "grid/canvas.h"
#include "grid/colcellparamseh.h"
#include "grid/color.h"
#include "grid/columndefvalueseh.h"
#include "grid/dbgridcolumnseh.h"
#include "grid/gridoptions.h"
#include "grid/headtreenode.h"
#include "grid/textmetrics.h"
#include "grid/tfont.h"
#include "platform/dataset/alignment.h"
#include "platform/dataset/datasource.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QCursor>
#include <QImage>
#include <QMetaObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Query;
class ReadOnlyCellEditor;

class TDBGridEh;

// Grid events. They are declared here and raised by painting and input.
using TGetCellEhParamsEvent =
    std::function<void(TDBGridEh &Sender, TColumnEh &Column, TFont &AFont,
                       TColor &Background, TGridDrawState State)>;
using TGetFooterParamsEvent = std::function<void(
    TDBGridEh &Sender, int DataCol, int Row, TColumnEh &Column, TFont &AFont,
    TColor &Background, TAlignment &Alignment, QString &Text,
    TGridDrawState State)>;
using TDrawColumnEhCellEvent =
    std::function<void(TDBGridEh &Sender, const QRect &Rect, int DataCol,
                       TColumnEh &Column, TGridDrawState State)>;
using TDBGridEhClickEvent = std::function<void(TColumnEh &Column)>;
using TTitleEhClickEvent =
    std::function<void(TDBGridEh &Sender, int ACol, TColumnEh &Column)>;
using TCheckTitleEhBtnEvent = std::function<void(
    TDBGridEh &Sender, int ACol, TColumnEh &Column, bool &Enabled)>;
using TNotifyEvent = std::function<void(TDBGridEh &Sender)>;
// Before the grid handles a key; setting Key to 0 stops the grid's handling.
using TKeyDownEvent = std::function<void(TDBGridEh &Sender, int &Key,
                                         Qt::KeyboardModifiers Shift)>;
// A column was moved from collection index FromIndex to ToIndex.
using TMovedEvent =
    std::function<void(TDBGridEh &Sender, int FromIndex, int ToIndex)>;

// The read-only data grid of both windows: a view over the record cursor of
// the dataset of its data source. It holds no rows; it keeps its columns,
// the layout computed from them (visible columns, screen widths, row and
// title heights, the title tree) and a window of displayed records.
//
// Layout is recomputed when the dataset opens, closes or changes its
// fields, columns are added, removed or moved, a title font or a grid font
// or the options change, or TitleLines, TitleHeight, UseMultiTitle or
// VTitleMargin are written.
//
// The widget's work is split by responsibility: painting
// (dbgridehpaint.cpp), keyboard, wheel and scroll bars
// (dbgridehnavigation.cpp), mouse presses, tracking and title clicks
// (dbgridehmouse.cpp), column sizing and moving (dbgridehcolumndrag.cpp)
// and the read-only in-place editor (dbgridehediting.cpp). It never lets an
// error out through Qt's event dispatch: errors raised while it handles an
// event or a dataset notification go to reportGridError().
class TDBGridEh : public QAbstractScrollArea {
  Q_OBJECT
public:
  static constexpr int DefaultColWidth = 64;
  static constexpr int IndicatorWidth = 11;

  explicit TDBGridEh(QWidget *parent = nullptr);
  ~TDBGridEh() override;

  // The component name (objectName), e.g. "dbg_bomdetail".
  QString Name() const { return objectName(); }
  void setName(const QString &name) { setObjectName(name); }

  ::DataSource *dataSource() const { return m_dataSource; }
  void setDataSource(::DataSource *source);
  // The dataset of the data source; null without one.
  Query *DataSet() const;

  TDBGridColumnsEh &Columns() { return m_columns; }
  const TDBGridColumnsEh &Columns() const { return m_columns; }
  // Columns with Visible true, in collection order.
  const std::vector<TColumnEh *> &VisibleColumns() const {
    return m_visibleColumns;
  }

  TGridOptions Options() const { return m_options; }
  void setOptions(TGridOptions options);
  TDBGridEhOptions OptionsEh() const { return m_optionsEh; }
  void setOptionsEh(TDBGridEhOptions options);

  // Grid fonts: changes made through them re-lay out the grid.
  TFont &Font() { return m_font; }
  const TFont &Font() const { return m_font; }
  TFont &TitleFont() { return m_titleFont; }
  const TFont &TitleFont() const { return m_titleFont; }
  TFont &FooterFont() { return m_footerFont; }
  const TFont &FooterFont() const { return m_footerFont; }

  TColor Color() const { return m_color; }
  void setColor(TColor color);
  TColor FixedColor() const { return m_fixedColor; }
  void setFixedColor(TColor color);
  TColor FooterColor() const { return m_footerColor; }
  void setFooterColor(TColor color);

  bool Flat() const { return m_flat; }
  void setFlat(bool flat);
  bool Ctl3D() const { return m_ctl3D; }
  void setCtl3D(bool on);
  bool UseMultiTitle() const { return m_useMultiTitle; }
  void setUseMultiTitle(bool on);
  // Pixels added to the text height of every title level.
  int VTitleMargin() const { return m_vTitleMargin; }
  void setVTitleMargin(int pixels);
  // Title height in text lines and extra pixels; used while UseMultiTitle is
  // false.
  int TitleLines() const { return m_titleLines; }
  void setTitleLines(int lines);
  int TitleHeight() const { return m_titleHeight; }
  void setTitleHeight(int pixels);
  // Data row height in pixels and in text lines (0, 0: from the font).
  int RowHeight() const { return m_rowHeight; }
  void setRowHeight(int pixels);
  int RowLines() const { return m_rowLines; }
  void setRowLines(int lines);
  int FooterRowCount() const { return m_footerRowCount; }
  void setFooterRowCount(int rows);
  bool ReadOnly() const { return m_readOnly; }
  void setReadOnly(bool on);

  TColumnDefValuesEh &ColumnDefValues() { return m_columnDefValues; }
  const TColumnDefValuesEh &ColumnDefValues() const {
    return m_columnDefValues;
  }

  // Text measuring used for layout (real fonts unless replaced).
  const TextMetrics &textMetrics() const { return *m_textMetrics; }
  void setTextMetrics(std::shared_ptr<const TextMetrics> metrics);
  // Horizontal pixels per inch of the grid's drawing surface: the widget's
  // logical resolution unless set (0 returns to the widget's).
  int PixelsPerInchX() const;
  void setPixelsPerInchX(int pixelsPerInch);

  // Layout. Calls nest; the grid lays out once at the outermost EndLayout.
  void BeginLayout();
  void EndLayout();
  void LayoutChanged();
  // Sent by a column whose property changed: re-lays out when `layout` is
  // true, the column's width changed or UseMultiTitle is on; else repaints.
  void ColumnChanged(TColumnEh &column, bool layout);
  // Sent by ColumnDefValues.
  void DefValuesChanged();

  // Results of the last layout.
  int TitleRowHeight() const { return m_titleRowHeight; }
  int DataRowHeight() const { return m_dataRowHeight; }
  // Whether data cells of word-wrapping columns may wrap.
  bool RowWrapCondition() const { return m_rowWrap; }
  // Widths of the screen columns: the indicator (with dgIndicator) and then
  // one per column of the collection (-1 or 0 when invisible).
  const std::vector<int> &ScreenColumnWidths() const { return m_screenWidths; }
  // Width of the grid lines: 1 with dgColLines / dgRowLines, else 0.
  int ColLineWidth() const;
  int RowLineWidth() const;
  // The title tree root while UseMultiTitle and dgTitles are set, else null.
  const THeadTreeNode *TitleTree() const;
  // The leaf node of the column at `columnIndex` of the collection; null
  // without a title tree.
  THeadTreeNode *LeafNode(int columnIndex) const;

  // The window of displayed records: the position (0-based, in the current
  // order) of the record in the top data row, and how many records the data
  // rows show (at most VisibleRowCount()).
  int TopRecord() const { return m_topRecord; }
  int DisplayedRecordCount() const;
  // Data rows that fit in the client area, a partly visible last row
  // included; FullyVisibleRowCount() only those shown whole (at least 1).
  int VisibleRowCount() const;
  int FullyVisibleRowCount() const;

  // Keeps the current record and its row in the window, for an export that
  // moves the cursor; Restore brings both back. Save throws DatabaseError
  // "<name>: Cannot perform this operation on a closed dataset" when the
  // dataset is closed (Restore then does nothing).
  void SaveGridPosition();
  void RestoreGridPosition();

  // The grid's own text of the footer of `column` in footer row `row`.
  QString FooterText(int row, const TColumnEh &column) const;

  // Grid cells: screen column 0 is the indicator (with dgIndicator), then
  // one per column of the collection; row 0 is the title row (with
  // dgTitles), then one per displayed record.
  int FixedColCount() const { return m_options.testFlag(dgIndicator) ? 1 : 0; }
  int TitleRowCount() const { return m_options.testFlag(dgTitles) ? 1 : 0; }
  // The first data column scrolled into view (a screen column).
  int LeftCol() const { return m_leftCol; }
  // The current cell: its screen column, and the grid row of the current
  // record (TitleRowCount() + its index among the displayed records).
  int Col() const { return m_col; }
  int Row() const;
  // The current column, counted in the collection from 0.
  int SelectedIndex() const { return m_col - FixedColCount(); }
  void setSelectedIndex(int dataCol);
  // Index among the displayed records of the record the fields read: while
  // the grid draws a row, that row's record; otherwise the current record.
  int ActiveRecord() const;
  // Viewport rectangle of a cell (its grid lines excluded); empty for a
  // cell not in view.
  QRect CellRect(int col, int row) const;
  struct GridCoord {
    int col = -1;
    int row = -1;
  };
  // The cell under viewport point `point`; -1 for a coordinate on no cell.
  GridCoord MouseCoord(QPoint point) const;

  // The grid paints every data cell before OnDrawColumnCell (default true).
  bool DefaultDrawing() const { return m_defaultDrawing; }
  void setDefaultDrawing(bool on) { assignAndRepaint(m_defaultDrawing, on); }

  // Brush and font of cell painting; the painter is set only during a
  // repaint.
  TCanvas &Canvas() { return m_canvas; }
  // Paints one data cell with the canvas's current brush and font: fills
  // `rect` and writes the cell text of the active record 2 pixels in
  // (right-aligned text 3 pixels before the right edge).
  void PaintDataCell(const QRect &rect, int dataCol, TColumnEh &column,
                     TGridDrawState state);

  TGetCellEhParamsEvent OnGetCellParams;
  TGetFooterParamsEvent OnGetFooterParams;
  TDrawColumnEhCellEvent OnDrawColumnCell;
  TDBGridEhClickEvent OnTitleClick;
  TTitleEhClickEvent OnTitleBtnClick;
  TCheckTitleEhBtnEvent OnCheckButton;
  TNotifyEvent OnDblClick;
  TDBGridEhClickEvent OnCellClick;
  TNotifyEvent OnColEnter;
  TNotifyEvent OnColExit;
  TMovedEvent OnColumnMoved;
  TKeyDownEvent OnKeyDown;

  // Interaction state: only one at a time.
  enum class GridState { Normal, TitlePressed, ColSizing, ColMoving, Tracking };
  GridState State() const { return m_state; }
  // The read-only in-place editor over the current cell; null until first
  // opened. EditorOpen() tells whether it is open (it is hidden while the
  // focus is elsewhere).
  ReadOnlyCellEditor *InplaceEditor() const { return m_editor; }
  bool EditorOpen() const { return m_editorOpen; }
  void ShowEditor(bool selectAll);
  void HideEditor();

protected:
  // Event boundaries: an error raised while handling an event goes to
  // reportGridError() instead of through Qt's event dispatch.
  bool event(QEvent *event) override;
  bool viewportEvent(QEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void timerEvent(QTimerEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

private:
  // Setter bodies: store a changed value, then lay out again or repaint.
  template <typename T> void assignAndLayOut(T &member, T value) {
    if (member == value)
      return;
    member = value;
    LayoutChanged();
  }
  template <typename T> void assignAndRepaint(T &member, T value) {
    if (member == value)
      return;
    member = value;
    viewport()->update();
  }
  // Data rows that fit below the title row (at least 1), with or without
  // a partly visible last row.
  int rowsFitting(bool countPartlyVisible) const;
  void layout();
  void computeTitleRow();
  void keepCurrentCellInRange();
  void computeDataRow();
  void computeScreenWidths();
  int screenWidthOf(const TColumnEh &column) const;
  void bindDataSet();
  void dataSetActiveChanged();
  void dataSetRecordChanged();
  void scrollToCurrent();
  // Runs a dataset notification, reporting what it throws.
  template <typename F> void guarded(F &&work) noexcept;

  // Painting (dbgridehpaint.cpp).
  struct PaintFrame;
  PaintFrame paintFrame() const;
  void paintGridLines(QPainter &painter, const PaintFrame &frame) const;
  void paintTitleCells(const QRegion &region, const PaintFrame &frame);
  void paintTitleGroups(const QRegion &region, const PaintFrame &frame);
  void paintIndicatorCells(const QRegion &region, const PaintFrame &frame);
  void paintDataRows(const QRegion &region, const PaintFrame &frame);
  void paintDataCell(const QRect &rect, int col, TColumnEh &column,
                     TGridDrawState state);
  void paintEmptyArea(QPainter &painter, const PaintFrame &frame) const;
  // Top of the title cell part of a leaf or group (0 without groups).
  int titleNodeTop(const THeadTreeNode &node) const;
  // Left edge of screen column `col`, also for data columns scrolled out
  // of view to the left (then left of the data area).
  int columnLeft(int col) const;
  int dataColumnsLeft() const;
  int titleAreaHeight() const;
  int rowStep() const { return m_dataRowHeight + RowLineWidth(); }
  // The grid or its in-place editor holds the keyboard focus.
  bool ownsFocus() const;
  // Line of column sizing or moving drawn over the snapshot taken when the
  // drag began, inverting the pixels under it.
  void paintDragLine(QPainter &painter, const QRect &area);

  // Navigation and scroll bars (dbgridehnavigation.cpp).
  bool dataSetOpen() const;
  void navigationKey(int key, Qt::KeyboardModifiers modifiers);
  void moveRecords(int distance);
  void moveToCol(int col);
  void stepCol(int direction);
  int firstDataCol() const;
  int lastDataCol() const;
  void scrollColIntoView(int col);
  int maxLeftCol() const;
  void updateScrollBars();
  void verticalScrollAction(int action);
  void verticalBarValueChanged();
  void moveToVerticalBarPosition();
  void wheelOverHorizontalBar(const QWheelEvent &event);

  // Mouse (dbgridehmouse.cpp).
  bool inTitleLeafPart(QPoint point, int col) const;
  void pressTitle(int col);
  void pressDataRow(GridCoord coord);
  void trackPointer(QPoint point);
  void raiseTitleClick(QPoint point);
  void startScrollTimer(int interval);
  void stopScrollTimer();

  // Column sizing and moving (dbgridehcolumndrag.cpp).
  // The column whose sizing zone holds `point`, or -1.
  int sizingZoneCol(QPoint point) const;
  void updateCursor(QPoint point);
  void showSplitCursor(bool split);
  void startSizing(QPoint point, int col);
  void endSizing(QPoint point);
  void startMoving(QPoint point, int col);
  void moveDropTo(QPoint point);
  void endMoving();
  void cancelDrag();
  void setDragLine(int x, int width, TColor xorColor);
  int dropLineX(int dropCol) const;

  // In-place editor (dbgridehediting.cpp).
  bool canOpenEditor() const;
  void typeIntoGrid(const QString &text);
  void placeEditor();

  QPointer<::DataSource> m_dataSource;
  QPointer<Query> m_boundDataSet;
  std::vector<QMetaObject::Connection> m_dataSetConnections;
  QMetaObject::Connection m_dataSourceConnection;
  std::shared_ptr<const TextMetrics> m_textMetrics;
  int m_pixelsPerInchX = 0;

  TGridOptions m_options;
  TDBGridEhOptions m_optionsEh;
  TFont m_font;
  TFont m_titleFont;
  TFont m_footerFont;
  TColor m_color = clWindow;
  TColor m_fixedColor = clBtnFace;
  TColor m_footerColor = clWindow;
  bool m_flat = false;
  bool m_ctl3D = true;
  bool m_useMultiTitle = false;
  int m_vTitleMargin = 10;
  int m_titleLines = 0;
  int m_titleHeight = 0;
  int m_rowHeight = 0;
  int m_rowLines = 0;
  int m_footerRowCount = 0;
  bool m_readOnly = false;
  TColumnDefValuesEh m_columnDefValues;
  TDBGridColumnsEh m_columns;

  int m_layoutLock = 0;
  bool m_layoutPending = false;
  std::vector<TColumnEh *> m_visibleColumns;
  std::vector<int> m_screenWidths;
  int m_titleRowHeight = 0;
  int m_dataRowHeight = 0;
  bool m_rowWrap = false;
  std::unique_ptr<THeadTreeNode> m_titleTree;
  std::vector<THeadTreeNode *> m_leaves;

  bool m_defaultDrawing = true;
  TCanvas m_canvas;
  int m_leftCol = 0;
  int m_col = 0;
  int m_drawingRecord = -1;
  int m_pressedTitleCol = -1; // title button held down, drawn pushed
  GridState m_state = GridState::Normal;
  QPoint m_pressPoint;
  int m_downTitleCol = -1; // title under the press in TitlePressed
  bool m_titleButtonDown = false;
  int m_wheelRemainder = 0;
  int m_columnWheelRemainder = 0; // wheel over the horizontal bar
  bool m_updatingScrollBars = false;
  // Drag scrolling while tracking or moving: one timer, its interval and
  // the step each tick takes.
  QBasicTimer m_scrollTimer;
  int m_scrollInterval = -1;
  int m_scrollRecords = 0;
  int m_scrollCols = 0;
  // Column sizing and moving.
  int m_dragCol = -1;
  int m_sizingOffset = 0;
  int m_dropCol = -1;
  QImage m_dragSnapshot;
  int m_dragLineX = -1;
  int m_dragLineWidth = 1;
  TColor m_dragLineXor = clWhite;
  bool m_ignoreNextRelease = false;
  bool m_splitCursorShown = false;
  std::optional<QCursor> m_ownCursor;
  ReadOnlyCellEditor *m_editor = nullptr;
  bool m_editorOpen = false;
  int m_topRecord = 0;
  bool m_positionSaved = false;
  int m_savedBookmark = -1;
  int m_savedRowInWindow = 0;
};
