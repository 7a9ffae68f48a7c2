// A studio with a document of its own (document.h) and the property panel
// beside its outliner, bound to the document in binding.h. Every edit of
// the panel lands in the document's structs between a prepare and an
// apply, which the log below the panel shows.
// Run: foreign_host [--screenshot FILE]
#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <cstring>

#include "binding.h"
#include "qt/properties_widget.h"

using namespace morvel;

class Studio : public QMainWindow, public PropertiesEvents {
 public:
  Studio()
      : document_(studio::MakeSampleDocument()),
        graph_(std::make_shared<foreign::DocumentGraph>(*document_)),
        properties_(new qt::PropertiesWidget(*this)) {
    for (auto& child : document_->root.children)
      outliner_->addTopLevelItem(Entry(*child));
    outliner_->setHeaderHidden(true);
    outliner_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    outliner_->expandAll();
    tabs_->addTab("Common");
    tabs_->addTab("Object");
    tabs_->setCurrentIndex(1);
    auto* side = new QWidget;
    auto* column = new QVBoxLayout(side);
    column->addWidget(tabs_);
    column->addWidget(properties_, 5);
    column->addWidget(log_, 1);
    auto* central = new QWidget;
    auto* row = new QHBoxLayout(central);
    row->addWidget(outliner_);
    row->addWidget(side);
    setCentralWidget(central);
    resize(720, 820);

    connect(outliner_, &QTreeWidget::itemSelectionChanged, [this] { Show(); });
    connect(tabs_, &QTabBar::currentChanged, [this] { Show(); });
    connect(properties_, &qt::PropertiesWidget::errorOccurred,
            [this](const Error& error) { Log(error.ToString()); });
    // No applier: this studio has no mesh operations to run.
    properties_->panel().SetSceneGraph(graph_, nullptr);
    Show();
  }
  // The panel goes before the events it raises and the document it shows.
  ~Studio() override { delete properties_; }

  void Select(const QString& name) {
    for (QTreeWidgetItem* entry :
         outliner_->findItems(name, Qt::MatchExactly | Qt::MatchRecursive))
      entry->setSelected(true);
  }

  void evtReqPrepareForSceneChanges(std::string& layer) override {
    Log("prepare \"" + layer + "\"");
  }
  void evtReqApplySceneChanges(bool&) override {
    Log("apply");
    // Hidden items are drawn grey in the outliner.
    for (QTreeWidgetItemIterator it(outliner_); *it; ++it) {
      auto* item = static_cast<studio::Item*>(
          (*it)->data(0, Qt::UserRole).value<void*>());
      (*it)->setForeground(0, item->visible ? palette().text()
                                            : palette().mid());
    }
  }
  void evtReqWarn(std::string& application, std::string& warning,
                  std::string& entry) override {
    properties_->showWarning(application, warning, entry);
  }

 private:
  QTreeWidgetItem* Entry(studio::Item& item) {
    auto* entry = new QTreeWidgetItem({QString::fromStdString(item.name)});
    entry->setData(0, Qt::UserRole, QVariant::fromValue<void*>(&item));
    for (auto& child : item.children) entry->addChild(Entry(*child));
    return entry;
  }

  // The selection and tab, told to the panel.
  void Show() {
    std::vector<studio::Item*> items;
    for (QTreeWidgetItem* entry : outliner_->selectedItems())
      items.push_back(
          static_cast<studio::Item*>(entry->data(0, Qt::UserRole).value<void*>()));
    graph_->SelectItems(items);
    try {
      properties_->panel().SetupPropertiesPanel(
          graph_->Setup(tabs_->currentIndex() == 0 ? 2 : 3));
    } catch (const Error& error) {
      Log(error.ToString());
    }
  }
  void Log(const std::string& line) {
    log_->addItem(QString::fromStdString(line));
    log_->scrollToBottom();
  }

  std::unique_ptr<studio::Document> document_;
  std::shared_ptr<foreign::DocumentGraph> graph_;
  QTreeWidget* outliner_ = new QTreeWidget;
  QTabBar* tabs_ = new QTabBar;
  QListWidget* log_ = new QListWidget;
  qt::PropertiesWidget* properties_;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Studio studio;
  studio.show();
  if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) {
    // The table on the object tab, drawn once and saved.
    studio.Select("Table");
    QApplication::processEvents();
    if (!studio.grab().save(argv[2])) {
      std::fprintf(stderr, "foreign_host: cannot write %s\n", argv[2]);
      return 1;
    }
    std::printf("foreign host: ok\n");
    return 0;
  }
  return app.exec();
}
