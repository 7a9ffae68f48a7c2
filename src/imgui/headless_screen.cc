#include "imgui/headless_screen.h"

namespace morvel::imgui {

HeadlessScreen::HeadlessScreen(ImVec2 size) {
  ImGuiContext* previous = ImGui::GetCurrentContext();
  context_ = ImGui::CreateContext(previous ? ImGui::GetIO().Fonts : nullptr);
  ImGui::SetCurrentContext(context_);
  ImGuiIO& io = ImGui::GetIO();
  io.DisplaySize = size;
  io.DeltaTime = 1.0f / 60.0f;
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  MapKeysForScript(io);
  // The font atlas must be built before a frame; nobody uploads it.
  if (!io.Fonts->IsBuilt()) {
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
  }
}

HeadlessScreen::~HeadlessScreen() {
  if (ImGui::GetCurrentContext() == context_) ImGui::SetCurrentContext(nullptr);
  ImGui::DestroyContext(context_);
}

ImGuiIO& HeadlessScreen::IO() {
  ImGui::SetCurrentContext(context_);
  return ImGui::GetIO();
}

void HeadlessScreen::Frame(const std::function<void()>& draw) {
  ImGui::SetCurrentContext(context_);
  ImGui::NewFrame();
  draw();
  ImGui::Render();
  if (wheel_sent_) {
    wheel_sent_ = false;
#if IMGUI_VERSION_NUM < 18700
    ImGui::GetIO().MouseWheel = 0;
    ImGui::GetIO().MouseWheelH = 0;
#endif
  }
}

void HeadlessScreen::WindowFrame(ImVec2 window,
                                 const std::function<void()>& content) {
  Frame([&] {
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(window);
    ImGui::Begin("host", nullptr, ImGuiWindowFlags_NoDecoration);
    content();
    ImGui::End();
  });
}

void HeadlessScreen::MoveMouse(ImVec2 to) { SendMousePos(IO(), to); }
void HeadlessScreen::MouseButton(bool down) { SendMouseButton(IO(), down); }
void HeadlessScreen::Wheel(float lines, float sideways) {
  SendWheel(IO(), lines, sideways);
  wheel_sent_ = true;
}
void HeadlessScreen::KeyDown(Key key, bool down) { SendKey(IO(), key, down); }
void HeadlessScreen::Ctrl(bool down) { SendCtrl(IO(), down); }
void HeadlessScreen::Char(unsigned int code_point) {
  IO().AddInputCharacter(code_point);
}

}  // namespace morvel::imgui
