#include "imgui/frame_hook.h"

// Context hooks are ImGui's own extension point (its test engine uses
// them); they live in the internal header but have kept their shape since
// they came (1.81).
#include <imgui_internal.h>

namespace morvel::imgui {

AfterRender::~AfterRender() { Detach(); }

void AfterRender::Attach() {
  ImGuiContext* current = ImGui::GetCurrentContext();
  if (current == context_ || !current) return;
  Detach();
  context_ = current;
  ImGuiContextHook hook;
  hook.Type = ImGuiContextHookType_RenderPost;
  hook.Callback = &AfterRender::OnRender;
  hook.UserData = this;
  render_hook_ = ImGui::AddContextHook(context_, &hook);
  hook.Type = ImGuiContextHookType_Shutdown;
  hook.Callback = &AfterRender::OnShutdown;
  shutdown_hook_ = ImGui::AddContextHook(context_, &hook);
}

void AfterRender::Detach() {
  if (!context_) return;
  ImGui::RemoveContextHook(context_, render_hook_);
  ImGui::RemoveContextHook(context_, shutdown_hook_);
  context_ = nullptr;
}

void AfterRender::OnRender(ImGuiContext*, ImGuiContextHook* hook) {
  static_cast<AfterRender*>(hook->UserData)->run_();
}

void AfterRender::OnShutdown(ImGuiContext*, ImGuiContextHook* hook) {
  // The context goes first: nothing to remove from it later.
  static_cast<AfterRender*>(hook->UserData)->context_ = nullptr;
}

}  // namespace morvel::imgui
