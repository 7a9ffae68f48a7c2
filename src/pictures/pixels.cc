#include "pictures/pixels.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <utility>

namespace morvel {
namespace {

constexpr int kW = kImageListWidth;
constexpr int kH = kImageListHeight;

struct Rgba {
  double r = 0, g = 0, b = 0, a = 255;
};

Rgba Hex(std::uint32_t rgb, double a = 255) {
  return {static_cast<double>((rgb >> 16) & 0xFF),
          static_cast<double>((rgb >> 8) & 0xFF),
          static_cast<double>(rgb & 0xFF), a};
}

Rgba Mix(const Rgba& x, const Rgba& y, double t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t,
          x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Image Blank(int width, int height) {
  Image image;
  image.width = width;
  image.height = height;
  image.rgba.assign(static_cast<std::size_t>(width * height) * 4, 0);
  return image;
}

void Put(Image& image, int x, int y, const Rgba& c) {
  std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  auto channel = [](double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
  };
  image.rgba[at] = channel(c.r);
  image.rgba[at + 1] = channel(c.g);
  image.rgba[at + 2] = channel(c.b);
  image.rgba[at + 3] = channel(c.a);
}

// A small deterministic hash: the speckles are the same on every run.
std::uint32_t Hash(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

// The multicoloured speckle of the texture pictures.
Rgba Speckle(int x, int y, std::uint32_t seed = 0) {
  static const std::uint32_t kPalette[] = {0xd9412e, 0xf0b429, 0x49a84c,
                                           0x2a9fd6, 0x6a4bc4, 0xd94c9a,
                                           0xe8772e, 0x3cc3b5};
  std::uint32_t h = Hash(static_cast<std::uint32_t>(x * 73856093) ^
                         static_cast<std::uint32_t>(y * 19349663) ^ seed);
  Rgba c = Hex(kPalette[h % 8]);
  double shade = static_cast<double>((h >> 8) % 60) - 30;
  return {c.r + shade, c.g + shade, c.b + shade, 255};
}

// A radial ramp through `stops` (position 0..1, colour), `radius` pixels
// from the centre.
Rgba Ramp(const std::vector<std::pair<double, Rgba>>& stops, double t) {
  if (t <= stops.front().first) return stops.front().second;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].first) {
      double span = stops[i].first - stops[i - 1].first;
      return Mix(stops[i - 1].second, stops[i].second,
                 (t - stops[i - 1].first) / span);
    }
  }
  return stops.back().second;
}

Image RadialGradient() {
  Image image = Blank(kW, kH);
  const std::vector<std::pair<double, Rgba>> stops = {
      {0.0, Hex(0xd8f0ff)},
      {0.35, Hex(0x4fa8f5)},
      {0.75, Hex(0x144fc2)},
      {1.0, Hex(0x081f66)}};
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      double dx = x + 0.5 - (kW / 2.0 - 1.5), dy = y + 0.5 - (kH / 2.0 - 1.5);
      Put(image, x, y, Ramp(stops, std::sqrt(dx * dx + dy * dy) / 8.5));
    }
  }
  return image;
}

Image Texture(double fade_from, double fade_to) {
  Image image = Blank(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      double t = fade_from + (fade_to - fade_from) * x / (kW - 1.0);
      Put(image, x, y, Mix(Speckle(x, y), Hex(0xffffff), t));
    }
  }
  return image;
}

Image Bumps() {
  Image image = Blank(kW, kH);
  const Rgba base = Hex(0x1f4fb8);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      // A bump every five pixels, lit on its upper left: an embossed grid.
      double cx = (x % 5) - 2.0, cy = (y % 5) - 2.0;
      double d = std::sqrt(cx * cx + cy * cy);
      Rgba c = base;
      if (d <= 1.6) {
        double light = -(cx + cy) / 3.2;
        c = light > 0 ? Mix(base, Hex(0xb8d8ff), light)
                      : Mix(base, Hex(0x061648), -light);
      } else if (x % 5 == 4 || y % 5 == 4) {
        c = Hex(0x163a8a);
      }
      Put(image, x, y, c);
    }
  }
  return image;
}

Image Glow() {
  Image image = Blank(kW, kH);
  const std::vector<std::pair<double, Rgba>> stops = {
      {0.0, Hex(0xffffff, 255)},
      {0.3, Hex(0xffffff, 230)},
      {0.7, Hex(0xbed7ff, 90)},
      {1.0, Hex(0x78a0ff, 0)}};
  const Rgba ground = Hex(0x123c9c);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      double dx = x + 0.5 - kW / 2.0, dy = y + 0.5 - kH / 2.0;
      Rgba light = Ramp(stops, std::sqrt(dx * dx + dy * dy) / 7.0);
      Rgba c = Mix(ground, light, light.a / 255.0);
      c.a = 255;
      Put(image, x, y, c);
    }
  }
  return image;
}

Image Sphere() {
  Image image = Blank(kW, kH);
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
      Rgba c = Speckle(x, y, 7);
      c = {c.r * light, c.g * light, c.b * light, 255};
      double spec =
          std::pow(std::max(0.0, -0.4 * dx - 0.4 * dy + 0.82 * dz), 12);
      c = Mix(c, Hex(0xffffff), std::min(1.0, spec));
      c.a = d2 > 0.85 ? 170 : 255;  // a soft edge
      Put(image, x, y, c);
    }
  }
  return image;
}

}  // namespace

// A lit bulb on a glow.
Image TipImage(int size) {
  Image image = Blank(size, size);
  const double s = size / 32.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double px = (x + 0.5) / s, py = (y + 0.5) / s;
      Rgba c{0, 0, 0, 0};
      double gx = (px - 16) / 15, gy = (py - 12) / 12;
      double g = gx * gx + gy * gy;
      if (g < 1) c = Hex(0xfff096, 160 * (1 - g));
      double bx = px - 16, by = py - 12;
      if (bx * bx + by * by <= 8.5 * 8.5 ||
          (px >= 12 && px <= 20 && py >= 17 && py <= 22)) {
        double t = std::sqrt((px - 13) * (px - 13) + (py - 8) * (py - 8)) / 11;
        c = Ramp({{0.0, Hex(0xfffbe0)}, {0.6, Hex(0xffd83a)},
                  {1.0, Hex(0xe0a010)}},
                 t);
      }
      if (px >= 11.5 && px <= 20.5 && py >= 22 && py <= 28) {
        bool thread = std::fabs(py - 24) < 0.5 || std::fabs(py - 26) < 0.5;
        c = thread ? Hex(0x505058) : Hex(0x7a7a80);
      }
      Put(image, x, y, c);
    }
  }
  return image;
}


Image SwatchImage(const std::string& path, int size) {
  std::string name = std::filesystem::path(path).stem().string();
  std::uint32_t h = 2166136261u;
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  // A hue from the name, fairly light and not too strong.
  double hue = (h % 360) / 60.0;
  double x = 1 - std::fabs(std::fmod(hue, 2.0) - 1);
  double rgb[3][6] = {{1, x, 0, 0, x, 1}, {x, 1, 1, x, 0, 0},
                      {0, 0, x, 1, 1, x}};
  int sector = static_cast<int>(hue) % 6;
  Rgba base{200 - 86 * (1 - rgb[0][sector]), 200 - 86 * (1 - rgb[1][sector]),
            200 - 86 * (1 - rgb[2][sector]), 255};
  Image image = Blank(size, size);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      bool stripe = ((px + py / 3) / 4 + static_cast<int>(h >> 5)) % 2 == 0;
      Rgba c = stripe ? base : Mix(base, Rgba{0, 0, 0}, 0.15);
      double n = static_cast<double>(
          Hash(static_cast<std::uint32_t>(px / 2 * 131 + py / 2 * 977) ^ h) %
          14);
      c = Mix(c, Rgba{255, 255, 255}, n / 100);
      if (px == 0 || py == 0 || px == size - 1 || py == size - 1)
        c = Mix(c, Rgba{0, 0, 0}, 0.35);
      Put(image, px, py, c);
    }
  }
  return image;
}

Image ImageListImage(int index) {
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

const char* ImageListMeaning(int index) {
  static const char* const kMeanings[] = {
      "Colour",   "Texture map", "Faded texture map", "Transparency map",
      "Bump map", "Glow map",    "Environment map"};
  return index >= 1 && index <= 7 ? kMeanings[index - 1] : "";
}

bool ParseThumbnail(const std::string& description, std::string* path,
                    int* size) {
  static const std::string kPrefix = "thumbnail:";
  if (description.compare(0, kPrefix.size(), kPrefix) != 0) return false;
  std::size_t colon = description.rfind(':');
  if (colon == std::string::npos || colon < kPrefix.size()) return false;
  const char* digits = description.data() + colon + 1;
  const char* end = description.data() + description.size();
  if (end - digits < 1 || end - digits > 4) return false;
  if (!std::all_of(digits, end, [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  std::from_chars(digits, end, *size);
  *path = description.substr(kPrefix.size(), colon - kPrefix.size());
  return true;
}

}  // namespace morvel
