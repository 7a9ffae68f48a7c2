#ifndef MORVEL_IMGUI_IMGUI_INPUT_H_
#define MORVEL_IMGUI_IMGUI_INPUT_H_

#include <imgui.h>

// Dear ImGui's keyboard and mouse across its releases. Up to 1.86 a backend
// writes key and button states into ImGuiIO (KeysDown[] through a KeyMap of
// its own key codes, MouseDown[], MousePos); from 1.87 on it queues events
// (AddKeyEvent, AddMouseButtonEvent). The panel reads keys through Pressed()
// and a script feeds them through the Send functions, so neither cares which
// release it runs on.
namespace morvel::imgui {

// The keys the panel answers to.
enum class Key {
  kTab,
  kLeft,
  kRight,
  kUp,
  kDown,
  kPageUp,
  kPageDown,
  kHome,
  kEnd,
  kDelete,
  kBackspace,
  kEnter,
  kEscape,
  kA,
  kC,
  kV,
  kX,
  kY,
  kZ,
};

inline ImGuiKey ToImGuiKey(Key key) {
  switch (key) {
    case Key::kTab:
      return ImGuiKey_Tab;
    case Key::kLeft:
      return ImGuiKey_LeftArrow;
    case Key::kRight:
      return ImGuiKey_RightArrow;
    case Key::kUp:
      return ImGuiKey_UpArrow;
    case Key::kDown:
      return ImGuiKey_DownArrow;
    case Key::kPageUp:
      return ImGuiKey_PageUp;
    case Key::kPageDown:
      return ImGuiKey_PageDown;
    case Key::kHome:
      return ImGuiKey_Home;
    case Key::kEnd:
      return ImGuiKey_End;
    case Key::kDelete:
      return ImGuiKey_Delete;
    case Key::kBackspace:
      return ImGuiKey_Backspace;
    case Key::kEnter:
      return ImGuiKey_Enter;
    case Key::kEscape:
      return ImGuiKey_Escape;
    case Key::kA:
      return ImGuiKey_A;
    case Key::kC:
      return ImGuiKey_C;
    case Key::kV:
      return ImGuiKey_V;
    case Key::kX:
      return ImGuiKey_X;
    case Key::kY:
      return ImGuiKey_Y;
    case Key::kZ:
      return ImGuiKey_Z;
  }
  return ImGuiKey_Tab;
}

// The key went down this frame (or repeats while held).
inline bool Pressed(Key key) {
#if IMGUI_VERSION_NUM >= 18700
  return ImGui::IsKeyPressed(ToImGuiKey(key));
#else
  int index = ImGui::GetKeyIndex(ToImGuiKey(key));
  return index >= 0 && ImGui::IsKeyPressed(index);
#endif
}

inline bool CtrlHeld() { return ImGui::GetIO().KeyCtrl; }
inline bool ShiftHeld() { return ImGui::GetIO().KeyShift; }

// ------------------------------------------------------------ a script's
// input, for a context that has no backend (headless frames, tests). Each
// takes effect at the next NewFrame.

// A context without a backend maps the keys to themselves (releases before
// 1.87 need a map).
inline void MapKeysForScript(ImGuiIO& io) {
#if IMGUI_VERSION_NUM < 18700
  for (int k = 0; k < ImGuiKey_COUNT; ++k) io.KeyMap[k] = k;
#else
  (void)io;
#endif
}

inline void SendKey(ImGuiIO& io, Key key, bool down) {
#if IMGUI_VERSION_NUM >= 18700
  io.AddKeyEvent(ToImGuiKey(key), down);
#else
  io.KeysDown[io.KeyMap[ToImGuiKey(key)]] = down;
#endif
}

inline void SendCtrl(ImGuiIO& io, bool down) {
#if IMGUI_VERSION_NUM >= 18900
  io.AddKeyEvent(ImGuiMod_Ctrl, down);
#elif IMGUI_VERSION_NUM >= 18700
  io.AddKeyEvent(ImGuiKey_ModCtrl, down);
#else
  io.KeyCtrl = down;
#endif
}

inline void SendMousePos(ImGuiIO& io, ImVec2 pos) {
#if IMGUI_VERSION_NUM >= 18700
  io.AddMousePosEvent(pos.x, pos.y);
#else
  io.MousePos = pos;
#endif
}

inline void SendMouseButton(ImGuiIO& io, bool down) {
#if IMGUI_VERSION_NUM >= 18700
  io.AddMouseButtonEvent(0, down);
#else
  io.MouseDown[0] = down;
#endif
}

// Lines of the vertical wheel (up positive) and of the horizontal one
// (left positive).
inline void SendWheel(ImGuiIO& io, float lines, float sideways = 0.0f) {
#if IMGUI_VERSION_NUM >= 18700
  io.AddMouseWheelEvent(sideways, lines);
#else
  io.MouseWheel = lines;
  io.MouseWheelH = sideways;
#endif
}

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_IMGUI_INPUT_H_
