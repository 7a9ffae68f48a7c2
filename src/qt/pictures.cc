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

// The shared pixels as a Qt image.
QImage ToQImage(const Image& pixels) {
  if (pixels.Empty()) return {};
  QImage image(pixels.rgba.data(), pixels.width, pixels.height,
               pixels.width * 4, QImage::Format_RGBA8888);
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}


// A stand-in for a texture file that is not there: a tile pattern in a
// colour taken from the file name, with the name's first letter.
QPixmap Swatch(const QString& path, int size) {
  QString name = QFileInfo(path).completeBaseName();
  QImage image = ToQImage(SwatchImage(path.toStdString(), size));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // The name's first letter on the stripes.
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

}  // namespace

QImage ImageListImage(int index) {
  return ToQImage(morvel::ImageListImage(index));
}

QString ImageListMeaning(int index) {
  return QString::fromUtf8(morvel::ImageListMeaning(index));
}

bool ParseThumbnail(const std::string& description, std::string* path,
                    int* size) {
  return morvel::ParseThumbnail(description, path, size);
}

QPixmap PictureFor(const std::string& description, const QString& base_folder) {
  if (description.empty()) return {};
  static QHash<QString, QPixmap> cache;
  QString key = QString::fromStdString(description) + QChar('\n') + base_folder;
  if (auto it = cache.find(key); it != cache.end()) return *it;

  QPixmap pixmap;
  if (description == "image:tip") {
    pixmap = QPixmap::fromImage(ToQImage(TipImage(32)));
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
