#ifndef MORVEL_IMGUI_TEXTURE_MAKER_H_
#define MORVEL_IMGUI_TEXTURE_MAKER_H_

#include <imgui.h>

#include "pictures/pixels.h"

// The panel's pictures (the material grid's header icons, map thumbnails,
// the tip's bulb) as textures of the host's renderer: ImGui draws textures
// the host made, so the panel hands the host the pixels and draws what it
// gets back.
namespace morvel::imgui {

// The pixels (pictures/pixels.h).
using morvel::Image;

// Makes and frees textures of the host's renderer (OpenGL, Vulkan, ...).
// The panel makes each picture once and frees it when it is done with it.
class TextureMaker {
 public:
  virtual ~TextureMaker() = default;
  virtual ImTextureID Create(const Image& image) = 0;
  virtual void Destroy(ImTextureID texture) = 0;
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_TEXTURE_MAKER_H_
