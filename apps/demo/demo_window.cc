#include "demo/demo_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <map>

#include "base/numbers.h"
#include "common/demo_operations.h"
#include "demo/gestures.h"
#include "demo/outliner.h"
#include "demo/viewport.h"
#include "demo/window_shortcuts.h"
#include "host/scene_services.h"
#include "memscene/scene_file.h"
#include "memscene/scene_files.h"
#include "memscene/state.h"
#include "qt/pictures.h"

namespace morvel::demo {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString Bool(bool value) { return value ? "True" : "False"; }

// What a mesh operation is called in the Edit menu.
std::string OperationLabel(const std::string& operation) {
  if (operation == "DivideSmooth") return "Smooth";
  return operation;
}

// A mesh operation's journal line with the meaning of the settings it ran
// with: the panel stores the mirror axis as 0 for X and the tension in
// tenths ("Mirror Teapot Axis=0 (X)", "Tension=2 (0.2)").
std::string AnnotatedOperation(const std::string& line) {
  std::string out;
  std::size_t pos = 0;
  const bool mirror = line.rfind("Mirror ", 0) == 0;
  const bool smooth = line.rfind("DivideSmooth ", 0) == 0;
  while (pos <= line.size()) {
    std::size_t end = line.find(' ', pos);
    if (end == std::string::npos) end = line.size();
    std::string word = line.substr(pos, end - pos);
    out += (pos ? " " : "") + word;
    std::size_t equals = word.find('=');
    if (equals != std::string::npos) {
      std::string key = word.substr(0, equals);
      std::string value = word.substr(equals + 1);
      std::string meaning;
      Quietly([&] {
        if (mirror && key == "Axis") {
          Long axis = RoundToLong(TextToDouble(value));
          if (axis >= 0 && axis <= 2) meaning = std::string(1, "XYZ"[axis]);
        } else if (smooth && key == "Tension") {
          meaning = SingleToText(TextToSingle(value) / 10.0f);
        } else if (smooth && key == "Condition") {
          meaning = TextToDouble(value) != 0 ? "More Than" : "Less Than";
        }
      });
      if (!meaning.empty()) out += " (" + meaning + ")";
    }
    pos = end + 1;
  }
  return out;
}



}  // namespace

QString ErrorText(const Error& error) { return Q(error.ToString()); }

// ------------------------------------------------------------------ window

DemoWindow::DemoWindow(SettingsStore& settings, Options options)
    : options_(options),
      settings_(settings),
      metrics_(options.scripted ? std::make_unique<qt::QtScreenMetrics>(15, 15)
                                : std::make_unique<qt::QtScreenMetrics>()) {
  events_.on_event = [this](const scenario::RecordedEvent& event) {
    OnEvent(event);
  };
  BuildUi();
  BuildMenus();
  CreatePanel();
  UpdateActions();
  new GestureWatch(this, [this] { history_.BreakMerge(); });
  new WindowShortcuts(this);
}

DemoWindow::~DemoWindow() { DestroyPanel(); }

void DemoWindow::BuildUi() {
  setWindowTitle("Morvel Properties");
  setWindowIcon(QIcon(qt::PictureFor("image:7").scaled(32, 32)));

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setChildrenCollapsible(false);

  // The outliner.
  outliner_ = new SceneOutliner(splitter);
  outliner_->on_pick = [this](const std::vector<std::string>& names) {
    Select(names);
  };

  // The tabs above the panel.
  auto* middle = new QWidget(splitter);
  auto* column = new QVBoxLayout(middle);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  tabs_ = new QTabBar(middle);
  tabs_->addTab("Common");
  tabs_->addTab("Object");
  tabs_->setExpanding(true);
  tabs_->setAccessibleName("Panel tabs");
  tabs_->setDrawBase(true);
  QObject::connect(tabs_, &QTabBar::currentChanged, [this](int index) {
    tab_ = index == 1 ? 3 : 2;
    history_.BreakMerge();
    Setup();
  });
  // A click on a tab takes the focus, as a click anywhere else does: an
  // edit in the panel is committed before the panel changes tab.
  tabs_->setFocusPolicy(Qt::StrongFocus);
  column->addWidget(tabs_);
  // Where the panel goes (CreatePanel puts a new one there).
  panel_slot_ = new QWidget(middle);
  panel_slot_->setMinimumWidth(268);
  auto* slot_layout = new QVBoxLayout(panel_slot_);
  slot_layout->setContentsMargins(0, 0, 0, 0);
  slot_layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  column->addWidget(panel_slot_, 1);
  // Why the panel is empty, when it is.
  hint_ = new QLabel(panel_slot_);
  hint_->setAccessibleName("Panel hint");
  hint_->setWordWrap(true);
  hint_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  hint_->setMargin(16);
  hint_->setForegroundRole(QPalette::PlaceholderText);
  hint_->hide();

  // The event log.
  auto* right = new QWidget(splitter);
  auto* right_column = new QVBoxLayout(right);
  right_column->setContentsMargins(4, 4, 4, 4);
  auto* log_title = new QLabel("Events", right);
  QFont bold = log_title->font();
  bold.setBold(true);
  log_title->setFont(bold);
  right_column->addWidget(log_title);
  log_ = new QPlainTextEdit(right);
  log_->setReadOnly(true);
  log_->setAccessibleName("Event log");
  log_->setMaximumBlockCount(5000);
  log_->setLineWrapMode(QPlainTextEdit::NoWrap);
  log_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  right_column->addWidget(log_, 1);

  BuildSceneViews(splitter, middle, right);
  setCentralWidget(splitter);

  status_ = new QLabel(this);
  statusBar()->addWidget(status_, 1);
  resize(1240, 800);
}

void DemoWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  QAction* open = file->addAction("&Open...", [this] { OpenDialog(); });
  open->setShortcut(QKeySequence::Open);
  save_action_ = file->addAction("&Save", [this] {
    if (scene_path_.isEmpty()) {
      SaveAsDialog();
    } else {
      SaveScene(scene_path_);
    }
  });
  save_action_->setShortcut(QKeySequence::Save);
  QAction* save_as = file->addAction("Save &As...", [this] { SaveAsDialog(); });
  save_as->setShortcut(QKeySequence::SaveAs);
  file->addSeparator();
  QAction* quit = file->addAction("&Quit", [this] { close(); });
  quit->setShortcut(QKeySequence::Quit);

  QMenu* edit = menuBar()->addMenu("&Edit");
  undo_action_ = edit->addAction("&Undo", [this] { Undo(); });
  undo_action_->setShortcuts(QKeySequence::Undo);
  redo_action_ = edit->addAction("&Redo", [this] { Redo(); });
  // Every key the desktop uses for Redo, and Ctrl+Shift+Z everywhere, as
  // the menu says.
  QList<QKeySequence> redo_keys = QKeySequence::keyBindings(QKeySequence::Redo);
  const QKeySequence ctrl_shift_z(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
  if (!redo_keys.contains(ctrl_shift_z)) redo_keys.prepend(ctrl_shift_z);
  redo_action_->setShortcuts(redo_keys);

  QMenu* view = menuBar()->addMenu("&View");
  QAction* common = view->addAction("&Common Tab", [this] { SetTab(2); });
  common->setShortcut(QKeySequence("Ctrl+1"));
  QAction* object = view->addAction("&Object Tab", [this] { SetTab(3); });
  object->setShortcut(QKeySequence("Ctrl+2"));
  view->addSeparator();
  view->addAction("C&lear Event Log", [this] { log_->clear(); });

  QMenu* help = menuBar()->addMenu("&Help");
  help->addAction("&About", [this] {
    QMessageBox::about(
        this, "About Morvel Properties",
        "<p><b>Morvel Properties</b> demo host.</p>"
        "<p>Select objects in the outliner; the panel shows what they have in "
        "common (Common tab) or everything about one of them (Object tab). "
        "Every edit is logged on the right with the scene writes it made, "
        "and can be undone.</p>");
  });
}

// ------------------------------------------------------------------ panel

void DemoWindow::CreatePanel(PropertiesEvents* events,
                             MessageBoxService* messages,
                             SettingsStore* settings, Clipboard* clipboard) {
  DestroyPanel();
  qt::PropertiesWidget::Services services;
  services.clipboard = clipboard;
  services.message_box = messages;
  services.settings = settings ? settings : &settings_;
  services.metrics = metrics_.get();
  // Scripted runs keep the reference choosers, which play the answers the
  // scenario gives; people get the Qt dialogs.
  if (options_.scripted) services.scene_services = &ThreadSceneServices();
  panel_widget_ = new qt::PropertiesWidget(events ? *events : events_, services);
  if (fixed_panel_) {
    // Before it is shown, so that showing it is no resize notification: a
    // scripted panel starts exactly like the headless runner's.
    panel_widget_->fixContainer(fixed_panel_->inner_height,
                                fixed_panel_->outer_height,
                                fixed_panel_->width);
  }
  panel_widget_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  panel_slot_->layout()->addWidget(panel_widget_);
  QObject::connect(panel_widget_, &qt::PropertiesWidget::errorOccurred,
                   [this](const Error& error, const QString& field) {
                     InputFailed(error, field);
                   });
  QObject::connect(panel_widget_, &qt::PropertiesWidget::inputHandled,
                   [this] {
                     SettleHistory();
                     RefreshFromScene();
                   });
  // The sections take the panel's height when they are loaded: a panel
  // that became taller or shorter is loaded again to fill it.
  QObject::connect(panel_widget_, &qt::PropertiesWidget::panelResized, [this] {
    if (panel_widget_->height() != laid_out_height_) Setup();
    UpdateHint();
  });
  if (!scene_path_.isEmpty()) {
    panel_widget_->setSceneFolder(QFileInfo(scene_path_).absolutePath());
  }
  panel_widget_->show();
  if (!options_.scripted) {
    try {
      ConnectPanel();
    } catch (const Error& error) {
      ShowError(error);
    }
  }
  panel_widget_->view().Flush();
}

std::unique_ptr<qt::PropertiesWidget> DemoWindow::DetachPanel() {
  std::unique_ptr<qt::PropertiesWidget> widget(panel_widget_);
  panel_widget_ = nullptr;
  if (widget) widget->setParent(nullptr);
  return widget;
}

void DemoWindow::DestroyPanel() { DetachPanel().reset(); }

void DemoWindow::ConnectPanel() {
  if (!panel_widget_ || !scene_) return;
  std::shared_ptr<SceneGraph> graph = scene_;
  panel_widget_->panel().SetSceneGraph(graph, panel_applier_);
}

void DemoWindow::AttachScene(std::shared_ptr<MemSceneGraph> scene,
                             std::shared_ptr<Applier> applier,
                             const QString& path) {
  scene_ = std::move(scene);
  scene_path_ = path;
  applier_.reset();
  panel_applier_ = std::move(applier);
  history_.Reset(scene_);
  outliner_->SetPickOrder(scene_ ? scene_->SelectedNames()
                                 : std::vector<std::string>{});
  if (panel_widget_ && !path.isEmpty())
    panel_widget_->setSceneFolder(QFileInfo(path).absolutePath());
  viewport_->SetScene(scene_);
  outliner_->Fill(scene_.get());
  UpdateActions();
  if (panel_widget_) {
    std::shared_ptr<SceneGraph> graph = scene_;
    panel_widget_->panel().SetSceneGraph(graph, panel_applier_);
  }
}

void DemoWindow::SetupOrThrow(const SetupArguments& a) {
  if (!panel_widget_) return;
  {
    QSignalBlocker block(tabs_);
    if (a.SelectedTab == 2) tabs_->setCurrentIndex(0);
    if (a.SelectedTab == 3) tabs_->setCurrentIndex(1);
  }
  if (a.SelectedTab == 2 || a.SelectedTab == 3) tab_ = a.SelectedTab;
  Log(QString("> SetupPropertiesPanel(%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, "
              "%11)")
          .arg(a.SelectedTab)
          .arg(a.SelectionEntity)
          .arg(a.ShapesSelectedCount)
          .arg(a.LightsSelectedCount)
          .arg(a.BonesSelectedCount)
          .arg(a.CamerasSelectedCount)
          .arg(a.GroupsSelectedCount)
          .arg(Bool(a.AmbientLightSelected), Bool(a.DirectionalLightSelected),
               Bool(a.SceneSelected))
          .arg(a.RenderMode));
  laid_out_height_ = panel_widget_->height();
  panel_widget_->panel().SetupPropertiesPanel(a);
  panel_widget_->view().Flush();
  UpdateHint();
}

void DemoWindow::Setup() {
  if (setup_held_ > 0) {
    setup_wanted_ = true;
    return;
  }
  if (!panel_widget_ || !scene_) return;
  try {
    SetupOrThrow(ComputeSetupArguments(*scene_, tab_));
  } catch (const Error& error) {
    ShowError(error);
  }
  // A section may write as it loads (a camera's focal blur): that too is
  // a step the user can undo.
  SettleHistory();
  RefreshFromScene();
}

void DemoWindow::FixPanel(Long inner_height, Long outer_height, Long width) {
  fixed_panel_ = FixedPanelSize{inner_height, outer_height, width};
  if (panel_widget_) {
    panel_widget_->fixContainer(inner_height, outer_height, width);
  }
}

void DemoWindow::ResizePanel(Long inner_height, Long outer_height, Long width) {
  FixPanel(inner_height, outer_height, width);
  if (panel_widget_) panel_widget_->panel().Resize();
}

void DemoWindow::SetTab(Long tab) {
  CommitPanelEdit();
  tab_ = tab == 3 ? 3 : 2;
  QSignalBlocker block(tabs_);
  tabs_->setCurrentIndex(tab_ == 3 ? 1 : 0);
  history_.BreakMerge();
  Setup();
}

// ------------------------------------------------------------------ scene

namespace {

// "Model files (*.gltf *.glb ...)": a file dialog's filter.
QString FileFilter(const QString& title,
                   const std::vector<std::string>& extensions) {
  QStringList patterns;
  for (const std::string& e : extensions)
    patterns << "*." + QString::fromStdString(e);
  return title + " (" + patterns.join(' ') + ")";
}

}  // namespace

bool DemoWindow::OpenScene(const QString& path) {
  // A large scene takes a moment to read: say so.
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  std::shared_ptr<MemSceneGraph> scene;
  std::optional<Error> failure;
  try {
    scene = OpenSceneFile(path.toStdString());
  } catch (const Error& error) {
    failure = error;
  }
  QGuiApplication::restoreOverrideCursor();
  if (failure) {
    ShowError(*failure);
    return false;
  }
  SetScene(std::move(scene), path);
  return true;
}

void DemoWindow::SetScene(std::shared_ptr<MemSceneGraph> scene,
                          const QString& path) {
  scene_ = std::move(scene);
  scene_path_ = path;
  applier_ =
      scene_ ? std::make_shared<MemApplier>(scene_, &settings_) : nullptr;
  panel_applier_ = applier_;
  history_.Reset(scene_);
  outliner_->SetPickOrder(scene_ ? scene_->SelectedNames()
                                 : std::vector<std::string>{});
  if (panel_widget_ && !path.isEmpty())
    panel_widget_->setSceneFolder(QFileInfo(path).absolutePath());
  try {
    ConnectPanel();
  } catch (const Error& error) {
    ShowError(error);
  }
  viewport_->SetScene(scene_);
  outliner_->Fill(scene_.get());
  Log(QString("# scene %1")
          .arg(path.isEmpty() ? "(new)" : QFileInfo(path).fileName()));
  Setup();
}

bool DemoWindow::SaveScene(const QString& path) {
  if (!scene_) return false;
  // What is being typed is part of what is saved.
  if (!CommitPanelEdit()) return false;
  try {
    SaveSceneFile(*scene_, path.toStdString());
    scene_path_ = path;
    history_.MarkSaved();
    Log(QString("# saved %1").arg(QFileInfo(path).fileName()));
    UpdateActions();
    return true;
  } catch (const Error& error) {
    ShowError(error);
    return false;
  }
}

void DemoWindow::OpenDialog() {
  if (!CommitPanelEdit() || !ConfirmDiscard()) return;
  QString path = QFileDialog::getOpenFileName(
      this, "Open Scene", QFileInfo(scene_path_).absolutePath(),
      FileFilter("Scenes and models", OpenableExtensions()) +
          ";;Scene files (*.json);;All files (*)");
  if (!path.isEmpty()) OpenScene(path);
}

void DemoWindow::SaveAsDialog() {
  QString path =
      QFileDialog::getSaveFileName(
          this, "Save Scene As", scene_path_,
          "Scene files (*.json);;" +
              FileFilter("Model files", SaveableExtensions()) +
              ";;All files (*)");
  if (!path.isEmpty()) SaveScene(path);
}

bool DemoWindow::Save() {
  if (scene_path_.isEmpty()) {
    SaveAsDialog();
  } else {
    SaveScene(scene_path_);
  }
  return !history_.Modified();
}

bool DemoWindow::ConfirmDiscard() {
  if (options_.scripted || !scene_ || !history_.Modified()) return true;
  QString name =
      scene_path_.isEmpty() ? "Untitled" : QFileInfo(scene_path_).fileName();
  QMessageBox box(QMessageBox::Warning, "Morvel",
                  "Save the changes to " + name + "?",
                  QMessageBox::Save | QMessageBox::Discard |
                      QMessageBox::Cancel,
                  this);
  box.setInformativeText("Your changes are lost if you don't save them.");
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return Save();
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void DemoWindow::closeEvent(QCloseEvent* event) {
  if (CommitPanelEdit() && ConfirmDiscard()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool DemoWindow::Select(const std::vector<std::string>& names) {
  if (!scene_) return false;
  // An edit in progress belongs to what was selected when it was typed.
  CommitPanelEdit();
  try {
    scene_->Select(names);
  } catch (const Error& error) {
    ShowError(error);
    return false;
  }
  outliner_->SetPickOrder(names);
  history_.SelectionChanged();
  history_.BreakMerge();
  SyncOutlinerSelection();
  Setup();
  return true;
}

QTreeWidget* DemoWindow::Outliner() const { return outliner_; }

void DemoWindow::SyncOutlinerSelection() {
  if (scene_) outliner_->ShowScene(*scene_);
}

void DemoWindow::RefreshFromScene() {
  if (hidden_changed_) {
    hidden_changed_ = false;
    SyncOutlinerSelection();
  }
  UpdateActions();
  ShowSceneChanges();
}

void DemoWindow::UpdateActions() {
  if (undo_action_) {
    undo_action_->setEnabled(history_.CanUndo());
    undo_action_->setText(
        history_.CanUndo() ? "&Undo " + Q(history_.UndoLabel()) : "&Undo");
    redo_action_->setEnabled(history_.CanRedo());
    redo_action_->setText(
        history_.CanRedo() ? "&Redo " + Q(history_.RedoLabel()) : "&Redo");
    save_action_->setEnabled(scene_ != nullptr);
  }
  QString name =
      scene_path_.isEmpty() ? "Untitled" : QFileInfo(scene_path_).fileName();
  setWindowTitle(
      QString("%1%2 - Morvel Properties")
          .arg(name, scene_ && history_.Modified() && history_.StepCount() > 0
                         ? "*"
                         : ""));
  if (status_) {
    std::vector<std::string> selected =
        scene_ ? scene_->SelectedNames() : std::vector<std::string>{};
    QString text;
    if (!scene_) {
      text = "No scene";
    } else if (selected.empty()) {
      text = "Nothing selected";
    } else if (selected.size() == 1) {
      text = "Selected: " + Q(selected[0]);
    } else {
      text = QString("%1 objects selected (first: %2)")
                 .arg(selected.size())
                 .arg(Q(selected[0]));
    }
    status_->setText(text);
  }
}

// ------------------------------------------------------------------ undo

void DemoWindow::Travel(int direction) {
  // An edit being typed is a step of its own, undone first.
  CommitPanelEdit();
  SettleHistory();
  bool back = direction < 0;
  if (back ? !history_.CanUndo() : !history_.CanRedo()) return;
  std::string label = back ? history_.UndoLabel() : history_.RedoLabel();
  try {
    back ? history_.Undo() : history_.Redo();
  } catch (const Error& error) {
    ShowError(error);
    return;
  }
  Log((back ? "# undo " : "# redo ") + Q(label));
  hidden_changed_ = true;
  // The selection comes back with the step.
  outliner_->SetPickOrder(scene_->SelectedNames());
  SyncOutlinerSelection();
  Setup();
}

void DemoWindow::SettleHistory(const std::string& label) {
  if (history_.Settle(label)) UpdateActions();
}

bool DemoWindow::CommitPanelEdit() {
  return !panel_widget_ || panel_widget_->commitEdit();
}

// ------------------------------------------------------------------ events

void DemoWindow::Log(const QString& line) {
  // Host calls and notes in grey, scene writes in green, errors in red;
  // the panel's events in the text colour.
  QString colour;
  if (line.startsWith("> ") || line.startsWith("# ")) {
    colour = "#707070";
  } else if (line.startsWith("    ")) {
    colour = "#2e7d32";
  } else if (line.startsWith("!! ")) {
    colour = "#c62828";
  }
  QString html = line.toHtmlEscaped();
  html.replace(" ", "&nbsp;");
  log_->appendHtml(
      colour.isEmpty()
          ? html
          : QString("<span style=\"color:%1\">%2</span>").arg(colour, html));
  log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

QString DemoWindow::LogText() const { return log_->toPlainText(); }

void DemoWindow::LogOperationSince(std::size_t from) {
  if (!scene_) return;
  for (const std::string& line : scene_->JournalLines(from)) {
    Log("    " + Q(AnnotatedOperation(line)));
  }
  journal_mark_ = scene_->JournalSize();
}

void DemoWindow::LogJournalSince(std::size_t from) {
  if (!scene_) return;
  std::vector<std::string> lines = scene_->JournalLines(from);
  for (const std::string& line : lines) Log("    " + Q(line));
  journal_mark_ = scene_->JournalSize();
}

void DemoWindow::OnEvent(const scenario::RecordedEvent& event) {
  auto text = [&](std::size_t i) {
    return std::get<std::string>(event.arguments.at(i));
  };
  const std::string& name = event.name;
  // The scene writes of an edit come before its apply.
  if (name == "evtReqApplySceneChanges") LogJournalSince(journal_mark_);
  Log(Q(event.ToText()));
  if (name.ends_with("Hidden8")) {
    hidden_changed_ = true;
  } else if (name == "evtReqPrepareForSceneChanges") {
    if (scene_) journal_mark_ = scene_->JournalSize();
    history_.Prepare();
  } else if (name == "evtReqApplySceneChanges") {
    history_.Apply();
    if (std::get<bool>(event.arguments.at(0))) hidden_changed_ = true;
    UpdateActions();
    // Every edit shows at once wherever the scene is shown.
    ShowSceneChanges();
  } else if (name == "evtReqOpenSource") {
    if (!options_.scripted) ShowSource();
  } else if (name == "evtReqApplyOperation") {
    // The panel readies the object for the operation outside any
    // transaction (the smoothing level back to 0): with the operation,
    // that is one step.
    std::string label = OperationLabel(text(0));
    SettleHistory(label);
    std::size_t mark = scene_ ? scene_->JournalSize() : 0;
    RunDemoOperation(run_operation, applier_.get(), text(0),
                     [this](const Error& error) { ShowError(error); });
    LogOperationSince(mark);
    SettleHistory(label);
  } else if (name == "evtReqWarn" && !options_.scripted) {
    if (options_.batch) {
      // A tip waits for OK; nobody is there to press it.
      Log("    (tip not shown: the demo runs unattended)");
    } else if (!panel_widget_ ||
               !panel_widget_->showWarning(text(0), text(1), text(2))) {
      // Shown unless the user switched this warning off in an earlier tip.
      Log("    (tip switched off by the user)");
    }
  }
}

void DemoWindow::ShowSource() {
  if (!scene_) return;
  std::vector<std::string> selected = scene_->SelectedNames();
  if (selected.empty()) return;
  const std::string& name = selected.front();
  QDialog dialog(this);
  dialog.setWindowTitle("Source - " + Q(name));
  auto* layout = new QVBoxLayout(&dialog);
  QString caption, detail;
  Quietly([&] { caption = Q(scene_->ValueText(name + ".SourceCaption")); });
  Quietly([&] { detail = Q(scene_->ValueText(name + ".SourceDetail")); });
  auto* heading = new QLabel(
      QString("<b>%1</b>%2")
          .arg(caption.toHtmlEscaped(),
               detail.isEmpty() ? QString()
                                : " &mdash; " + detail.toHtmlEscaped()),
      &dialog);
  layout->addWidget(heading);
  auto* text = new QPlainTextEdit(&dialog);
  text->setReadOnly(true);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QString json;
  Quietly([&] {
    const mem::SceneContent& content = scene_->state().content;
    json = Q(mem::WriteNode(content, content.Find(name), true).dump(2));
  });
  text->setPlainText(json);
  text->setAccessibleName("Source of " + Q(name));
  layout->addWidget(text, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog,
                   &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(460, 420);
  dialog.exec();
}

void DemoWindow::ShowError(const Error& error, const QString& field) {
  QString where = field.isEmpty() ? QString() : field + ": ";
  Log("!! " + where + ErrorText(error));
  if (options_.scripted) return;
  if (options_.batch) {
    std::fprintf(stderr, "morvel-demo: %s%s\n", where.toStdString().c_str(),
                 error.ToString().c_str());
    return;
  }
  QMessageBox box(this);
  box.setWindowTitle("Morvel");
  box.setIcon(QMessageBox::Critical);
  box.setText(where + QString("Error %1: %2")
                          .arg(error.Number())
                          .arg(Q(error.Description())));
  box.setInformativeText(
      "Source: " + Q(error.Source().empty() ? "(unknown)" : error.Source()));
  box.exec();
}

void DemoWindow::InputFailed(const Error& error, const QString& field) {
  if (options_.scripted) {
    ShowError(error, field);
    return;
  }
  Log("!! " + (field.isEmpty() ? QString() : field + ": ") + ErrorText(error));
  // Said once the input that failed is over (a field may have failed as
  // the focus left it), then the panel shows the scene again: the bad text
  // gives way to the value the scene holds.
  QMetaObject::invokeMethod(
      this,
      [this, error, field] {
        if (!options_.batch) {
          QMessageBox box(this);
          box.setWindowTitle("Morvel");
          box.setIcon(QMessageBox::Warning);
          box.setText((field.isEmpty() ? QString() : field + ": ") +
                      Q(error.Description()));
          box.setInformativeText(QString("Error %1 (%2). The panel shows the "
                                         "scene's values again.")
                                     .arg(error.Number())
                                     .arg(Q(error.Source())));
          box.exec();
        }
        if (!reload_queued_) return;
        reload_queued_ = false;
        Setup();
      },
      Qt::QueuedConnection);
  reload_queued_ = true;
}

QString DemoWindow::PanelHint() const {
  return hint_ && !hint_->isHidden() ? hint_->text() : QString();
}

void DemoWindow::UpdateHint() {
  if (!hint_) return;
  QString text;
  if (scene_ && tab_ == 3) {
    std::size_t count = scene_->SelectedNames().size();
    if (count == 0) {
      text = "Nothing is selected.\n\nPick an object in the outliner or the "
             "viewport to see its properties here.";
    } else if (count > 1) {
      text = QString("%1 objects are selected.\n\nThe Object tab shows one "
                     "object at a time: pick one, or use the Common tab "
                     "(Ctrl+1) for what they share.")
                 .arg(count);
    }
  }
  hint_->setText(text);
  hint_->setVisible(!text.isEmpty());
  if (!text.isEmpty()) {
    hint_->setGeometry(0, 0, panel_slot_->width(),
                       std::max(120, panel_slot_->height() / 2));
    hint_->raise();
  }
}

}  // namespace morvel::demo
