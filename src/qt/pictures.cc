#include "qt/pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "qt/tga_image.h"

namespace morvel::qt {
namespace {

constexpr int kW = kImageListWidth;
constexpr int kH = kImageListHeight;

// A small deterministic hash, so the speckles are the same on every run and
// every machine.
std::uint32_t Hash(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

// The multicoloured speckle shared by pictures 2, 3, 4 and 7.
QColor Speckle(int x, int y, std::uint32_t seed = 0) {
  static const QRgb kPalette[] = {0xd9412e, 0xf0b429, 0x49a84c, 0x2a9fd6,
                                  0x6a4bc4, 0xd94c9a, 0xe8772e, 0x3cc3b5};
  std::uint32_t h = Hash(static_cast<std::uint32_t>(x * 73856093) ^
                         static_cast<std::uint32_t>(y * 19349663) ^ seed);
  QColor c(kPalette[h % 8]);
  int shade = static_cast<int>((h >> 8) % 60) - 30;
  return QColor(std::clamp(c.red() + shade, 0, 255),
                std::clamp(c.green() + shade, 0, 255),
                std::clamp(c.blue() + shade, 0, 255));
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor(
      static_cast<int>(std::lround(a.red() * (1 - t) + b.red() * t)),
      static_cast<int>(std::lround(a.green() * (1 - t) + b.green() * t)),
      static_cast<int>(std::lround(a.blue() * (1 - t) + b.blue() * t)));
}

QImage Blank() {
  QImage image(kW, kH, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

QImage RadialGradient() {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(QPointF(kW / 2.0 - 1.5, kH / 2.0 - 1.5), 8.5);
  g.setColorAt(0.0, QColor(0xd8, 0xf0, 0xff));
  g.setColorAt(0.35, QColor(0x4f, 0xa8, 0xf5));
  g.setColorAt(0.75, QColor(0x14, 0x4f, 0xc2));
  g.setColorAt(1.0, QColor(0x08, 0x1f, 0x66));
  p.fillRect(image.rect(), g);
  return image;
}

QImage Texture(double fade_min, double fade_max) {
  QImage image = Blank();
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      double t = fade_min + (fade_max - fade_min) * x / (kW - 1.0);
      image.setPixelColor(x, y, Mix(Speckle(x, y), Qt::white, t));
    }
  }
  return image;
}

QImage Bumps() {
  QImage image = Blank();
  const QColor base(0x1f, 0x4f, 0xb8);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      // A bump every five pixels: lit on its upper left, shaded on its lower
      // right, like an embossed grid.
      double cx = (x % 5) - 2.0, cy = (y % 5) - 2.0;
      double d = std::sqrt(cx * cx + cy * cy);
      QColor c = base;
      if (d <= 1.6) {
        double light = -(cx + cy) / 3.2;  // -1 .. 1
        c = light > 0 ? Mix(base, QColor(0xb8, 0xd8, 0xff), light)
                      : Mix(base, QColor(0x06, 0x16, 0x48), -light);
      } else if (x % 5 == 4 || y % 5 == 4) {
        c = QColor(0x16, 0x3a, 0x8a);
      }
      image.setPixelColor(x, y, c);
    }
  }
  return image;
}

QImage Glow() {
  QImage image = Blank();
  QPainter p(&image);
  p.fillRect(image.rect(), QColor(0x12, 0x3c, 0x9c));
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(QPointF(kW / 2.0, kH / 2.0), 7.0);
  g.setColorAt(0.0, QColor(255, 255, 255, 255));
  g.setColorAt(0.3, QColor(255, 255, 255, 230));
  g.setColorAt(0.7, QColor(190, 215, 255, 90));
  g.setColorAt(1.0, QColor(120, 160, 255, 0));
  p.fillRect(image.rect(), g);
  return image;
}

QImage Sphere() {
  QImage image = Blank();
  const double cx = 7.0, cy = 6.5, r = 6.3;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
      double d2 = dx * dx + dy * dy;
      if (d2 > 1.0) continue;
      double dz = std::sqrt(1.0 - d2);
      // Lambert light from the upper left plus a small highlight.
      double light = std::clamp(0.25 + 0.75 * (-0.5 * dx - 0.5 * dy + 0.7 * dz),
                                0.15, 1.0);
      QColor c = Speckle(x, y, 7);
      c = QColor(static_cast<int>(c.red() * light),
                 static_cast<int>(c.green() * light),
                 static_cast<int>(c.blue() * light));
      double spec =
          std::pow(std::max(0.0, -0.4 * dx - 0.4 * dy + 0.82 * dz), 12);
      c = Mix(c, Qt::white, std::min(1.0, spec));
      // Soft edge: the outermost ring is half covered.
      int alpha = d2 > 0.85 ? 170 : 255;
      c.setAlpha(alpha);
      image.setPixelColor(x, y, c);
    }
  }
  return image;
}

// A stand-in for a texture file that is not there: a tile pattern in a
// colour taken from the file name, with the name's first letter.
QPixmap Swatch(const QString& path, int size) {
  QString name = QFileInfo(path).completeBaseName();
  std::uint32_t h = static_cast<std::uint32_t>(qHash(name));
  QColor base = QColor::fromHsv(static_cast<int>(h % 360), 110, 200);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      std::uint32_t n =
          Hash(static_cast<std::uint32_t>(x / 2 * 131 + y / 2 * 977) ^ h);
      bool stripe = ((x + y / 3) / 4 + static_cast<int>(h >> 5)) % 2 == 0;
      QColor c = stripe ? base : base.darker(118);
      c = c.lighter(95 + static_cast<int>(n % 14));
      image.setPixelColor(x, y, c);
    }
  }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0, 0, 0, 90));
  p.drawRect(QRectF(0.5, 0.5, size - 1, size - 1));
  if (!name.isEmpty() && size >= 16) {
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size / 2);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 220));
    p.drawText(image.rect(), Qt::AlignCenter, name.left(1).toUpper());
  }
  p.end();
  return QPixmap::fromImage(image);
}

// The tip window's picture: a lit bulb.
QImage TipImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  QRadialGradient glow(QPointF(16, 12), 15);
  glow.setColorAt(0.0, QColor(255, 240, 150, 160));
  glow.setColorAt(1.0, QColor(255, 240, 150, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(16, 12), 15, 12);
  QRadialGradient glass(QPointF(13, 8), 11);
  glass.setColorAt(0.0, QColor(0xff, 0xfb, 0xe0));
  glass.setColorAt(0.6, QColor(0xff, 0xd8, 0x3a));
  glass.setColorAt(1.0, QColor(0xe0, 0xa0, 0x10));
  QPainterPath bulb;
  bulb.addEllipse(QPointF(16, 12), 8.5, 8.5);
  bulb.addRect(QRectF(12, 17, 8, 5));
  p.setBrush(glass);
  p.setPen(QPen(QColor(0x9a, 0x6a, 0x00), 1.0));
  p.drawPath(bulb.simplified());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x7a, 0x7a, 0x80));
  p.drawRoundedRect(QRectF(11.5, 22, 9, 6), 1.5, 1.5);
  p.setPen(QPen(QColor(0x50, 0x50, 0x58), 1.0));
  p.drawLine(QPointF(12, 24), QPointF(20, 24));
  p.drawLine(QPointF(12, 26), QPointF(20, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x50, 0x50, 0x58));
  p.drawEllipse(QPointF(16, 29), 2, 1.5);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(10.5, 6.5, 8, 8), 100 * 16, 70 * 16);
  return image;
}

}  // namespace

QImage ImageListImage(int index) {
  switch (index) {
    case 1:
      return RadialGradient();
    case 2:
      return Texture(0.0, 0.0);
    case 3:
      return Texture(0.78, 0.78);
    case 4:
      return Texture(0.0, 0.95);
    case 5:
      return Bumps();
    case 6:
      return Glow();
    case 7:
      return Sphere();
    default:
      return {};
  }
}

QString ImageListMeaning(int index) {
  switch (index) {
    case 1:
      return QStringLiteral("Colour");
    case 2:
      return QStringLiteral("Texture map");
    case 3:
      return QStringLiteral("Faded texture map");
    case 4:
      return QStringLiteral("Transparency map");
    case 5:
      return QStringLiteral("Bump map");
    case 6:
      return QStringLiteral("Glow map");
    case 7:
      return QStringLiteral("Environment map");
    default:
      return {};
  }
}

bool ParseThumbnail(const std::string& description, std::string* path,
                    int* size) {
  static const std::string kPrefix = "thumbnail:";
  if (description.compare(0, kPrefix.size(), kPrefix) != 0) return false;
  std::size_t colon = description.rfind(':');
  if (colon == std::string::npos || colon < kPrefix.size()) return false;
  std::string digits = description.substr(colon + 1);
  if (digits.empty() || digits.size() > 4 ||
      !std::all_of(digits.begin(), digits.end(),
                   [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  *path = description.substr(kPrefix.size(), colon - kPrefix.size());
  *size = std::stoi(digits);
  return true;
}

QPixmap PictureFor(const std::string& description, const QString& base_folder) {
  if (description.empty()) return {};
  static QHash<QString, QPixmap> cache;
  QString key = QString::fromStdString(description) + QChar('\n') + base_folder;
  if (auto it = cache.find(key); it != cache.end()) return *it;

  QPixmap pixmap;
  if (description == "image:tip") {
    pixmap = QPixmap::fromImage(TipImage(32));
  } else if (description.rfind("image:", 0) == 0) {
    bool ok = false;
    int index = QString::fromStdString(description.substr(6)).toInt(&ok);
    if (ok) pixmap = QPixmap::fromImage(ImageListImage(index));
  } else {
    std::string path;
    int size = 0;
    if (ParseThumbnail(description, &path, &size) && !path.empty() &&
        size > 0) {
      QString file = QString::fromStdString(path);
      if (QFileInfo(file).isRelative() && !base_folder.isEmpty()) {
        file = QDir(base_folder).filePath(file);
      }
      QImage image(file);
      if (image.isNull() && file.endsWith(".tga", Qt::CaseInsensitive)) {
        QFile tga(file);
        if (tga.open(QIODevice::ReadOnly)) image = ReadTga(tga.readAll());
      }
      if (!image.isNull()) {
        pixmap = QPixmap::fromImage(image.scaled(
            size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
      } else {
        pixmap = Swatch(file, size);
      }
    }
  }
  if (cache.size() > 512) cache.clear();
  cache.insert(key, pixmap);
  return pixmap;
}

}  // namespace morvel::qt
