#include "imgui/pictures.h"

#include <stb_image.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace morvel::imgui {
namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 255;
};

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

// A small deterministic hash: the swatches are the same on every run.
std::uint32_t Hash(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

// A stand-in for a texture file that is not there: stripes in a colour
// taken from the file name.
Image Swatch(const std::string& path, int size) {
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

// The image file scaled to fit `size` (nearest neighbour of a box filter:
// each target pixel averages the source pixels it covers).
Image ReadThumbnail(const std::string& file, int size) {
  int w = 0, h = 0, channels = 0;
  std::uint8_t* data = stbi_load(file.c_str(), &w, &h, &channels, 4);
  if (!data) return {};
  double scale = std::min(1.0, static_cast<double>(size) / std::max(w, h));
  int tw = std::max(1, static_cast<int>(std::lround(w * scale)));
  int th = std::max(1, static_cast<int>(std::lround(h * scale)));
  Image image = Blank(tw, th);
  for (int y = 0; y < th; ++y) {
    int y0 = y * h / th, y1 = std::max(y0 + 1, (y + 1) * h / th);
    for (int x = 0; x < tw; ++x) {
      int x0 = x * w / tw, x1 = std::max(x0 + 1, (x + 1) * w / tw);
      double sum[4] = {0, 0, 0, 0};
      for (int sy = y0; sy < y1; ++sy) {
        for (int sx = x0; sx < x1; ++sx) {
          const std::uint8_t* p =
              data + (static_cast<std::size_t>(sy) * w + sx) * 4;
          for (int k = 0; k < 4; ++k) sum[k] += p[k];
        }
      }
      double n = static_cast<double>((y1 - y0) * (x1 - x0));
      Put(image, x, y, {sum[0] / n, sum[1] / n, sum[2] / n, sum[3] / n});
    }
  }
  stbi_image_free(data);
  return image;
}

}  // namespace

Image PictureImage(const std::string& description,
                   const std::string& base_folder) {
  if (description == "image:tip") return TipImage(32);
  if (description.rfind("image:", 0) == 0) {
    int index = 0;
    const char* begin = description.data() + 6;
    const char* end = description.data() + description.size();
    auto [stop, error] = std::from_chars(begin, end, index);
    if (error != std::errc() || stop != end) return {};
    return ImageListImage(index);
  }
  std::string path;
  int size = 0;
  if (!ParseThumbnail(description, &path, &size) || path.empty() || size <= 0)
    return {};
  std::filesystem::path file(path);
  if (file.is_relative() && !base_folder.empty())
    file = std::filesystem::path(base_folder) / file;
  Image image = ReadThumbnail(file.string(), size);
  return image.Empty() ? Swatch(path, size) : image;
}

PictureCache::~PictureCache() { Clear(); }

void PictureCache::Clear() {
  if (maker_) {
    for (auto& [description, texture] : textures_) {
      if (!texture.empty) maker_->Destroy(texture.id);
    }
  }
  textures_.clear();
}

void PictureCache::SetBaseFolder(const std::string& folder) {
  if (folder == base_folder_) return;
  Clear();
  base_folder_ = folder;
}

void PictureCache::SetMaker(TextureMaker* maker) {
  Clear();
  maker_ = maker;
}

const PictureCache::Texture& PictureCache::Get(const std::string& description) {
  if (auto it = textures_.find(description); it != textures_.end())
    return it->second;
  // A scene names a handful of maps; a cache grown past that is emptied
  // rather than left to grow with every file a person tried.
  if (textures_.size() > 512) Clear();
  Texture texture;
  Image image = PictureImage(description, base_folder_);
  if (!image.Empty()) {
    texture.size = ImVec2(static_cast<float>(image.width),
                          static_cast<float>(image.height));
    double sum[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
      for (int k = 0; k < 4; ++k) sum[k] += image.rgba[i + k];
    }
    double n = static_cast<double>(image.rgba.size() / 4);
    texture.swatch = IM_COL32(sum[0] / n, sum[1] / n, sum[2] / n, sum[3] / n);
    if (maker_) {
      texture.id = maker_->Create(image);
      texture.empty = false;
    }
  }
  return textures_.emplace(description, texture).first->second;
}

}  // namespace morvel::imgui
