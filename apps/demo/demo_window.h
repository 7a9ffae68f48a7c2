#ifndef MORVEL_APPS_DEMO_DEMO_WINDOW_H_
#define MORVEL_APPS_DEMO_DEMO_WINDOW_H_

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "common/panel_size.h"
#include "demo/undo_history.h"
#include "memscene/host_rules.h"
#include "memscene/mem_applier.h"
#include "memscene/mem_scene_graph.h"
#include "panel/properties.h"
#include "qt/properties_widget.h"
#include "qt/qt_platform.h"
#include "qt/widget_view.h"
#include "scenario/recorder.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QTabBar;
class QTreeWidget;
class QVBoxLayout;

// The demo host: a small 3D application around the panel. An outliner of
// the scene's nodes (several may be selected), the Common and Object tabs,
// the panel, and a log of every event the panel raises with the scene writes
// it caused. File opens and saves scene files; Edit undoes and redoes the
// panel's edits.
namespace morvel::demo {

class SceneOutliner;
class Viewport;

class DemoWindow final : public QMainWindow {
 public:
  struct Options {
    // Scripted runs (--play): no modal window ever opens; warnings and the
    // source view are only logged, message boxes only recorded, errors
    // passed to the caller.
    bool scripted = false;
    // Nobody is watching (--screenshot): errors are written to standard
    // error instead of waiting in a message box for a person.
    bool batch = false;
  };
  // `settings` keeps the users' choices (warnings switched off, operation
  // parameters); it must outlive the window.
  DemoWindow(SettingsStore& settings, Options options);
  ~DemoWindow() override;

  // --- the scene ---
  // How the demo starts: opens `scene` (when not empty), selects `select`
  // (when given) and shows `tab` (2 or 3; 0 keeps the tab), then sets the
  // panel up once for all of it. False when the scene or the selection
  // could not be had (the user has been told).
  bool Start(const QString& scene, const std::vector<std::string>* select,
             Long tab);
  // Loads a scene file; false (after telling the user) when it cannot.
  bool OpenScene(const QString& path);
  void SetScene(std::shared_ptr<MemSceneGraph> scene, const QString& path);
  // A scene loaded by someone else, with the applier to hand the panel:
  // SetSceneGraph's errors reach the caller, and nothing is set up.
  void AttachScene(std::shared_ptr<MemSceneGraph> scene,
                   std::shared_ptr<Applier> applier, const QString& path);
  std::shared_ptr<MemSceneGraph> Scene() const { return scene_; }
  bool SaveScene(const QString& path);
  // Selects nodes by name, as the outliner does, and sets the panel up;
  // false (after telling the user) for a name that is no node.
  bool Select(const std::vector<std::string>& names);
  // 2 (Common) or 3 (Object).
  void SetTab(Long tab);
  Long Tab() const { return tab_; }

  // --- the panel ---
  // A new panel (the old one terminated and gone), embedded as any Qt host
  // embeds it: a PropertiesWidget. Its events go to `events` (the window
  // itself when null), its messages, clipboard and settings as given (the
  // widget's own, and the window's settings, when null).
  void CreatePanel(PropertiesEvents* events = nullptr,
                   MessageBoxService* messages = nullptr,
                   SettingsStore* settings = nullptr,
                   Clipboard* clipboard = nullptr);
  // The panel goes; its widget terminates it.
  void DestroyPanel();
  // Takes the panel out of the window, for a caller that terminates it and
  // wants to see the error.
  std::unique_ptr<qt::PropertiesWidget> DetachPanel();
  qt::PropertiesWidget* PanelWidget() const { return panel_widget_; }
  Properties* Panel() const {
    return panel_widget_ ? &panel_widget_->panel() : nullptr;
  }
  qt::WidgetView* PanelView() const {
    return panel_widget_ ? &panel_widget_->view() : nullptr;
  }
  const ScreenMetrics& Metrics() const { return *metrics_; }
  // Fixes the panel's size (twips), for this panel and the next ones,
  // without telling it: scripted runs give the panel an exact size.
  void FixPanel(Long inner_height, Long outer_height, Long width);
  // Hands the scene and applier to the panel (SetSceneGraph).
  void ConnectPanel();
  // SetupPropertiesPanel with the host rules' arguments for the selection.
  // The throwing form is for scripted runs; the other tells the user.
  void SetupOrThrow(const SetupArguments& arguments);
  void Setup();
  // Fixes the panel's size (twips) and tells it (its resize notification).
  void ResizePanel(Long inner_height, Long outer_height, Long width);

  // --- undo ---
  // One step back (-1, Edit > Undo) or forward (+1, Edit > Redo). An edit
  // in progress in the panel is committed first.
  void Travel(int direction);
  void Undo() { Travel(-1); }
  void Redo() { Travel(+1); }
  UndoHistory& History() { return history_; }

  // --- for scripted runs and tests ---
  QTreeWidget* Outliner() const;
  Viewport* SceneView() const { return viewport_; }
  // What the details under the outliner say, as plain text.
  QString DetailsText() const;
  QTabBar* Tabs() const { return tabs_; }
  QString LogText() const;
  void Log(const QString& line);
  // Runs mesh operations for the scripted host instead of the applier.
  std::function<void(const std::string& operation)> run_operation;
  // Refreshes the outliner, the actions and the title from the scene.
  void RefreshFromScene();
  // Shows the scene's selection (and hidden objects) in the outliner.
  void SyncOutlinerSelection();

  // What the panel raises reaches the window here: logged with the scene
  // writes it caused and answered as a 3D application would.
  PropertiesEvents& Events() { return events_; }

  // An error the user should hear about; `field` names where it came from.
  void ShowError(const Error& error, const QString& field = {});
  // The words under the panel when it has nothing to show ("" when it
  // shows a section).
  QString PanelHint() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildUi();
  void BuildMenus();
  // The outliner with its details, the viewport over the event log, and
  // the panel, side by side.
  void BuildSceneViews(QSplitter* splitter, QWidget* panel, QWidget* log);
  // The viewport and the details show the scene as it is now.
  void ShowSceneChanges();
  // An error of the panel while it handled the person's input: said, then
  // the panel shows the scene's values again, so that one bad text blocks
  // nothing.
  void InputFailed(const Error& error, const QString& field);
  // Commits an edit in progress in the panel, before an action on the whole
  // scene; false when that failed (the user has been told).
  bool CommitPanelEdit();
  // Settles scene writes made outside a transaction into the history.
  void SettleHistory(const std::string& label = {});
  void UpdateHint();
  void UpdateActions();
  // One event of the panel, answered.
  void OnEvent(const scenario::RecordedEvent& event);
  void LogJournalSince(std::size_t from);
  // The same, for the lines a mesh operation wrote, with their meaning.
  void LogOperationSince(std::size_t from);
  void ShowSource();
  // Before the scene goes: Save, Discard or Cancel when it has unsaved
  // changes; true when it may go.
  bool ConfirmDiscard();
  bool Save();
  void OpenDialog();
  void SaveAsDialog();

  Options options_;
  SettingsStore& settings_;
  scenario::RecordingEvents events_;
  std::unique_ptr<ScreenMetrics> metrics_;
  // The panel's size when a scripted run fixed it.
  std::optional<FixedPanelSize> fixed_panel_;

  std::shared_ptr<MemSceneGraph> scene_;
  std::shared_ptr<MemApplier> applier_;
  // What the panel was given: the window's applier, or a scripted run's.
  std::shared_ptr<Applier> panel_applier_;
  QString scene_path_;
  Long tab_ = 2;
  UndoHistory history_;
  std::size_t journal_mark_ = 0;
  bool hidden_changed_ = false;
  // The panel height (pixels) the last setup loaded the sections for.
  int laid_out_height_ = -1;

  // The panel, a child of panel_slot_.
  qt::PropertiesWidget* panel_widget_ = nullptr;

  SceneOutliner* outliner_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QWidget* panel_slot_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  QLabel* status_ = nullptr;
  QAction* undo_action_ = nullptr;
  QAction* redo_action_ = nullptr;
  QAction* save_action_ = nullptr;
  Viewport* viewport_ = nullptr;
  QLabel* details_ = nullptr;
  // While held (starting up), Setup only notes that it is wanted; the
  // release then sets the panel up once.
  int setup_held_ = 0;
  bool setup_wanted_ = false;
  // Over the panel when it has nothing to show.
  QLabel* hint_ = nullptr;
  // A reload after an input error is queued, once.
  bool reload_queued_ = false;
};

// "Error 6: Overflow (Properties)" as the demo shows it.
QString ErrorText(const Error& error);

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_DEMO_WINDOW_H_
