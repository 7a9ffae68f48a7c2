#ifndef MORVEL_IMGUI_HEADLESS_SCREEN_H_
#define MORVEL_IMGUI_HEADLESS_SCREEN_H_

#include <imgui.h>

#include <functional>

#include "imgui/imgui_input.h"

// An ImGui context without a window or a renderer: frames are built and
// rendered into draw lists nobody shows, and input is what a script sends.
// ImGui needs nothing more to run frames, so the panel's ImGui front end
// runs its scenarios, tests and benchmarks with no display and no GPU.
namespace morvel::imgui {

class HeadlessScreen {
 public:
  // A screen of `size` pixels; its context becomes the current one.
  explicit HeadlessScreen(ImVec2 size = ImVec2(1280, 800));
  ~HeadlessScreen();
  HeadlessScreen(const HeadlessScreen&) = delete;
  HeadlessScreen& operator=(const HeadlessScreen&) = delete;

  ImGuiContext* Context() const { return context_; }
  ImGuiIO& IO();
  // One frame: NewFrame, `draw`, Render. The input sent before it arrives
  // in it. The context is made current first.
  void Frame(const std::function<void()>& draw);

  // One frame whose content is a host window at the screen's corner,
  // without decoration, `window` pixels: what tests and benchmarks draw the
  // panel in.
  void WindowFrame(ImVec2 window, const std::function<void()>& content);

  // A person's input, as a backend would send it.
  void MoveMouse(ImVec2 to);
  void MouseButton(bool down);
  void Wheel(float lines, float sideways = 0.0f);
  void KeyDown(Key key, bool down);
  void Ctrl(bool down);
  void Char(unsigned int code_point);

 private:
  ImGuiContext* context_;
  // Wheel movement lasts one frame.
  bool wheel_sent_ = false;
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_HEADLESS_SCREEN_H_
