#include "grid/drawcelltext.h"

#include "grid/canvas.h"

#include <QImage>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <algorithm>

namespace {

// The off-screen bitmap every grid shares for word-wrapped text, in the
// device pixels of the screen drawn on. It only grows, so cells of a
// repaint reuse its memory.
struct SharedBitmap {
  QMutex lock;
  QImage image;

  void ensureSize(QSize devicePixels, qreal ratio) {
    if (image.width() < devicePixels.width() ||
        image.height() < devicePixels.height())
      image = QImage(std::max(devicePixels.width(), image.width()),
                     std::max(devicePixels.height(), image.height()),
                     QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
  }
};

SharedBitmap &sharedBitmap() {
  static SharedBitmap bitmap;
  return bitmap;
}

// A device of fewer than 24 bits a pixel would dither most colours; text on
// such a brush is composed off screen.
bool showsUndithered(const QPainter &painter) {
  return painter.device() && painter.device()->depth() >= 24;
}

int horizontalAlignment(TAlignment alignment) {
  switch (alignment) {
  case taRightJustify:
    return Qt::AlignRight;
  case taCenter:
    return Qt::AlignHCenter;
  case taLeftJustify:
    break;
  }
  return Qt::AlignLeft;
}

void drawDirect(TCanvas &canvas, const QRect &rect, int dx, int dy,
                QString text, TAlignment alignment, bool endEllipsis) {
  QPainter &painter = *canvas.Painter;
  const QFont font = canvas.Font.toQFont();
  const QFontMetrics metrics(font);
  if (endEllipsis)
    text = endEllipsisText(metrics, text, rect.width() - dx);
  int width = metrics.horizontalAdvance(text);
  if (alignment != taLeftJustify && (font.bold() || font.italic()))
    width = metrics.boundingRect(QRect(), Qt::TextExpandTabs, text).width();
  int x = rect.left() + dx;
  if (alignment == taRightJustify)
    x = rect.left() + rect.width() - width - 3;
  else if (alignment == taCenter)
    x = rect.width() > 0 ? rect.left() + rect.width() / 2 - width / 2 : 0;
  if (canvas.Brush.Style != bsClear)
    painter.fillRect(rect, toQColor(canvas.Brush.Color));
  if (text.isEmpty())
    return;
  painter.setClipRect(rect);
  painter.setFont(font);
  painter.setPen(toQColor(canvas.Font.Color()));
  painter.drawText(QPoint(x, rect.top() + dy + metrics.ascent()), text);
  painter.setClipping(false);
}

void drawOffScreen(TCanvas &canvas, const QRect &rect, int dx, int dy,
                   const QString &text, TAlignment alignment,
                   TTextLayout layout, bool wordWrap, bool endEllipsis,
                   int leftMargin, int rightMargin, bool rightToLeft) {
  if (rect.isEmpty())
    return;
  // On a scaled screen the text is composed at the screen's resolution, not
  // at 96 dpi and blown up.
  const QPaintDevice *device = canvas.Painter->device();
  const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
  const QSize devicePixels = (QSizeF(rect.size()) * ratio).toSize();
  SharedBitmap &bitmap = sharedBitmap();
  const QMutexLocker locker(&bitmap.lock);
  bitmap.ensureSize(devicePixels, ratio);
  const QRect local(QPoint(0, 0), rect.size());
  {
    QPainter painter(&bitmap.image);
    painter.fillRect(local, toQColor(canvas.Brush.Color));
    const QFont font = canvas.Font.toQFont();
    painter.setFont(font);
    painter.setPen(toQColor(canvas.Font.Color()));
    if (rightToLeft)
      painter.setLayoutDirection(Qt::RightToLeft);
    QRect textRect =
        local.adjusted(dx + leftMargin, dy, -dx - rightMargin, -dy);
    int flags =
        horizontalAlignment(alignment) | Qt::AlignTop | Qt::TextExpandTabs;
    if (wordWrap)
      flags |= Qt::TextWordWrap;
    QString shown = text;
    if (endEllipsis && !wordWrap)
      shown = endEllipsisText(QFontMetrics(font), text, textRect.width());
    if (layout != tlTop) {
      const int height = painter.boundingRect(textRect, flags, shown).height();
      textRect.setTop(layout == tlCenter
                          ? textRect.top() + textRect.height() / 2 - height / 2
                          : textRect.bottom() + 1 - height);
    }
    painter.drawText(textRect, flags, shown);
  }
  canvas.Painter->drawImage(QRectF(rect), bitmap.image,
                            QRectF(QPointF(0, 0), QSizeF(devicePixels)));
}

} // namespace

QString endEllipsisText(const QFontMetrics &metrics, const QString &text,
                        int width) {
  if (metrics.horizontalAdvance(text) <= width)
    return text;
  for (qsizetype keep = text.size() - 2; keep > 0; --keep) {
    const QString shortened = text.left(keep) + QStringLiteral("...");
    if (metrics.horizontalAdvance(shortened) <= width)
      return shortened;
  }
  return QStringLiteral("...");
}

void DrawCellText(TCanvas &canvas, const QRect &rect, int dx, int dy,
                  const QString &text, TAlignment alignment, TTextLayout layout,
                  bool wordWrap, bool endEllipsis, int leftMargin,
                  int rightMargin, bool rightToLeft) {
  if (!wordWrap && showsUndithered(*canvas.Painter))
    drawDirect(canvas, rect, dx, dy, text, alignment, endEllipsis);
  else
    drawOffScreen(canvas, rect, dx, dy, text, alignment, layout, wordWrap,
                  endEllipsis, leftMargin, rightMargin, rightToLeft);
}
