#include "imgui/pictures.h"

#include <stb_image.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace morvel::imgui {
namespace {

// The image file scaled to fit `size`: each pixel of the thumbnail
// averages the pixels of the file it covers.
Image ReadThumbnail(const std::string& file, int size) {
  int w = 0, h = 0, channels = 0;
  std::uint8_t* data = stbi_load(file.c_str(), &w, &h, &channels, 4);
  if (!data) return {};
  double scale = std::min(1.0, static_cast<double>(size) / std::max(w, h));
  Image image;
  image.width = std::max(1, static_cast<int>(std::lround(w * scale)));
  image.height = std::max(1, static_cast<int>(std::lround(h * scale)));
  image.rgba.resize(static_cast<std::size_t>(image.width * image.height) * 4);
  std::uint8_t* out = image.rgba.data();
  for (int y = 0; y < image.height; ++y) {
    int y0 = y * h / image.height, y1 = std::max(y0 + 1, (y + 1) * h / image.height);
    for (int x = 0; x < image.width; ++x) {
      int x0 = x * w / image.width, x1 = std::max(x0 + 1, (x + 1) * w / image.width);
      double sum[4] = {0, 0, 0, 0};
      for (int sy = y0; sy < y1; ++sy) {
        const std::uint8_t* row = data + (static_cast<std::size_t>(sy) * w) * 4;
        for (int sx = x0; sx < x1; ++sx) {
          for (int k = 0; k < 4; ++k) sum[k] += row[sx * 4 + k];
        }
      }
      double n = static_cast<double>((y1 - y0) * (x1 - x0));
      for (int k = 0; k < 4; ++k)
        *out++ = static_cast<std::uint8_t>(std::lround(sum[k] / n));
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
  return image.Empty() ? SwatchImage(path, size) : image;
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
