// The smallest ImGui host of the panel: one PropertiesPanel drawn in a
// window of a context that has no backend. It hands over a scene graph (an
// empty one made from the library's base classes; the panel uses the
// installed reference utilities, since the host passes none), sets the
// panel up and draws a few frames; the panel reads its size from the frames.
#include <imgui.h>

#include <cstdio>
#include <memory>
#include <string>

#include "imgui/properties_panel.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scene/scene.h"
#include "scene/scene_bases.h"

namespace {

using namespace morvel;

class HostEvents : public PropertiesEvents {};

int Fail(const char* what) {
  std::printf("imgui host: FAILED: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.DisplaySize = ImVec2(800, 700);
  io.IniFilename = nullptr;
  unsigned char* pixels = nullptr;
  int width = 0, height = 0;
  io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);

  int status = 0;
  {
    HostEvents events;
    MemorySettingsStore settings;  // not the user's own files
    imgui::PropertiesPanel panel(events, {.settings = &settings});
    int errors = 0;
    panel.on_error = [&](const Error& error) {
      std::printf("%s\n", error.ToString().c_str());
      ++errors;
    };
    panel.panel().SetSceneGraph(std::make_shared<SceneGraphBase>(), nullptr);
    for (int frame = 0; frame < 3; ++frame) {
      ImGui::NewFrame();
      ImGui::SetNextWindowPos(ImVec2(0, 0));
      ImGui::SetNextWindowSize(ImVec2(400, 700));
      ImGui::Begin("host", nullptr, ImGuiWindowFlags_NoDecoration);
      panel.Draw(ImVec2(270, 600));
      ImGui::End();
      ImGui::Render();
      if (frame == 0) {
        panel.panel().SetupPropertiesPanel(2, 0, 0, 0, 0, 0, 0, false, false,
                                           false, 0);
      }
    }
    if (!panel.panel().Enabled()) {
      status = Fail("not enabled");
    } else if (panel.panel()
                   .Widgets()
                   .GetWidget("msgMaterialAttributes")
                   .Width() != 270 * 15 + 45) {
      // The panel is drawn 270 pixels wide: its container is that wide.
      status = Fail("the panel did not get the width it is drawn at");
    } else if (ImGui::GetDrawData()->TotalVtxCount == 0) {
      status = Fail("nothing drawn");
    } else if (errors != 0) {
      status = Fail("errors");
    }
  }
  ImGui::DestroyContext();
  if (status == 0) std::printf("imgui host: ok\n");
  return status;
}
