#include "imgui-demo/demo_ui.h"

#include <imgui_stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "common/demo_operations.h"
#include "host/scene_services.h"
#include "imgui/imgui_input.h"
#include "memscene/host_rules.h"
#include "memscene/scene_file.h"
#include "memscene/scene_files.h"
#include "memscene/state.h"
#include "platform/headless.h"

namespace morvel::imgui_demo {
namespace {

// The panel's width and the outliner's and the log's share of the window.
constexpr float kPanelWidth = 270;
constexpr float kOutlinerWidth = 215;

const char* Bool(bool value) { return value ? "True" : "False"; }

std::string Folder(const std::string& path) {
  if (path.empty()) return {};
  return std::filesystem::absolute(path).parent_path().string();
}

// Host calls and notes in grey, scene writes in green, errors in red; the
// panel's events in the text colour.
ImU32 LogColour(const std::string& line) {
  if (line.rfind("> ", 0) == 0 || line.rfind("# ", 0) == 0)
    return IM_COL32(0x90, 0x90, 0x90, 255);
  if (line.rfind("    ", 0) == 0) return IM_COL32(0x4c, 0xaf, 0x50, 255);
  if (line.rfind("!! ", 0) == 0) return IM_COL32(0xe5, 0x39, 0x35, 255);
  return ImGui::GetColorU32(ImGuiCol_Text);
}

}  // namespace

DemoUi::DemoUi(SettingsStore& settings, Options options,
               imgui::TextureMaker* textures)
    : options_(options),
      settings_(settings),
      textures_(textures),
      metrics_(std::make_unique<FixedScreenMetrics>(15, 15)) {
  events_.on_event = [this](const scenario::RecordedEvent& event) {
    OnEvent(event);
  };
  CreatePanel();
}

DemoUi::~DemoUi() { panel_.reset(); }

// ------------------------------------------------------------------ panel

void DemoUi::CreatePanel(PropertiesEvents* events, MessageBoxService* messages,
                         SettingsStore* settings, Clipboard* clipboard) {
  panel_.reset();
  imgui::PropertiesPanel::Services services;
  services.clipboard = clipboard;
  services.message_box = messages;
  services.settings = settings ? settings : &settings_;
  services.metrics = metrics_.get();
  services.textures = textures_;
  // Scripted runs keep the reference choosers, which play the answers the
  // scenario gives; people get the ImGui windows.
  if (options_.scripted) services.scene_services = &ThreadSceneServices();
  panel_ = std::make_unique<imgui::PropertiesPanel>(
      events ? *events : events_, services);
  if (fixed_panel_) {
    // A scripted panel starts exactly like the headless runner's: its size
    // fixed before it is first drawn, which is then no notification.
    panel_->FixContainer(fixed_panel_->inner_height, fixed_panel_->outer_height,
                         fixed_panel_->width);
  }
  if (lender_) panel_->SetFrameLender(lender_);
  panel_->on_error = [this](const Error& error) { ShowError(error); };
  // The sections take the panel's height when they are loaded: a panel that
  // became taller or shorter is loaded again to fill it.
  panel_->on_resize = [this] {
    if (!fixed_panel_) Setup();
  };
  if (!scene_path_.empty()) panel_->SetSceneFolder(Folder(scene_path_));
  if (!options_.scripted && scene_) {
    try {
      std::shared_ptr<SceneGraph> graph = scene_;
      panel_->panel().SetSceneGraph(graph, panel_applier_);
    } catch (const Error& error) {
      ShowError(error);
    }
  }
}

std::unique_ptr<imgui::PropertiesPanel> DemoUi::DetachPanel() {
  return std::move(panel_);
}

void DemoUi::SetFrameLender(imgui::FrameLender lender) {
  lender_ = std::move(lender);
  if (panel_) panel_->SetFrameLender(lender_);
}

void DemoUi::FixPanel(Long inner_height, Long outer_height, Long width) {
  fixed_panel_ = demo::FixedPanelSize{inner_height, outer_height, width};
  if (panel_) panel_->FixContainer(inner_height, outer_height, width);
}

void DemoUi::ResizePanel(Long inner_height, Long outer_height, Long width) {
  FixPanel(inner_height, outer_height, width);
  if (panel_) panel_->panel().Resize();
}

void DemoUi::SetupOrThrow(const SetupArguments& a) {
  if (!panel_) return;
  if (a.SelectedTab == 2 || a.SelectedTab == 3) tab_ = a.SelectedTab;
  char line[256];
  std::snprintf(line, sizeof line,
                "> SetupPropertiesPanel(%d, %d, %d, %d, %d, %d, %d, %s, %s, "
                "%s, %d)",
                a.SelectedTab, a.SelectionEntity, a.ShapesSelectedCount,
                a.LightsSelectedCount, a.BonesSelectedCount,
                a.CamerasSelectedCount, a.GroupsSelectedCount,
                Bool(a.AmbientLightSelected), Bool(a.DirectionalLightSelected),
                Bool(a.SceneSelected), a.RenderMode);
  Log(line);
  panel_->panel().SetupPropertiesPanel(a);
}

void DemoUi::Setup() {
  if (!panel_ || !scene_) return;
  try {
    SetupOrThrow(ComputeSetupArguments(*scene_, tab_));
  } catch (const Error& error) {
    ShowError(error);
  }
}

void DemoUi::CommitPanelEdit() {
  // An edit the person left in a field is part of what the host does next.
  if (!panel_) return;
  try {
    UserInput::CommitEdit(panel_->panel().Widgets());
  } catch (const Error& error) {
    ShowError(error);
  }
}

void DemoUi::SetTab(Long tab) {
  CommitPanelEdit();
  tab_ = tab == 3 ? 3 : 2;
  history_.BreakMerge();
  Setup();
}

// ------------------------------------------------------------------ scene

bool DemoUi::Start(const std::string& scene,
                   const std::vector<std::string>* select, Long tab) {
  // One set-up for all of it, once everything is in place.
  bool ok = scene.empty() || LoadScene(scene);
  if (ok && select) ok = TakeSelection(*select);
  if (tab == 2 || tab == 3) tab_ = tab;
  // Without a tab asked for: the object tab for one node, else common.
  if (tab == 0 && scene_) tab_ = scene_->SelectedNames().size() == 1 ? 3 : 2;
  Setup();
  return ok;
}

bool DemoUi::OpenScene(const std::string& path) {
  if (!LoadScene(path)) return false;
  Setup();
  return true;
}

bool DemoUi::LoadScene(const std::string& path) {
  std::shared_ptr<MemSceneGraph> scene;
  try {
    scene = OpenSceneFile(path);
  } catch (const Error& error) {
    ShowError(error);
    return false;
  }
  scene_ = std::move(scene);
  scene_path_ = path;
  applier_ = std::make_shared<MemApplier>(scene_, &panel_->settings());
  panel_applier_ = applier_;
  history_.Reset(scene_);
  selection_order_ = scene_->SelectedNames();
  outliner_.Invalidate();
  panel_->SetSceneFolder(Folder(path));
  try {
    std::shared_ptr<SceneGraph> graph = scene_;
    panel_->panel().SetSceneGraph(graph, panel_applier_);
  } catch (const Error& error) {
    ShowError(error);
  }
  Log("# scene " + std::filesystem::path(path).filename().string());
  return true;
}

bool DemoUi::SaveScene(const std::string& path) {
  if (!scene_) return false;
  CommitPanelEdit();
  try {
    SaveSceneFile(*scene_, path);
  } catch (const Error& error) {
    ShowError(error);
    return false;
  }
  scene_path_ = path;
  history_.MarkSaved();
  Log("# saved " + std::filesystem::path(path).filename().string());
  return true;
}

void DemoUi::AttachScene(std::shared_ptr<MemSceneGraph> scene,
                         std::shared_ptr<Applier> applier,
                         const std::string& path) {
  scene_ = std::move(scene);
  scene_path_ = path;
  applier_.reset();
  panel_applier_ = std::move(applier);
  history_.Reset(scene_);
  selection_order_ = scene_ ? scene_->SelectedNames() : std::vector<std::string>{};
  outliner_.Invalidate();
  if (panel_ && !path.empty()) panel_->SetSceneFolder(Folder(path));
  if (panel_) {
    std::shared_ptr<SceneGraph> graph = scene_;
    panel_->panel().SetSceneGraph(graph, panel_applier_);
  }
}

bool DemoUi::Select(const std::vector<std::string>& names) {
  CommitPanelEdit();
  if (!TakeSelection(names)) return false;
  Setup();
  return true;
}

bool DemoUi::TakeSelection(const std::vector<std::string>& names) {
  if (!scene_) return false;
  try {
    scene_->Select(names);
  } catch (const Error& error) {
    ShowError(error);
    return false;
  }
  selection_order_ = names;
  history_.BreakMerge();
  return true;
}

void DemoUi::SelectionChangedElsewhere() {
  selection_order_ = scene_ ? scene_->SelectedNames() : std::vector<std::string>{};
}

// ------------------------------------------------------------------- undo

void DemoUi::Undo() { Step(true); }
void DemoUi::Redo() { Step(false); }

// One undo or redo: the history puts the scene back, and the outliner and
// the panel show it as it now is.
void DemoUi::Step(bool back) {
  CommitPanelEdit();
  if (back ? !history_.CanUndo() : !history_.CanRedo()) return;
  std::string label = back ? history_.UndoLabel() : history_.RedoLabel();
  try {
    back ? history_.Undo() : history_.Redo();
  } catch (const Error& error) {
    return ShowError(error);
  }
  Log((back ? "# undo " : "# redo ") + label);
  selection_order_ = scene_->SelectedNames();
  outliner_.Invalidate();
  Setup();
}

// --------------------------------------------------------------- drawing

// One undo step per gesture: a press of the mouse anywhere, or the focus
// moving to another of the panel's widgets, starts a new one.
void DemoUi::WatchGestures() {
  if (ImGui::IsMouseClicked(0)) history_.BreakMerge();
  const Widget* focused = panel_ ? panel_->panel().Widgets().Focused() : nullptr;
  if (focused != last_focused_) {
    last_focused_ = focused;
    history_.BreakMerge();
  }
  // The demo's shortcuts wait while the panel asks a question.
  if (panel_ && panel_->InModal()) return;
  if (imgui::CtrlHeld() && imgui::Pressed(imgui::Key::kZ)) Undo();
  if (imgui::CtrlHeld() && imgui::Pressed(imgui::Key::kY)) Redo();
}

void DemoUi::Draw() {
  WatchGestures();
  ImGuiViewport* screen = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos(screen->WorkPos);
  ImGui::SetNextWindowSize(screen->WorkSize);
  ImGui::Begin("Morvel Properties", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                   ImGuiWindowFlags_NoSavedSettings |
                   ImGuiWindowFlags_NoBringToFrontOnFocus |
                   ImGuiWindowFlags_MenuBar);
  DrawMenu();
  ImVec2 room = ImGui::GetContentRegionAvail();
  float status = ImGui::GetFrameHeightWithSpacing();
  float height = std::max(room.y - status, 100.0f);

  ImGui::BeginChild("##outliner", ImVec2(kOutlinerWidth, height), true);
  ImGui::TextDisabled("Scene");
  if (scene_) {
    std::vector<std::string> picked = selection_order_;
    if (outliner_.Draw(*scene_, picked)) Select(picked);
  }
  ImGui::EndChild();
  ImGui::SameLine();
  float panel_width = kPanelWidth;
  if (fixed_panel_) panel_width = static_cast<float>(fixed_panel_->width) / 15;
  DrawTabsAndPanel(ImVec2(panel_width, height));
  ImGui::SameLine();
  DrawLog(ImVec2(std::max(ImGui::GetContentRegionAvail().x, 120.0f), height));
  DrawStatus();
  ImGui::End();
  DrawFileDialog();
  DrawSource();
  DrawError();
}

void DemoUi::DrawMenu() {
  if (!ImGui::BeginMenuBar()) return;
  if (ImGui::BeginMenu("File")) {
    if (ImGui::MenuItem("Open...")) {
      file_dialog_open_ = true;
      file_dialog_saves_ = false;
      file_path_ = scene_path_;
    }
    if (ImGui::MenuItem("Save", nullptr, false, scene_ != nullptr)) {
      if (scene_path_.empty()) {
        file_dialog_open_ = true;
        file_dialog_saves_ = true;
      } else {
        SaveScene(scene_path_);
      }
    }
    if (ImGui::MenuItem("Save As...", nullptr, false, scene_ != nullptr)) {
      file_dialog_open_ = true;
      file_dialog_saves_ = true;
      file_path_ = scene_path_;
    }
    ImGui::Separator();
    if (ImGui::MenuItem("Quit")) quit_wanted_ = true;
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Edit")) {
    std::string undo = history_.CanUndo() ? "Undo " + history_.UndoLabel() : "Undo";
    std::string redo = history_.CanRedo() ? "Redo " + history_.RedoLabel() : "Redo";
    if (ImGui::MenuItem(undo.c_str(), "Ctrl+Z", false, history_.CanUndo())) Undo();
    if (ImGui::MenuItem(redo.c_str(), "Ctrl+Y", false, history_.CanRedo())) Redo();
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("View")) {
    if (ImGui::MenuItem("Common Tab", nullptr, tab_ == 2)) SetTab(2);
    if (ImGui::MenuItem("Object Tab", nullptr, tab_ == 3)) SetTab(3);
    ImGui::Separator();
    if (ImGui::MenuItem("Clear Event Log")) log_.clear();
    ImGui::EndMenu();
  }
  ImGui::EndMenuBar();
}

void DemoUi::DrawTabsAndPanel(ImVec2 size) {
  ImGui::BeginGroup();
  ImGui::PushItemWidth(size.x);
  if (ImGui::BeginTabBar("##tabs", ImGuiTabBarFlags_FittingPolicyResizeDown)) {
    // The tab bar follows the panel's tab; a click on the other one is the
    // person's.
    for (Long tab : {Long{2}, Long{3}}) {
      ImGuiTabItemFlags flags = tab == tab_ ? ImGuiTabItemFlags_SetSelected : 0;
      if (ImGui::BeginTabItem(tab == 2 ? "Common" : "Object", nullptr, flags)) {
        ImGui::EndTabItem();
      }
      if (ImGui::IsItemClicked() && tab != tab_) SetTab(tab);
    }
    ImGui::EndTabBar();
  }
  ImGui::PopItemWidth();
  if (panel_) {
    float height = size.y - ImGui::GetFrameHeightWithSpacing();
    panel_->Draw(ImVec2(size.x, std::max(height, 1.0f)));
  }
  ImGui::EndGroup();
}

void DemoUi::DrawLog(ImVec2 size) {
  ImGui::BeginChild("##log", size, true, ImGuiWindowFlags_HorizontalScrollbar);
  ImGui::TextDisabled("Events");
  ImGuiListClipper clipper;
  clipper.Begin(static_cast<int>(log_.size()));
  while (clipper.Step()) {
    for (int i = clipper.DisplayStart; i < clipper.DisplayEnd; ++i) {
      const std::string& line = log_[static_cast<std::size_t>(i)];
      ImGui::PushStyleColor(ImGuiCol_Text, LogColour(line));
      ImGui::TextUnformatted(line.c_str());
      ImGui::PopStyleColor();
    }
  }
  if (log_scroll_) {
    ImGui::SetScrollHereY(1.0f);
    log_scroll_ = false;
  }
  ImGui::EndChild();
}

void DemoUi::DrawStatus() {
  std::string text;
  std::vector<std::string> selected =
      scene_ ? scene_->SelectedNames() : std::vector<std::string>{};
  if (!scene_) {
    text = "No scene";
  } else if (selected.empty()) {
    text = "Nothing selected";
  } else if (selected.size() == 1) {
    text = "Selected: " + selected[0];
  } else {
    text = std::to_string(selected.size()) + " objects selected (first: " +
           selected[0] + ")";
  }
  std::string name = scene_path_.empty()
                         ? "Untitled"
                         : std::filesystem::path(scene_path_).filename().string();
  if (scene_ && history_.Modified() && history_.StepCount() > 0) name += "*";
  ImGui::TextDisabled("%s  |  %s", name.c_str(), text.c_str());
}

void DemoUi::DrawFileDialog() {
  const char* title = file_dialog_saves_ ? "Save Scene As" : "Open Scene";
  if (file_dialog_open_) {
    ImGui::OpenPopup(title);
    file_dialog_open_ = false;
  }
  if (!ImGui::BeginPopupModal(title, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
    return;
  // Model files open and save by their extension as scene files do.
  ImGui::TextUnformatted("Scene file (.json) or model file (.gltf, .glb, .obj, ...):");
  ImGui::SetNextItemWidth(420);
  bool enter = ImGui::InputText("##path", &file_path_,
                                ImGuiInputTextFlags_EnterReturnsTrue);
  if (ImGui::Button(file_dialog_saves_ ? "Save" : "Open", ImVec2(90, 0)) || enter) {
    ImGui::CloseCurrentPopup();
    if (file_dialog_saves_) {
      SaveScene(file_path_);
    } else {
      OpenScene(file_path_);
    }
  }
  ImGui::SameLine();
  if (ImGui::Button("Cancel", ImVec2(90, 0))) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

void DemoUi::DrawSource() {
  if (!source_of_ || !scene_) return;
  bool open = true;
  std::string title = "Source - " + *source_of_ + "###source";
  ImGui::SetNextWindowSize(ImVec2(460, 420), ImGuiCond_FirstUseEver);
  if (ImGui::Begin(title.c_str(), &open)) {
    std::string caption, detail, json;
    Quietly([&] { caption = scene_->ValueText(*source_of_ + ".SourceCaption"); });
    Quietly([&] { detail = scene_->ValueText(*source_of_ + ".SourceDetail"); });
    Quietly([&] {
      const mem::SceneContent& content = scene_->state().content;
      json = mem::WriteNode(content, content.Find(*source_of_), true).dump(2);
    });
    ImGui::Text("%s%s%s", caption.c_str(), detail.empty() ? "" : " - ",
                detail.c_str());
    ImGui::Separator();
    ImGui::TextUnformatted(json.c_str());
  }
  ImGui::End();
  if (!open) source_of_.reset();
}

void DemoUi::DrawError() {
  if (error_text_) {
    ImGui::OpenPopup("Morvel##error");
  }
  if (!ImGui::BeginPopupModal("Morvel##error", nullptr,
                              ImGuiWindowFlags_AlwaysAutoResize))
    return;
  ImGui::TextUnformatted(error_text_ ? error_text_->c_str() : "");
  if (ImGui::Button("OK", ImVec2(90, 0)) || imgui::Pressed(imgui::Key::kEnter)) {
    error_text_.reset();
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

// ----------------------------------------------------------------- events

void DemoUi::Log(std::string line) {
  // A long session keeps the last lines.
  if (log_.size() >= 5000) log_.erase(log_.begin(), log_.begin() + 1000);
  log_.push_back(std::move(line));
  log_scroll_ = true;
}

void DemoUi::LogJournalSince(std::size_t from) {
  if (!scene_) return;
  for (const std::string& line : scene_->JournalLines(from)) Log("    " + line);
  journal_mark_ = scene_->JournalSize();
}

void DemoUi::ShowError(const Error& error) {
  Log("!! " + error.ToString());
  if (options_.scripted) return;
  if (options_.batch) {
    std::fprintf(stderr, "morvel-imgui-demo: %s\n", error.ToString().c_str());
    return;
  }
  error_text_ = "Error " + std::to_string(error.Number()) + ": " +
                error.Description() + "\nSource: " +
                (error.Source().empty() ? "(unknown)" : error.Source());
}

void DemoUi::OnEvent(const scenario::RecordedEvent& event) {
  auto text = [&](std::size_t i) {
    return std::get<std::string>(event.arguments.at(i));
  };
  const std::string& name = event.name;
  // The scene writes of an edit come before its apply.
  if (name == "evtReqApplySceneChanges") LogJournalSince(journal_mark_);
  Log(event.ToText());
  if (name == "evtReqPrepareForSceneChanges") {
    if (scene_) journal_mark_ = scene_->JournalSize();
    history_.Prepare();
  } else if (name == "evtReqApplySceneChanges") {
    history_.Apply();
  } else if (name == "evtReqOpenSource") {
    std::vector<std::string> selected =
        scene_ ? scene_->SelectedNames() : std::vector<std::string>{};
    if (!options_.scripted && !selected.empty()) source_of_ = selected.front();
  } else if (name == "evtReqApplyOperation") {
    std::size_t mark = scene_ ? scene_->JournalSize() : 0;
    demo::RunDemoOperation(run_operation, applier_.get(), text(0),
                           [this](const Error& error) { ShowError(error); });
    LogJournalSince(mark);
  } else if (name == "evtReqWarn" && !options_.scripted) {
    // A tip waits for OK: unattended, nobody is there to press it; and it
    // is shown only when the person did not switch this warning off.
    if (options_.batch) {
      Log("    (tip not shown: the demo runs unattended)");
    } else if (!panel_ || !panel_->ShowWarning(text(0), text(1), text(2))) {
      Log("    (tip switched off by the person)");
    }
  }
}

}  // namespace morvel::imgui_demo
