#include "app/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Pictures are drawn on a 24-unit square and scaled to the button's size.
constexpr int Units = 24;
constexpr int Side = 18;

void drawQuery(QPainter &p) {
  // A magnifying glass over a sheet of lines.
  p.setPen(QPen(QColor(0x70, 0x80, 0x90), 1));
  p.setBrush(QColor(0xF4, 0xF6, 0xF8));
  p.drawRect(QRectF(2.5, 2.5, 13, 16));
  p.setPen(QPen(QColor(0x9A, 0xA8, 0xB5), 1));
  for (double y = 6.5; y < 17; y += 3)
    p.drawLine(QPointF(5, y), QPointF(13, y));
  p.setPen(QPen(QColor(0x1F, 0x5F, 0xA8), 2.2));
  p.setBrush(QColor(0xCF, 0xE6, 0xFA, 200));
  p.drawEllipse(QPointF(13.5, 12.5), 5, 5);
  p.setPen(QPen(QColor(0x6B, 0x4A, 0x2A), 3.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17.3, 16.3), QPointF(21.5, 20.5));
}

void drawExport(QPainter &p) {
  // A sheet with a green arrow leaving it.
  p.setPen(QPen(QColor(0x70, 0x80, 0x90), 1));
  p.setBrush(Qt::white);
  QPainterPath sheet;
  sheet.moveTo(3.5, 2.5);
  sheet.lineTo(12.5, 2.5);
  sheet.lineTo(16.5, 6.5);
  sheet.lineTo(16.5, 21.5);
  sheet.lineTo(3.5, 21.5);
  sheet.closeSubpath();
  p.drawPath(sheet);
  p.setPen(QPen(QColor(0x2E, 0x8B, 0x57), 1));
  p.setBrush(QColor(0x3C, 0xB3, 0x71));
  QPainterPath arrow;
  arrow.moveTo(9, 11);
  arrow.lineTo(16, 11);
  arrow.lineTo(16, 7.5);
  arrow.lineTo(22, 13.5);
  arrow.lineTo(16, 19.5);
  arrow.lineTo(16, 16);
  arrow.lineTo(9, 16);
  arrow.closeSubpath();
  p.drawPath(arrow);
}

void drawConnect(QPainter &p) {
  // A database drum with a plug.
  const QColor edge(0x8A, 0x6D, 0x1E);
  p.setPen(QPen(edge, 1));
  p.setBrush(QColor(0xF2, 0xC7, 0x4E));
  p.drawRect(QRectF(2.5, 5.5, 13, 12));
  p.drawEllipse(QRectF(2.5, 14.5, 13, 6));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(3, 6, 12, 11));
  p.setPen(QPen(edge, 1));
  p.setBrush(QColor(0xFB, 0xE3, 0x9A));
  p.drawEllipse(QRectF(2.5, 2.5, 13, 6));
  p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(15.5, 14), QPointF(19, 14));
  p.setBrush(QColor(0x55, 0x55, 0x55));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(18, 11, 4.5, 6), 1, 1);
}

void drawHelp(QPainter &p) {
  // A blue disc with a question mark.
  p.setPen(QPen(QColor(0x1A, 0x4F, 0x9C), 1));
  p.setBrush(QColor(0x2F, 0x7B, 0xD6));
  p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
  QFont font;
  font.setPixelSize(15);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter, QStringLiteral("?"));
}

void drawExit(QPainter &p) {
  // An open door with a red arrow pointing out.
  p.setPen(QPen(QColor(0x6B, 0x4A, 0x2A), 1));
  p.setBrush(QColor(0xC8, 0x9B, 0x62));
  p.drawRect(QRectF(3.5, 2.5, 10, 19));
  p.setBrush(QColor(0x8B, 0x5A, 0x2B));
  QPainterPath door;
  door.moveTo(3.5, 2.5);
  door.lineTo(9.5, 5);
  door.lineTo(9.5, 22);
  door.lineTo(3.5, 21.5);
  door.closeSubpath();
  p.drawPath(door);
  p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2.4, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin));
  p.drawLine(QPointF(12, 12), QPointF(21, 12));
  p.drawLine(QPointF(17.5, 8.5), QPointF(21, 12));
  p.drawLine(QPointF(17.5, 15.5), QPointF(21, 12));
}

QPixmap picture(ToolIcon icon, int scale) {
  QPixmap pixmap(Side * scale, Side * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(double(Side) / Units, double(Side) / Units);
  switch (icon) {
  case ToolIcon::Query:
    drawQuery(painter);
    break;
  case ToolIcon::Export:
    drawExport(painter);
    break;
  case ToolIcon::Connect:
    drawConnect(painter);
    break;
  case ToolIcon::Help:
    drawHelp(painter);
    break;
  case ToolIcon::Exit:
    drawExit(painter);
    break;
  }
  return pixmap;
}

} // namespace

QIcon toolIcon(ToolIcon icon) {
  QIcon result;
  result.addPixmap(picture(icon, 1));
  result.addPixmap(picture(icon, 2));
  return result;
}
