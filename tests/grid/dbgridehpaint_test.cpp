#include "showngrid.h"

#include "grid/griderrorhandler.h"
#include "grid/highlightcurrentrow.h"
#include "platform/errors.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <cstdlib>
#include <set>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

using Colors = std::set<QRgb>;

Colors colorsIn(const QImage &image, const QRect &rect) {
  Colors colors;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      colors.insert(image.pixel(x, y) & 0xFFFFFF);
  return colors;
}

QRgb rgbOf(TColor color) { return toQColor(color).rgb() & 0xFFFFFF; }

// Whether text in `color` shows in `rect`: some pixel close to it (glyph
// edges may be smoothed).
bool hasInk(const QImage &image, const QRect &rect, TColor color) {
  const QColor ink = toQColor(color);
  for (const QRgb rgb : colorsIn(image, rect)) {
    const QColor pixel(rgb);
    if (std::abs(pixel.red() - ink.red()) < 48 &&
        std::abs(pixel.green() - ink.green()) < 48 &&
        std::abs(pixel.blue() - ink.blue()) < 48)
      return true;
  }
  return false;
}

// The rightmost column of `rect` holding a pixel other than `background`.
int lastInk(const QImage &image, const QRect &rect, QRgb background) {
  for (int x = rect.right(); x >= rect.left(); --x)
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      if ((image.pixel(x, y) & 0xFFFFFF) != background)
        return x;
  return -1;
}

class GridPaintTest : public ShownGrid {
protected:
  void SetUp() override {
    ShownGrid::SetUp();
    grid.OnDrawColumnCell = HighlightCurrentRow;
    fill(5);
    show(8);
  }
};

TEST_F(GridPaintTest, CurrentRowIsNavyWithWhiteTextInEveryCell) {
  for (const int record : {1, 3}) {
    query.setRecNo(record + 1);
    const QImage image = picture();
    for (int row = 1; row <= 5; ++row)
      for (int col = 1; col <= 3; ++col) {
        SCOPED_TRACE(testing::Message() << "row " << row << " col " << col);
        const QRect cell = grid.CellRect(col, row);
        const bool isCurrent = row == record + 1;
        const QRect inside = cell.adjusted(1, 1, -1, -1);
        EXPECT_EQ(image.pixel(cell.left() + 1, cell.top() + 1) & 0xFFFFFF,
                  isCurrent ? rgbOf(clNavy) : rgbOf(clWhite));
        EXPECT_TRUE(hasInk(image, inside, isCurrent ? clWhite : clBlack));
        EXPECT_FALSE(hasInk(image, inside, isCurrent ? clBlack : clNavy));
      }
  }
}

TEST_F(GridPaintTest, CurrentRecordShowsTheArrowAtItsExactPixels) {
  query.setRecNo(3);
  const QImage image = picture();
  const QRect cell = grid.CellRect(0, 3);
  ASSERT_EQ(cell.width(), 11);
  ASSERT_EQ(cell.height(), 16);
  const QRgb fixed = rgbOf(clActiveBorder);
  for (int y = cell.top(); y <= cell.bottom(); ++y)
    for (int x = cell.left(); x <= cell.right(); ++x) {
      const int ax = x - (cell.left() + 3);
      const int ay = y - (cell.top() + 2);
      const bool arrow =
          ax >= 0 && ay >= 0 && ay < 11 && ax < std::min(ay, 10 - ay) + 1;
      EXPECT_EQ(image.pixel(x, y) & 0xFFFFFF, arrow ? 0u : fixed)
          << x << "," << y;
    }
  // Other records' indicator cells are plain.
  EXPECT_EQ(colorsIn(image, grid.CellRect(0, 2)), Colors{fixed});
}

// How many pixels before the end of its advance the ink of `c` ends, as
// this system draws it (font engines report bearings differently).
int inkGapBeforeAdvance(const QFont &font, QChar c) {
  QImage glyph(80, 60, QImage::Format_RGB32);
  glyph.fill(Qt::white);
  QPainter painter(&glyph);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(10, 40, QString(c));
  painter.end();
  const int advanceEnd = 10 + QFontMetrics(font).horizontalAdvance(c);
  return advanceEnd - 1 - lastInk(glyph, glyph.rect(), rgbOf(clWhite));
}

TEST_F(GridPaintTest, RightAlignedQuantityEndsThreePixelsBeforeTheEdge) {
  const QImage image = picture();
  const QRect cell = grid.CellRect(3, 2); // "3.50", not the current row
  QFont font = grid.Columns()[2].Font().toQFont();
  const int advanceEnd = cell.left() + cell.width() - 3;
  EXPECT_EQ(lastInk(image, cell, rgbOf(clWhite)),
            advanceEnd - 1 - inkGapBeforeAdvance(font, QLatin1Char('0')));
}

TEST_F(GridPaintTest, GridLinesAreBlackAroundFixedCellsAndSilverBetweenData) {
  const QImage image = picture();
  const QRect title = grid.CellRect(1, 0);
  const QRect data = grid.CellRect(1, 1);
  EXPECT_EQ(image.pixel(title.right() + 1, title.center().y()) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.pixel(title.center().x(), title.bottom() + 1) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.pixel(11, data.center().y()) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.pixel(data.right() + 1, data.center().y()) & 0xFFFFFF,
            rgbOf(clSilver));
  EXPECT_EQ(image.pixel(data.center().x(), data.bottom() + 1) & 0xFFFFFF,
            rgbOf(clSilver));
  // Below the last record and right of the last column: the grid's Color.
  const QRect below(0, grid.CellRect(1, 5).bottom() + 2, view()->width(), 10);
  EXPECT_EQ(colorsIn(image, below), Colors{rgbOf(clWhite)});
}

TEST_F(GridPaintTest, ClosedDatasetDrawsTitlesOnly) {
  query.close();
  const QImage image = picture();
  const QRect titles = grid.CellRect(1, 0);
  EXPECT_TRUE(colorsIn(image, titles).count(rgbOf(clActiveBorder)));
  EXPECT_TRUE(hasInk(image, titles, clBlack)); // caption text
  EXPECT_EQ(colorsIn(image, QRect(0, 20, view()->width(), 40)),
            Colors{rgbOf(clWhite)});
}

// The user picks another colour for the fixed cells' face: the system's
// own colour on Windows, whose change the platform passes on as a new
// palette; the palette's window colour elsewhere.
void pickFaceColour(const QColor &colour) {
  QPalette palette = QGuiApplication::palette();
  palette.setColor(QPalette::Window, colour);
#ifdef Q_OS_WIN
  const int element = COLOR_ACTIVEBORDER;
  const COLORREF value = RGB(colour.red(), colour.green(), colour.blue());
  SetSysColors(1, &element, &value);
#endif
  QGuiApplication::setPalette(palette);
}

TEST_F(GridPaintTest, SystemColoursAreResolvedAtEachPaint) {
  SystemColors::followPlatform();
#ifdef Q_OS_WIN
  const int element = COLOR_ACTIVEBORDER;
  const COLORREF before = GetSysColor(element);
#endif
  pickFaceColour(QColor(10, 200, 30));
  EXPECT_EQ(picture().pixel(1, 1) & 0xFFFFFF, qRgb(10, 200, 30) & 0xFFFFFF);
  pickFaceColour(QColor(40, 50, 60));
  EXPECT_EQ(picture().pixel(1, 1) & 0xFFFFFF, qRgb(40, 50, 60) & 0xFFFFFF);
#ifdef Q_OS_WIN
  SetSysColors(1, &element, &before);
#endif
  QGuiApplication::setPalette(QPalette());
  SystemColors::setCurrent(SystemColors());
}

class GridErrorTest : public GridPaintTest {
protected:
  void SetUp() override {
    GridPaintTest::SetUp();
    setGridErrorHandler([this](const std::exception &error) {
      errors.push_back(error.what());
    });
  }
  void TearDown() override { setGridErrorHandler(nullptr); }
  std::vector<std::string> errors;
};

TEST_F(GridErrorTest, ErrorWhilePaintingIsReportedAndTheGridGoesOn) {
  grid.OnDrawColumnCell = [](TDBGridEh &, const QRect &, int, TColumnEh &,
                             TGridDrawState) { throw Error("cell failed"); };
  picture();
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.front(), "cell failed");
  grid.OnDrawColumnCell = HighlightCurrentRow;
  const QImage image = picture();
  EXPECT_EQ(image.pixel(grid.CellRect(1, 1).topLeft() + QPoint(1, 1)) &
                0xFFFFFF,
            rgbOf(clNavy));
}

TEST_F(GridErrorTest, TitleLayoutErrorOnOpenIsReportedAndTitlesStayPlain) {
  query.close();
  grid.Columns()[0].Title().setCaption(QStringLiteral("P|A|x"));
  // A direct call is no event boundary: its caller gets the error.
  EXPECT_THROW(grid.Columns()[1].Title().setCaption(QStringLiteral("A|y")),
               Error);
  fill(5); // the dataset notification lays the grid out again
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors.front(), "ATo not in level");
  EXPECT_EQ(grid.TitleTree(), nullptr);
  const QImage image = picture();
  EXPECT_EQ(image.pixel(grid.CellRect(1, 1).topLeft() + QPoint(1, 1)) &
                0xFFFFFF,
            rgbOf(clNavy));
}

TEST_F(GridErrorTest, ErrorInAKeyHandlerIsReported) {
  grid.OnKeyDown = [](TDBGridEh &, int &, Qt::KeyboardModifiers) {
    throw Error("key failed");
  };
  QTest::keyClick(&grid, Qt::Key_Down);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors.front(), "key failed");
}

} // namespace
