#ifndef MORVEL_APPS_IMGUI_DEMO_GL_WINDOW_H_
#define MORVEL_APPS_IMGUI_DEMO_GL_WINDOW_H_

#include <functional>
#include <memory>
#include <string>

#include "imgui/pictures.h"

struct GLFWwindow;

// The demo's window: GLFW with an OpenGL 3 context, Dear ImGui's GLFW and
// OpenGL 3 backends, the fonts and the style. Mesa's software renderer
// draws it under Xvfb when there is no screen.
namespace morvel::imgui_demo {

// The panel's pictures as OpenGL textures.
class GlTextures final : public imgui::TextureMaker {
 public:
  ImTextureID Create(const imgui::Image& image) override;
  void Destroy(ImTextureID texture) override;
};

class GlWindow {
 public:
  // Opens the window (hidden with `visible` off, for a screenshot); false
  // with the reason in `error` when no OpenGL 3 window can be had.
  bool Open(int width, int height, bool visible, std::string& error);
  ~GlWindow();

  // One frame: events, ImGui's frame, `draw`, render, present. False once
  // the window is closing (nothing is drawn then).
  bool Frame(const std::function<void()>& draw);
  // Reads the last frame drawn and writes it as a PNG; false when the file
  // cannot be written.
  bool Screenshot(const std::string& path);
  int Width() const { return width_; }
  int Height() const { return height_; }
  GlTextures& Textures() { return textures_; }

 private:
  GLFWwindow* window_ = nullptr;
  bool imgui_ready_ = false;
  int width_ = 0, height_ = 0;
  GlTextures textures_;
};

// Re-runs this program under `xvfb-run -a` when there is no display, so a
// screenshot can still be rendered (by Mesa, in software). Returns only when
// it did not (a display is there, or xvfb-run is missing).
void RunUnderXvfbWhenHeadless(int argc, char** argv);

}  // namespace morvel::imgui_demo

#endif  // MORVEL_APPS_IMGUI_DEMO_GL_WINDOW_H_
