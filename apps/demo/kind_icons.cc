#include "demo/kind_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

#include "scene/types.h"

namespace morvel::demo {

QIcon KindIcon(Long kind) {
  static std::map<Long, QIcon> cache;
  if (auto it = cache.find(kind); it != cache.end()) return it->second;
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case kNodeTypeGroup: {  // a folder
      p.setPen(QColor(0x9a, 0x74, 0x10));
      p.setBrush(QColor(0xf2, 0xc7, 0x4e));
      QPainterPath folder;
      folder.moveTo(1.5, 3.5);
      folder.lineTo(6, 3.5);
      folder.lineTo(7.5, 5);
      folder.lineTo(14.5, 5);
      folder.lineTo(14.5, 13.5);
      folder.lineTo(1.5, 13.5);
      folder.closeSubpath();
      p.drawPath(folder);
      break;
    }
    case kNodeTypeShape: {  // a cube
      p.setPen(QColor(0x2a, 0x4f, 0x9a));
      p.setBrush(QColor(0x7d, 0xa7, 0xf0));
      QPolygonF top({QPointF(8, 1.5), QPointF(14.5, 4.5), QPointF(8, 7.5),
                     QPointF(1.5, 4.5)});
      p.drawPolygon(top);
      p.setBrush(QColor(0x4c, 0x7f, 0xd8));
      p.drawPolygon(QPolygonF({QPointF(1.5, 4.5), QPointF(8, 7.5),
                               QPointF(8, 14.5), QPointF(1.5, 11.5)}));
      p.setBrush(QColor(0x36, 0x64, 0xb8));
      p.drawPolygon(QPolygonF({QPointF(14.5, 4.5), QPointF(8, 7.5),
                               QPointF(8, 14.5), QPointF(14.5, 11.5)}));
      break;
    }
    case kNodeTypeLight: {  // a lit bulb
      p.setPen(QColor(0xa0, 0x70, 0x00));
      p.setBrush(QColor(0xff, 0xd8, 0x3a));
      p.drawEllipse(QPointF(8, 6.5), 5, 5);
      p.setBrush(QColor(0x80, 0x80, 0x88));
      p.setPen(Qt::NoPen);
      p.drawRect(QRectF(5.5, 11, 5, 3.5));
      break;
    }
    case kNodeTypeCamera: {  // a camera body and lens
      p.setPen(QColor(0x30, 0x30, 0x38));
      p.setBrush(QColor(0x60, 0x60, 0x6c));
      p.drawRoundedRect(QRectF(1.5, 4.5, 10, 8), 1.5, 1.5);
      p.drawPolygon(QPolygonF({QPointF(11.5, 7), QPointF(14.5, 5),
                               QPointF(14.5, 12), QPointF(11.5, 10)}));
      p.setBrush(QColor(0xa8, 0xd0, 0xff));
      p.drawEllipse(QPointF(6.5, 8.5), 2.2, 2.2);
      break;
    }
    case kNodeTypeBone: {  // a bone
      p.setPen(QColor(0x8a, 0x7a, 0x60));
      p.setBrush(QColor(0xf4, 0xec, 0xd8));
      p.drawEllipse(QPointF(3.5, 3.5), 2.2, 2.2);
      p.drawEllipse(QPointF(12.5, 12.5), 2.2, 2.2);
      p.save();
      p.translate(8, 8);
      p.rotate(45);
      p.drawRoundedRect(QRectF(-6, -1.6, 12, 3.2), 1.5, 1.5);
      p.restore();
      break;
    }
    default:
      break;
  }
  p.end();
  QIcon icon(pixmap);
  cache[kind] = icon;
  return icon;
}

}  // namespace morvel::demo
