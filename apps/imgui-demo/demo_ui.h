#ifndef MORVEL_APPS_IMGUI_DEMO_DEMO_UI_H_
#define MORVEL_APPS_IMGUI_DEMO_DEMO_UI_H_

#include <imgui.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "common/panel_size.h"
#include "demo/undo_history.h"
#include "imgui-demo/outliner.h"
#include "imgui/properties_panel.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "scenario/recorder.h"

// The ImGui demo host: a small 3D application around the panel, drawn once
// a frame. An outliner of the scene's nodes (several may be selected), the
// Common and Object tabs over the panel, and a log of every event the panel
// raises with the scene writes it caused. File opens and saves scene files;
// Edit undoes and redoes the panel's edits, one step per gesture.
//
// Nothing here knows how frames are made: main.cc runs them in a GLFW
// window with OpenGL, the scripted runs on a headless screen.
namespace morvel::imgui_demo {

using demo::UndoHistory;

class DemoUi final {
 public:
  struct Options {
    // Scripted runs (--play): no window of the demo's own ever opens;
    // warnings and the source view are only logged, errors passed to the
    // caller.
    bool scripted = false;
    // Nobody is watching (--screenshot): errors are written to standard
    // error instead of waiting in a window for a person.
    bool batch = false;
  };
  // `settings` keeps the person's choices (warnings switched off, operation
  // parameters); `textures` makes the panel's pictures (may be null). Both
  // must outlive the host.
  DemoUi(SettingsStore& settings, Options options,
         imgui::TextureMaker* textures = nullptr);
  ~DemoUi();

  // --- the scene ---
  // How the demo starts: opens `scene` (when not empty), selects `select`
  // (when given) and shows `tab` (2 or 3; 0 keeps the tab), then sets the
  // panel up once. False when the scene or the selection could not be had
  // (the person has been told).
  bool Start(const std::string& scene, const std::vector<std::string>* select,
             Long tab);
  bool OpenScene(const std::string& path);
  bool SaveScene(const std::string& path);
  // A scene loaded by someone else, with the applier to hand the panel:
  // SetSceneGraph's errors reach the caller, and nothing is set up.
  void AttachScene(std::shared_ptr<MemSceneGraph> scene,
                   std::shared_ptr<Applier> applier, const std::string& path);
  std::shared_ptr<MemSceneGraph> Scene() const { return scene_; }
  // Selects nodes by name, as the outliner does, and sets the panel up.
  bool Select(const std::vector<std::string>& names);
  void SetTab(Long tab);
  Long Tab() const { return tab_; }
  // The scene's selection changed elsewhere (a script): the outliner
  // follows, without a new set-up.
  void SelectionChangedElsewhere();

  // --- the panel ---
  // A new panel (the old one terminated and gone), its events to `events`
  // (this host when null), its messages, clipboard and settings as given
  // (the panel's own, and the host's settings, when null).
  void CreatePanel(PropertiesEvents* events = nullptr,
                   MessageBoxService* messages = nullptr,
                   SettingsStore* settings = nullptr,
                   Clipboard* clipboard = nullptr);
  // Takes the panel out, for a caller that terminates it itself.
  std::unique_ptr<imgui::PropertiesPanel> DetachPanel();
  imgui::PropertiesPanel* PanelHost() const { return panel_.get(); }
  Properties* Panel() const { return panel_ ? &panel_->panel() : nullptr; }
  // Fixes the panel's size (twips) for this panel and the next ones,
  // without telling it; ResizePanel tells it too.
  void FixPanel(Long inner_height, Long outer_height, Long width);
  void ResizePanel(Long inner_height, Long outer_height, Long width);
  // SetupPropertiesPanel; the throwing form is for scripted runs, the other
  // tells the person.
  void SetupOrThrow(const SetupArguments& arguments);
  void Setup();
  // The host's frames for the panel's modal answers.
  void SetFrameLender(imgui::FrameLender lender);

  // --- undo ---
  void Undo();
  void Redo();
  UndoHistory& History() { return history_; }

  // Draws the whole window over the display; once a frame.
  void Draw();
  // File > Quit was chosen.
  bool QuitWanted() const { return quit_wanted_; }

  // The event log, one line an entry.
  const std::vector<std::string>& LogLines() const { return log_; }
  void Log(std::string line);
  void ShowError(const Error& error);
  // Runs mesh operations for the scripted host instead of the applier.
  std::function<void(const std::string& operation)> run_operation;

  // What the host answers the panel's events with: the log, undo, mesh
  // operations, the source view, the tip.
  PropertiesEvents& Events() { return events_; }

 private:
  void DrawMenu();
  void DrawTabsAndPanel(ImVec2 size);
  void DrawLog(ImVec2 size);
  void DrawStatus();
  void DrawFileDialog();
  void DrawSource();
  void DrawError();
  void WatchGestures();
  void OnEvent(const scenario::RecordedEvent& event);
  void CommitPanelEdit();
  void LogJournalSince(std::size_t from);
  void Step(bool back);
  // The scene opened, the selection taken, without a set-up (Start makes
  // one for all of it).
  bool LoadScene(const std::string& path);
  bool TakeSelection(const std::vector<std::string>& names);

  Options options_;
  scenario::RecordingEvents events_;
  SettingsStore& settings_;
  imgui::TextureMaker* textures_;
  std::unique_ptr<ScreenMetrics> metrics_;
  std::optional<demo::FixedPanelSize> fixed_panel_;
  imgui::FrameLender lender_;

  std::shared_ptr<MemSceneGraph> scene_;
  std::shared_ptr<MemApplier> applier_;
  std::shared_ptr<Applier> panel_applier_;
  std::string scene_path_;
  Long tab_ = 2;
  UndoHistory history_;
  std::size_t journal_mark_ = 0;
  std::vector<std::string> selection_order_;
  Outliner outliner_;
  std::vector<std::string> log_;
  bool log_scroll_ = false;
  const Widget* last_focused_ = nullptr;
  std::unique_ptr<imgui::PropertiesPanel> panel_;

  // The demo's own windows.
  bool quit_wanted_ = false;
  bool file_dialog_open_ = false;
  bool file_dialog_saves_ = false;
  std::string file_path_;
  std::optional<std::string> source_of_;
  std::optional<std::string> error_text_;
};

}  // namespace morvel::imgui_demo

#endif  // MORVEL_APPS_IMGUI_DEMO_DEMO_UI_H_
