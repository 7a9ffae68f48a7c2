// An ImGui host of the property panel in one file: the scene's objects in a
// list, the panel beside them, and Edit > Undo / Redo made from the panel's
// prepare and apply events, in a GLFW window drawn with OpenGL 3.
// Run: imgui_host SCENE.json
#define GLFW_INCLUDE_NONE
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <backends/imgui_impl_glfw.h>
#include <backends/imgui_impl_opengl3.h>
#include <imgui.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "imgui/properties_panel.h"
#include "memscene/host_rules.h"       // SetupArguments for a selection
#include "memscene/mem_applier.h"      // stands in for your applier
#include "memscene/mem_scene_graph.h"  // stands in for your scene graph

using namespace morvel;

// The panel's pictures (the material grid's icons, map thumbnails) as
// textures of this renderer.
class GlTextures : public imgui::TextureMaker {
 public:
  ImTextureID Create(const imgui::Image& image) override {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0,
                 GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    return reinterpret_cast<ImTextureID>(static_cast<std::uintptr_t>(texture));
  }
  void Destroy(ImTextureID texture) override {
    auto name = static_cast<GLuint>(reinterpret_cast<std::uintptr_t>(texture));
    glDeleteTextures(1, &name);
  }
};

class Host : public PropertiesEvents {
 public:
  Host(GLFWwindow* window, const std::string& file)
      : window_(window),
        scene_(MemSceneGraph::Load(file)),
        panel_(*this, {.textures = &textures_}) {
    // Errors of a person's edits; the calls below raise morvel::Error.
    panel_.on_error = [this](const Error& error) { error_ = error.ToString(); };
    // The panel asks its questions (a colour, a map file, a message, a tip)
    // in frames of this same window.
    panel_.SetFrameLender(
        [this](const std::function<void()>& draw_modal) {
          return Frame(draw_modal);
        });
    // Maps beside the scene file; the applier reads the operations'
    // parameters where the panel stores them.
    panel_.SetSceneFolder(std::filesystem::absolute(file).parent_path());
    applier_ = std::make_shared<MemApplier>(scene_, &panel_.settings());
    panel_.panel().SetSceneGraph(scene_, applier_);
    ShowSelection();
  }

  // One frame of the window; false once it is closing.
  bool Frame(const std::function<void()>& draw_modal = [] {}) {
    if (glfwWindowShouldClose(window_)) return false;
    glfwPollEvents();
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplGlfw_NewFrame();
    ImGui::NewFrame();
    Draw();
    draw_modal();
    // The person's input of this frame runs in here, after the frame.
    ImGui::Render();
    int width, height;
    glfwGetFramebufferSize(window_, &width, &height);
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    glfwSwapBuffers(window_);
    return true;
  }

  // Every edit of the panel: prepare, the scene writes, apply.
  void evtReqPrepareForSceneChanges(std::string&) override {
    before_ = scene_->ToJson();
  }
  void evtReqApplySceneChanges(bool&) override {
    undo_.emplace_back(before_, scene_->ToJson());
    redo_.clear();
  }
  void evtReqApplyOperation(std::string& operation) override {
    applier_->RunOperation(operation);
  }
  void evtReqWarn(std::string& application, std::string& warning,
                  std::string& entry) override {
    panel_.ShowWarning(application, warning, entry);
  }

 private:
  using Step = std::pair<nlohmann::json, nlohmann::json>;  // before, after

  void Draw() {
    const ImGuiViewport* screen = ImGui::GetMainViewport();
    ImGui::SetNextWindowPos(screen->WorkPos);
    ImGui::SetNextWindowSize(screen->WorkSize);
    ImGui::Begin("Host", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_MenuBar);
    if (ImGui::BeginMenuBar()) {
      if (ImGui::BeginMenu("Edit")) {
        if (ImGui::MenuItem("Undo", nullptr, false, !undo_.empty())) Undo();
        if (ImGui::MenuItem("Redo", nullptr, false, !redo_.empty())) Redo();
        ImGui::EndMenu();
      }
      ImGui::EndMenuBar();
    }
    // The objects: a click selects one, Ctrl+click several.
    ImGui::BeginChild("objects", ImVec2(180, 0), true);
    std::vector<std::string> selected = scene_->SelectedNames();
    for (const std::string& name : scene_->NodeNames()) {
      auto at = std::find(selected.begin(), selected.end(), name);
      if (ImGui::Selectable(name.c_str(), at != selected.end())) {
        if (!ImGui::GetIO().KeyCtrl) selected.clear();
        if (at != selected.end() && ImGui::GetIO().KeyCtrl) {
          selected.erase(at);
        } else {
          selected.push_back(name);
        }
        scene_->Select(selected);
        ShowSelection();
      }
    }
    ImGui::EndChild();
    ImGui::SameLine();
    panel_.Draw(ImVec2(270, 0));
    if (!error_.empty()) {
      ImGui::SameLine();
      ImGui::TextWrapped("%s", error_.c_str());
    }
    ImGui::End();
  }
  void Undo() { Put(undo_, redo_, &Step::first); }
  void Redo() { Put(redo_, undo_, &Step::second); }
  void Put(std::vector<Step>& from, std::vector<Step>& to,
           nlohmann::json Step::*state) {
    Step step = std::move(from.back());
    from.pop_back();
    scene_->Restore(step.*state);
    to.push_back(std::move(step));
    ShowSelection();
  }
  // The Object tab for the current selection (2 would be the Common tab).
  void ShowSelection() {
    try {
      panel_.panel().SetupPropertiesPanel(ComputeSetupArguments(*scene_, 3));
    } catch (const Error& error) {
      error_ = error.ToString();
    }
  }

  GLFWwindow* window_;
  GlTextures textures_;
  std::shared_ptr<MemSceneGraph> scene_;
  std::shared_ptr<MemApplier> applier_;
  imgui::PropertiesPanel panel_;  // goes before the scene it shows
  nlohmann::json before_;
  std::vector<Step> undo_, redo_;
  std::string error_;
};

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: imgui_host SCENE.json\n");
    return 2;
  }
  if (!glfwInit()) return 1;
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  GLFWwindow* window = glfwCreateWindow(900, 700, "ImGui host", nullptr, nullptr);
  if (!window) return 1;
  glfwMakeContextCurrent(window);
  ImGui::CreateContext();
  ImGui_ImplGlfw_InitForOpenGL(window, true);
  ImGui_ImplOpenGL3_Init("#version 330");
  int status = 0;
  try {
    Host host(window, argv[1]);  // the panel is made once ImGui is there
    while (host.Frame()) {
    }
  } catch (const Error& error) {  // a scene file that cannot be read
    std::fprintf(stderr, "imgui_host: %s\n", error.ToString().c_str());
    status = 1;
  }
  ImGui_ImplOpenGL3_Shutdown();
  ImGui_ImplGlfw_Shutdown();
  ImGui::DestroyContext();
  glfwDestroyWindow(window);
  glfwTerminate();
  return status;
}
