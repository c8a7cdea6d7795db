#include "grid/canvas.h"
#include "grid/drawcelltext.h"

#include <QImage>
#include <QPainter>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Word-wrapped text in a cell of its own image, written the off-screen way,
// on a screen of `ratio` device pixels a pixel.
QImage wrappedCell(const QString &text, TColor background, qreal ratio = 1) {
  QImage image(QSize(60, 40) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  TCanvas canvas;
  canvas.Painter = &painter;
  canvas.Brush.Color = background;
  canvas.Font.setColor(clBlack);
  DrawCellText(canvas, QRect(5, 5, 50, 30), 2, 2, text, taCenter, tlCenter,
               true, false, 0, 0, false);
  return image;
}

TEST(DrawCellText, WrappedTextFillsItsRectangleOnly) {
  const QImage image = wrappedCell(QStringLiteral("存货 名称 规格"), clNavy);
  EXPECT_EQ(image.pixel(4, 4), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 128));
  EXPECT_EQ(image.pixel(54, 34), qRgb(0, 0, 128));
  EXPECT_EQ(image.pixel(55, 35), qRgb(255, 255, 255));
}

// On a scaled screen the off-screen text is as sharp as text drawn straight
// onto the screen, not 96-dpi text blown up (at whole ratios, where the
// cell starts on a device pixel, the two are the same pixels).
TEST(DrawCellText, WrappedTextTakesTheScreensResolution) {
  for (const qreal ratio : {2.0, 3.0}) {
    SCOPED_TRACE(ratio);
    const QString text = QStringLiteral("存货 名称");
    const QImage cell = wrappedCell(text, clWhite, ratio);

    QImage straight(cell.size(), QImage::Format_RGB32);
    straight.setDevicePixelRatio(ratio);
    straight.fill(Qt::white);
    QPainter painter(&straight);
    TFont font;
    painter.setFont(font.toQFont());
    painter.setPen(Qt::black);
    const int flags =
        Qt::AlignHCenter | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextWordWrap;
    QRect textRect(7, 7, 46, 26);
    const int height = painter.boundingRect(textRect, flags, text).height();
    textRect.setTop(textRect.top() + textRect.height() / 2 - height / 2);
    painter.setClipRect(QRect(5, 5, 50, 30));
    painter.drawText(textRect, flags, text);
    painter.end();
    EXPECT_EQ(cell, straight);
  }
}

// Every grid of the process writes wrapped text through one shared bitmap;
// its lock keeps two painters from using it at once.
TEST(DrawCellText, SharedBitmapServesOneCellAtATime) {
  const QString texts[] = {QStringLiteral("甲乙 丙丁 戊己"),
                           QStringLiteral("子丑 寅卯 辰巳")};
  const TColor backgrounds[] = {clNavy, clYellow};
  const QImage expected[] = {wrappedCell(texts[0], backgrounds[0]),
                             wrappedCell(texts[1], backgrounds[1])};
  std::atomic<int> mismatches{0};
  auto work = [&](int which) {
    for (int i = 0; i < 300; ++i)
      if (wrappedCell(texts[which], backgrounds[which]) != expected[which])
        ++mismatches;
  };
  std::unique_ptr<QThread> threads[] = {
      std::unique_ptr<QThread>(QThread::create(work, 0)),
      std::unique_ptr<QThread>(QThread::create(work, 1))};
  for (auto &thread : threads)
    thread->start();
  for (auto &thread : threads)
    ASSERT_TRUE(thread->wait(QDeadlineTimer(60000)));
  EXPECT_EQ(mismatches, 0);
}

} // namespace
