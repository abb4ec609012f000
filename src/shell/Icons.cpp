#include "shell/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 20;

QPixmap Canvas() {
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  return pm;
}

// A floppy-like disk, the picture of a data file on a medium.
void Disk(QPainter& p, QRectF r, QColor body) {
  p.setPen(QPen(QColor(40, 40, 60), 1));
  p.setBrush(body);
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setBrush(QColor(235, 235, 235));
  p.drawRect(QRectF(r.left() + r.width() * 0.22, r.top(), r.width() * 0.56, r.height() * 0.36));
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(QRectF(r.left() + r.width() * 0.15, r.top() + r.height() * 0.55, r.width() * 0.7, r.height() * 0.45));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor c) {
  p.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  QLineF l(to, from);
  QLineF a = l;
  a.setLength(4.5);
  a.setAngle(l.angle() + 35);
  QLineF b = l;
  b.setLength(4.5);
  b.setAngle(l.angle() - 35);
  p.drawLine(a);
  p.drawLine(b);
}

void Book(QPainter& p, QColor cover, bool open) {
  p.setPen(QPen(QColor(60, 40, 20), 1));
  if (open) {
    p.setBrush(QColor(252, 250, 240));
    p.drawPolygon(QPolygonF({QPointF(1.5, 4), QPointF(10, 6), QPointF(10, 18), QPointF(1.5, 16)}));
    p.drawPolygon(QPolygonF({QPointF(18.5, 4), QPointF(10, 6), QPointF(10, 18), QPointF(18.5, 16)}));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (int i = 0; i < 3; ++i) {
      p.drawLine(QPointF(3.5, 8 + i * 2.8), QPointF(8.5, 9 + i * 2.8));
      p.drawLine(QPointF(11.5, 9 + i * 2.8), QPointF(16.5, 8 + i * 2.8));
    }
  } else {
    p.setBrush(cover);
    p.drawRoundedRect(QRectF(3.5, 1.5, 12, 17), 1, 1);
    p.setBrush(QColor(250, 248, 235));
    p.drawRect(QRectF(13.5, 2.5, 2, 15));
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.drawLine(QPointF(6, 6), QPointF(11.5, 6));
  }
}

QPixmap Draw(ToolIcon which) {
  QPixmap pm = Canvas();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (which) {
    case ToolIcon::Reload: {
      p.setPen(QPen(QColor(30, 110, 40), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(3.5, 3.5, 13, 13), 60 * 16, 280 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 110, 40));
      p.drawPolygon(QPolygonF({QPointF(10.5, 0.5), QPointF(15.5, 4.2), QPointF(10.5, 7.5)}));
      break;
    }
    case ToolIcon::Save: Disk(p, QRectF(2.5, 2.5, 15, 15), QColor(40, 80, 170)); break;
    case ToolIcon::Backup:
      Disk(p, QRectF(6.5, 6.5, 12, 12), QColor(180, 120, 30));
      Arrow(p, QPointF(2, 2), QPointF(9, 9), QColor(200, 40, 40));
      break;
    case ToolIcon::Restore:
      Disk(p, QRectF(1.5, 1.5, 12, 12), QColor(180, 120, 30));
      Arrow(p, QPointF(10, 10), QPointF(18, 18), QColor(30, 110, 40));
      break;
    case ToolIcon::Weather: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 190, 30));
      p.drawEllipse(QPointF(7, 7), 4.5, 4.5);
      p.setBrush(QColor(250, 250, 255));
      p.setPen(QPen(QColor(100, 120, 160), 1));
      QPainterPath cloud;
      cloud.addEllipse(QPointF(10, 12), 4, 3.5);
      cloud.addEllipse(QPointF(14, 11), 4.5, 4.5);
      cloud.addRoundedRect(QRectF(6, 12, 13, 5), 2.5, 2.5);
      p.drawPath(cloud.simplified());
      break;
    }
    case ToolIcon::DiaryEdit:
      Book(p, QColor(170, 60, 40), false);
      p.setPen(QPen(QColor(40, 40, 40), 1));
      p.setBrush(QColor(240, 200, 60));
      p.drawPolygon(QPolygonF({QPointF(17, 7), QPointF(19.5, 9.5), QPointF(10.5, 18.5), QPointF(8, 19), QPointF(8.5, 16)}));
      break;
    case ToolIcon::Diary: Book(p, QColor(170, 60, 40), true); break;
    case ToolIcon::Market: {
      p.setPen(QPen(QColor(120, 90, 10), 1));
      p.setBrush(QColor(250, 210, 70));
      p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
      p.setPen(QPen(QColor(120, 80, 0), 1.8));
      p.drawLine(QPointF(6.5, 5), QPointF(10, 10));
      p.drawLine(QPointF(13.5, 5), QPointF(10, 10));
      p.drawLine(QPointF(10, 10), QPointF(10, 16));
      p.drawLine(QPointF(6.5, 11), QPointF(13.5, 11));
      p.drawLine(QPointF(6.5, 13.5), QPointF(13.5, 13.5));
      break;
    }
    case ToolIcon::Material: {
      p.setPen(QPen(QColor(90, 60, 20), 1));
      p.setBrush(QColor(205, 160, 100));
      p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(10, 2.5), QPointF(18, 6), QPointF(10, 9.5)}));
      p.setBrush(QColor(180, 130, 70));
      p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(10, 9.5), QPointF(10, 18.5), QPointF(2, 15)}));
      p.setBrush(QColor(155, 110, 55));
      p.drawPolygon(QPolygonF({QPointF(18, 6), QPointF(10, 9.5), QPointF(10, 18.5), QPointF(18, 15)}));
      break;
    }
    case ToolIcon::Schedule: {
      p.setPen(QPen(QColor(80, 80, 80), 1));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(1.5, 2.5, 17, 15));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(40, 120, 200));
      p.drawRect(QRectF(3, 5, 8, 3));
      p.setBrush(QColor(60, 160, 60));
      p.drawRect(QRectF(7, 9.5, 9, 3));
      p.setBrush(QColor(220, 120, 40));
      p.drawRect(QRectF(4, 14, 6, 2.5));
      break;
    }
    case ToolIcon::Observe: {
      p.setPen(QPen(QColor(40, 110, 30), 1.8));
      p.drawLine(QPointF(10, 18.5), QPointF(10, 8));
      p.setPen(QPen(QColor(30, 90, 20), 1));
      p.setBrush(QColor(90, 180, 60));
      QPainterPath left;
      left.moveTo(10, 10);
      left.cubicTo(6, 2, 1, 5, 2, 8);
      left.cubicTo(4, 11, 8, 11, 10, 10);
      p.drawPath(left);
      QPainterPath right;
      right.moveTo(10, 8);
      right.cubicTo(13, 1, 19, 2, 18.5, 5);
      right.cubicTo(17, 9, 13, 9, 10, 8);
      p.drawPath(right);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(140, 100, 60));
      p.drawRect(QRectF(4, 17, 12, 2.5));
      break;
    }
    case ToolIcon::Quit: {
      p.setPen(QPen(QColor(70, 50, 30), 1));
      p.setBrush(QColor(160, 110, 60));
      p.drawRect(QRectF(3.5, 1.5, 10, 17));
      p.setBrush(QColor(230, 190, 60));
      p.drawEllipse(QPointF(11, 10.5), 1.2, 1.2);
      Arrow(p, QPointF(11, 10), QPointF(19, 10), QColor(200, 40, 40));
      break;
    }
  }
  return pm;
}

}  // namespace

QIcon ToolbarIcon(ToolIcon which) { return QIcon(Draw(which)); }

QIcon VornIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 60));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setBrush(QColor(150, 105, 60));
    p.drawRect(QRectF(1, 21, 30, 10));
    p.setPen(QPen(QColor(255, 255, 255), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(8, 7), QPointF(16, 25), QPointF(24, 7)}));
    icon.addPixmap(pm);
  }
  return icon;
}
