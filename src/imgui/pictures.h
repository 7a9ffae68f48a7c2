#ifndef MORVEL_IMGUI_PICTURES_H_
#define MORVEL_IMGUI_PICTURES_H_

#include <imgui.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The pictures the panel refers to by description ("image:N",
// "thumbnail:PATH:SIZE", "image:tip") as pixels, and as textures of the
// host's renderer. ImGui draws textures the host made; the panel asks for
// them through a TextureMaker and draws a plain swatch where it has none
// (a host without one, or the scripted runs, which draw nothing).
namespace morvel::imgui {

// RGBA, 8 bits a channel, rows top to bottom, not premultiplied.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Picture `index` (1..7) of the material grid's header image list, 15 x 14
// pixels: 1 a blue radial colour gradient (colour), 2 a speckled
// multicoloured texture (map 1), 3 the texture faded almost to white (map
// 2), 4 the texture fading out towards one side (map 3), 5 a blue grid of
// bumps (bump map), 6 a white glow on blue (glow), 7 a textured sphere
// (environment). Empty outside 1..7.
Image ImageListImage(int index);
// What each stands for, for tool tips.
const char* ImageListMeaning(int index);

// The picture of a description: an image-list picture, the tip window's
// bulb, or a thumbnail: the image file (absolute, or relative to
// `base_folder`) scaled to fit SIZE, or, when the file cannot be read, a
// swatch coloured after its name so a scene stays readable without its
// textures. Empty for the empty description and what names nothing.
Image PictureImage(const std::string& description,
                   const std::string& base_folder);

// Splits "thumbnail:PATH:SIZE"; false for anything else.
bool ParseThumbnail(const std::string& description, std::string* path,
                    int* size);

// Makes and frees textures of the host's renderer (OpenGL, Vulkan, ...).
class TextureMaker {
 public:
  virtual ~TextureMaker() = default;
  virtual ImTextureID Create(const Image& image) = 0;
  virtual void Destroy(ImTextureID texture) = 0;
};

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
