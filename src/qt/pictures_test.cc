#include "qt/pictures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <initializer_list>
#include <set>

#include "base/types.h"
#include "qt/qt_platform.h"
#include "qt/tga_image.h"

namespace morvel::qt {
namespace {

// Mean of a rectangle's colour, to compare the parts of a picture.
struct Mean {
  double r = 0, g = 0, b = 0, a = 0;
  double Lightness() const { return (r + g + b) / 3; }
};

Mean MeanOf(const QImage& image, int x0, int y0, int x1, int y1) {
  Mean m;
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      QColor c = image.pixelColor(x, y);
      m.r += c.red();
      m.g += c.green();
      m.b += c.blue();
      m.a += c.alpha();
      ++n;
    }
  }
  m.r /= n;
  m.g /= n;
  m.b /= n;
  m.a /= n;
  return m;
}

Mean Whole(const QImage& image) {
  return MeanOf(image, 0, 0, image.width(), image.height());
}

TEST(ImageListTest, SevenPicturesOfFifteenByFourteenPixels) {
  std::set<QByteArray> distinct;
  for (int i = 1; i <= kImageListCount; ++i) {
    QImage image = ImageListImage(i);
    ASSERT_FALSE(image.isNull()) << i;
    EXPECT_EQ(image.size(), QSize(15, 14)) << i;
    distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                               static_cast<int>(image.sizeInBytes())));
    EXPECT_FALSE(ImageListMeaning(i).isEmpty()) << i;
  }
  EXPECT_EQ(distinct.size(), 7u);
  EXPECT_TRUE(ImageListImage(0).isNull());
  EXPECT_TRUE(ImageListImage(8).isNull());
}

// What each header picture shows: a blue gradient light in the middle, a
// speckled texture, faded and fading, blue bumps, a white glow on blue, and
// a round sphere lit from the upper left on a transparent ground.
TEST(ImageListTest, EachPictureLooksLikeWhatItStandsFor) {
  QImage image = ImageListImage(1);
  Mean centre = MeanOf(image, 5, 5, 9, 9);
  Mean corner = MeanOf(image, 0, 0, 2, 2);
  EXPECT_GT(centre.Lightness(), corner.Lightness() + 60);
  EXPECT_GT(Whole(image).b, Whole(image).r + 60);
  Mean texture = Whole(ImageListImage(2));
  Mean faded = Whole(ImageListImage(3));
  EXPECT_GT(faded.Lightness(), 215);
  EXPECT_LT(texture.Lightness(), 170);
  QImage fading = ImageListImage(4);
  Mean left = MeanOf(fading, 0, 0, 4, 14);
  Mean right = MeanOf(fading, 11, 0, 15, 14);
  EXPECT_GT(right.Lightness(), left.Lightness() + 60);
  // Speckled: neighbouring pixels of the texture differ.
  QImage speckle = ImageListImage(2);
  int changes = 0;
  for (int x = 1; x < 15; ++x)
    changes += speckle.pixel(x, 7) != speckle.pixel(x - 1, 7);
  EXPECT_GE(changes, 8);
  Mean bumps = Whole(ImageListImage(5));
  EXPECT_GT(bumps.b, bumps.r + 60);
  QImage glow = ImageListImage(6);
  QColor middle = glow.pixelColor(7, 7);
  EXPECT_GT(middle.red(), 230);
  EXPECT_GT(middle.green(), 230);
  QColor edge = glow.pixelColor(0, 0);
  EXPECT_GT(edge.blue(), edge.red() + 60);
  QImage sphere = ImageListImage(7);
  EXPECT_EQ(sphere.pixelColor(0, 0).alpha(), 0);
  EXPECT_EQ(sphere.pixelColor(14, 13).alpha(), 0);
  EXPECT_EQ(sphere.pixelColor(7, 6).alpha(), 255);
  // Lit from the upper left.
  EXPECT_GT(MeanOf(sphere, 4, 3, 7, 6).Lightness(),
            MeanOf(sphere, 8, 8, 11, 11).Lightness());
}

TEST(PictureForTest, DescriptionsBecomePixmaps) {
  EXPECT_TRUE(PictureFor("").isNull());
  EXPECT_EQ(PictureFor("image:3").size(), QSize(15, 14));
  EXPECT_TRUE(PictureFor("image:99").isNull());
  EXPECT_TRUE(PictureFor("nonsense").isNull());
  EXPECT_EQ(PictureFor("image:tip").size(), QSize(32, 32));
  // A texture file that is not there is drawn as a swatch of the size asked.
  EXPECT_EQ(PictureFor("thumbnail:/no/such/wood.png:32").size(), QSize(32, 32));
}

TEST(PictureForTest, ThumbnailOfARealFileIsTheImageScaled) {
  QImage red(64, 32, QImage::Format_RGB32);
  red.fill(QColor(255, 0, 0));
  QString path = QDir::tempPath() + "/morvel_pictures_test_red.png";
  ASSERT_TRUE(red.save(path));
  QPixmap thumbnail = PictureFor("thumbnail:" + path.toStdString() + ":32");
  EXPECT_EQ(thumbnail.size(), QSize(32, 16));
  EXPECT_EQ(thumbnail.toImage().pixelColor(5, 5), QColor(255, 0, 0));
  QFile::remove(path);
}

// A TGA file: the 18-byte header, then `body` (colour map and pixels).
QByteArray Tga(int type, int width, int height, int bits, int descriptor,
               std::initializer_list<int> body, int map_length = 0) {
  QByteArray data;
  auto u8 = [&](int v) { data.append(static_cast<char>(v & 0xFF)); };
  auto u16 = [&](int v) {
    u8(v);
    u8(v >> 8);
  };
  u8(0);                       // no image id
  u8(map_length > 0 ? 1 : 0);  // colour map
  u8(type);
  u16(0);
  u16(map_length);
  u8(map_length > 0 ? 24 : 0);
  u16(0);
  u16(0);
  u16(width);
  u16(height);
  u8(bits);
  u8(descriptor);
  for (int v : body) u8(v);
  return data;
}

// Every kind of TGA a texture comes as; Qt's own reader takes only some.
TEST(TgaTest, ReadsEveryKindOfTgaAndNothingElse) {
  const QColor red(255, 0, 0), blue(0, 0, 255), grey(0x80, 0x80, 0x80);
  struct Case {
    const char* what;
    QByteArray data;
    QColor top_left, bottom_right;
  };
  const Case cases[] = {
      // 2x2, bottom row first: blue blue / red red (BGR bytes).
      {"raw true colour", Tga(2, 2, 2, 24, 0, {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255}),
       red, blue},
      // A run of two blue, then two red pixels as they are; top row first.
      {"run-length, top first", Tga(10, 2, 2, 32, 0x28, {0x81, 255, 0, 0, 255, 0x01, 0, 0, 255, 255, 0, 0, 255, 255}),
       blue, red},
      {"grey", Tga(3, 2, 2, 8, 0x20, {0x80, 0, 0, 0x80}), grey, grey},
      {"colour-mapped, run-length", Tga(9, 2, 2, 8, 0x20, {0, 0, 255, 255, 0, 0, 0x83, 1}, 2),
       blue, blue},
      {"16-bit", Tga(2, 1, 1, 16, 0, {0x00, 0x7C}), red, red},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QImage image = ReadTga(c.data);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(0, 0).rgb(), c.top_left.rgb());
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1).rgb(),
              c.bottom_right.rgb());
  }
  // Cut short, garbage, a run past the end, an index past the map, a
  // size out of all proportion to the data: nothing, and no crash.
  const QByteArray whole = cases[1].data;
  for (const QByteArray& bad :
       {whole.left(whole.size() - 1), QByteArray("GIF89a not a tga at all"),
        Tga(10, 2, 1, 24, 0, {0x85, 1, 2, 3}),
        Tga(1, 1, 1, 8, 0, {0, 0, 255, 7}, 1),
        Tga(10, 8000, 8000, 24, 0, {0xFF, 1, 2, 3})}) {
    EXPECT_TRUE(ReadTga(bad).isNull());
  }
}

TEST(PictureForTest, ATgaThumbnailIsDrawnNotReplacedByASwatch) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QFile file(folder.filePath("rust.tga"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Tga(10, 2, 2, 24, 0, {0x83, 0, 0, 255}));
  file.close();
  QPixmap thumbnail = PictureFor("thumbnail:rust.tga:32", folder.path());
  ASSERT_EQ(thumbnail.size(), QSize(32, 32));
  EXPECT_EQ(thumbnail.toImage().pixelColor(16, 16), QColor(255, 0, 0));
  // A texture of the model corpus that Qt's reader refuses.
  const QString grail = "/usr/share/assimp/models/SMD/holygrail.tga";
  if (QFile::exists(grail)) {
    EXPECT_FALSE(ReadTga([&] {
                   QFile f(grail);
                   f.open(QIODevice::ReadOnly);
                   return f.readAll();
                 }())
                     .isNull());
  }
}

TEST(ParseThumbnailTest, SplitsPathAndSizeAtTheLastColon) {
  struct Case {
    const char* description;
    bool ok;
    const char* path;
    int size;
  };
  const Case cases[] = {
      {"thumbnail:wood.png:32", true, "wood.png", 32},
      {"thumbnail:C:/maps/a.png:16", true, "C:/maps/a.png", 16},
      {"thumbnail::32", true, "", 32},
      {"thumbnail:wood.png", false, "", 0},
      {"thumbnail:wood.png:", false, "", 0},
      {"thumbnail:wood.png:3x", false, "", 0},
      {"thumbnail:wood.png:123456", false, "", 0},
      {"image:1", false, "", 0},
  };
  for (const Case& c : cases) {
    std::string path;
    int size = 0;
    EXPECT_EQ(ParseThumbnail(c.description, &path, &size), c.ok)
        << c.description;
    if (c.ok) {
      EXPECT_EQ(path, c.path) << c.description;
      EXPECT_EQ(size, c.size) << c.description;
    }
  }
}

TEST(ColourTest, PackedColoursAndBack) {
  struct Case {
    Colour colour;
    unsigned int rgb;
  };
  const Case cases[] = {
      {0x0000FF, 0xFFFF0000u},  // red in the low byte
      {0x00FF00, 0xFF00FF00u}, {0xFF0000, 0xFF0000FFu},
      {0x123456, 0xFF563412u}, {0xFFFFFF, 0xFFFFFFFFu},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColourToRgb(c.colour), c.rgb) << std::hex << c.colour;
    EXPECT_EQ(RgbToColour(c.rgb), c.colour) << std::hex << c.colour;
  }
  // System colours come from the style's palette and are opaque.
  EXPECT_EQ(ColourToRgb(static_cast<Colour>(0x8000000F)) >> 24, 0xFFu);
}

}  // namespace
}  // namespace morvel::qt
