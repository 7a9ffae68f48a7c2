#ifndef MORVEL_IMGUI_FRAME_HOOK_H_
#define MORVEL_IMGUI_FRAME_HOOK_H_

#include <imgui.h>

#include <functional>

struct ImGuiContext;
struct ImGuiContextHook;

// Runs a function each time ImGui has rendered a frame of a context: the
// moment between two frames, where the panel runs the input it took during
// the frame (and where a modal answer may run frames of its own). Attached
// to the context current at the first Attach(); forgets it when the context
// is destroyed first.
namespace morvel::imgui {

class AfterRender {
 public:
  explicit AfterRender(std::function<void()> run) : run_(std::move(run)) {}
  ~AfterRender();
  AfterRender(const AfterRender&) = delete;
  AfterRender& operator=(const AfterRender&) = delete;

  // Hooks into the current context (again, when the host switched to
  // another one).
  void Attach();

 private:
  void Detach();
  static void OnRender(ImGuiContext* context, ImGuiContextHook* hook);
  static void OnShutdown(ImGuiContext* context, ImGuiContextHook* hook);

  std::function<void()> run_;
  ImGuiContext* context_ = nullptr;
  ImGuiID render_hook_ = 0;
  ImGuiID shutdown_hook_ = 0;
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_FRAME_HOOK_H_
