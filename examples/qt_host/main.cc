// A Qt host of the property panel in one file: the scene's objects in a
// list, the panel beside them, and Edit > Undo / Redo made from the panel's
// prepare and apply events. Run: qt_host SCENE.json
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QUndoStack>
#include <cstdio>

#include "memscene/host_rules.h"       // SetupArguments for a selection
#include "memscene/mem_applier.h"      // stands in for your applier
#include "memscene/mem_scene_graph.h"  // stands in for your scene graph
#include "qt/properties_widget.h"

using namespace morvel;

// One undo step: the scene before and after one edit of the panel.
class PanelEdit : public QUndoCommand {
 public:
  PanelEdit(MemSceneGraph& scene, nlohmann::json before,
            std::function<void()> show)
      : scene_(scene),
        before_(std::move(before)),
        after_(scene.ToJson()),
        show_(std::move(show)) {
    setText("Panel Edit");
  }
  void undo() override { Put(before_); }
  void redo() override { Put(after_); }  // the first redo: already done

 private:
  void Put(const nlohmann::json& state) {
    if (scene_.ToJson() == state) return;
    scene_.Restore(state);
    show_();
  }
  MemSceneGraph& scene_;
  nlohmann::json before_, after_;
  std::function<void()> show_;
};

class Host : public QMainWindow, public PropertiesEvents {
 public:
  explicit Host(const QString& file)
      : scene_(MemSceneGraph::Load(file.toStdString())),
        properties_(new qt::PropertiesWidget(*this)) {
    auto* objects = new QListWidget;
    objects->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const std::string& name : scene_->NodeNames())
      objects->addItem(QString::fromStdString(name));
    connect(objects, &QListWidget::itemSelectionChanged, [this, objects] {
      std::vector<std::string> names;
      for (QListWidgetItem* item : objects->selectedItems())
        names.push_back(item->text().toStdString());
      scene_->Select(names);
      ShowSelection();
    });
    auto* central = new QWidget;
    auto* row = new QHBoxLayout(central);
    row->addWidget(objects);
    row->addWidget(properties_);
    setCentralWidget(central);
    QAction* undo = undo_.createUndoAction(this);
    QAction* redo = undo_.createRedoAction(this);
    undo->setShortcut(QKeySequence::Undo);
    redo->setShortcut(QKeySequence::Redo);
    menuBar()->addMenu("&Edit")->addActions({undo, redo});

    // Errors of a person's edits; the calls below raise morvel::Error.
    connect(properties_, &qt::PropertiesWidget::errorOccurred,
            [this](const Error& error) { Tell(error); });
    // Maps beside the scene file; the applier reads the operations'
    // parameters where the panel stores them.
    properties_->setSceneFolder(QFileInfo(file).absolutePath());
    applier_ = std::make_shared<MemApplier>(scene_, &properties_->settings());
    properties_->panel().SetSceneGraph(scene_, applier_);
    ShowSelection();
  }
  // The panel goes before the host that answers its events.
  ~Host() override { delete properties_; }

  // Every edit of the panel: prepare, the scene writes, apply.
  void evtReqPrepareForSceneChanges(std::string&) override {
    before_ = scene_->ToJson();
  }
  void evtReqApplySceneChanges(bool&) override {
    undo_.push(new PanelEdit(*scene_, before_, [this] { ShowSelection(); }));
  }
  void evtReqApplyOperation(std::string& operation) override {
    applier_->RunOperation(operation);
  }
  void evtReqWarn(std::string& application, std::string& warning,
                  std::string& entry) override {
    properties_->showWarning(application, warning, entry);
  }

 private:
  // The Object tab for the current selection (2 would be the Common tab).
  void ShowSelection() {
    try {
      properties_->panel().SetupPropertiesPanel(
          ComputeSetupArguments(*scene_, 3));
    } catch (const Error& error) {
      Tell(error);
    }
  }
  void Tell(const Error& error) {
    QMessageBox::warning(this, "Morvel",
                         QString::fromStdString(error.ToString()));
  }

  std::shared_ptr<MemSceneGraph> scene_;
  std::shared_ptr<MemApplier> applier_;
  qt::PropertiesWidget* properties_;
  QUndoStack undo_;
  nlohmann::json before_;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: qt_host SCENE.json\n");
    return 2;
  }
  try {
    Host host(argv[1]);
    host.show();
    return app.exec();
  } catch (const Error& error) {  // a scene file that cannot be read
    std::fprintf(stderr, "qt_host: %s\n", error.ToString().c_str());
    return 1;
  }
}
