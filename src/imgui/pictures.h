#ifndef MORVEL_IMGUI_PICTURES_H_
#define MORVEL_IMGUI_PICTURES_H_

#include <imgui.h>

#include <string>
#include <unordered_map>

#include "imgui/texture_maker.h"
#include "pictures/pixels.h"

// The pictures the panel refers to by description ("image:N",
// "thumbnail:PATH:SIZE", "image:tip") as pixels, and as textures of the
// host's renderer (texture_maker.h); the panel draws a plain swatch where
// it has none (a host without a TextureMaker, or the scripted runs, which
// draw nothing).
namespace morvel::imgui {

// The picture of a description: an image-list picture, the tip window's
// bulb, or a thumbnail: the image file (absolute, or relative to
// `base_folder`) scaled to fit SIZE, or, when the file cannot be read, a
// swatch coloured after its name so a scene stays readable without its
// textures. Empty for the empty description and what names nothing.
Image PictureImage(const std::string& description,
                   const std::string& base_folder);

// The textures of the pictures drawn so far, made once each.
class PictureCache {
 public:
  explicit PictureCache(TextureMaker* maker) : maker_(maker) {}
  ~PictureCache();
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  struct Texture {
    ImTextureID id{};
    ImVec2 size;
    // The average colour, for a host without textures.
    ImU32 swatch = 0;
    bool empty = true;
  };
  // The picture of a description, made on first use.
  const Texture& Get(const std::string& description);
  void SetBaseFolder(const std::string& folder);
  void SetMaker(TextureMaker* maker);

 private:
  void Clear();
  TextureMaker* maker_;
  std::string base_folder_;
  std::unordered_map<std::string, Texture> textures_;
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_PICTURES_H_
