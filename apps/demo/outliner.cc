#include "demo/outliner.h"

#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <map>

#include "demo/kind_icons.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/state.h"

namespace morvel::demo {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string NameOf(const QTreeWidgetItem& item) {
  return item.data(0, Qt::UserRole).toString().toStdString();
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

SceneOutliner::SceneOutliner(QWidget* parent) : QTreeWidget(parent) {
  setHeaderLabel("Scene");
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setAccessibleName("Outliner");
  setMinimumWidth(170);
  setUniformRowHeights(true);
  QObject::connect(this, &QTreeWidget::itemSelectionChanged,
                   [this] { SelectionChanged(); });
}

void SceneOutliner::Fill(const MemSceneGraph* scene) {
  filling_ = true;
  clear();
  if (scene) {
    const mem::SceneContent& content = scene->state().content;
    std::map<std::string, QTreeWidgetItem*> items;
    std::vector<std::string> names = scene->NodeNames();
    // Parents come before their children in a scene file, but be safe.
    for (int pass = 0; pass < 2; ++pass) {
      for (const std::string& name : names) {
        if (items.count(name)) continue;
        std::string parent = scene->ParentOf(name);
        QTreeWidgetItem* item = nullptr;
        if (parent.empty()) {
          item = new QTreeWidgetItem(this);
        } else if (auto it = items.find(parent); it != items.end()) {
          item = new QTreeWidgetItem(it->second);
        } else if (pass == 1) {
          item = new QTreeWidgetItem(this);
        } else {
          continue;
        }
        item->setText(0, Q(name));
        item->setData(0, Qt::UserRole, Q(name));
        std::int32_t index = content.Find(name);
        item->setIcon(
            0, KindIcon(index < 0 ? 0
                                  : content.nodes[static_cast<std::size_t>(index)]
                                        .kind));
        items[name] = item;
      }
    }
    expandAll();
  }
  filling_ = false;
  if (scene) ShowScene(*scene);
}

void SceneOutliner::ShowScene(const MemSceneGraph& scene) {
  filling_ = true;
  const mem::SceneContent& content = scene.state().content;
  std::vector<std::string> selected = scene.SelectedNames();
  QTreeWidgetItemIterator it(this);
  QTreeWidgetItem* first = nullptr;
  while (*it) {
    std::string name = NameOf(**it);
    bool on = Contains(selected, name);
    (*it)->setSelected(on);
    if (on && !first) first = *it;
    std::int32_t index = content.Find(name);
    bool hidden =
        index >= 0 &&
        content.nodes[static_cast<std::size_t>(index)].Has(mem::kHidden);
    QFont font = (*it)->font(0);
    font.setItalic(hidden);
    (*it)->setFont(0, font);
    (*it)->setForeground(
        0, palette().color(hidden ? QPalette::Disabled : QPalette::Active,
                           QPalette::Text));
    (*it)->setToolTip(0, hidden ? "Hidden" : QString());
    ++it;
  }
  if (first) setCurrentItem(first, 0, QItemSelectionModel::NoUpdate);
  filling_ = false;
}

void SceneOutliner::SelectionChanged() {
  if (filling_) return;
  std::vector<std::string> now;
  for (QTreeWidgetItem* item : selectedItems()) now.push_back(NameOf(*item));
  // Those picked before keep their places; the new ones follow.
  std::vector<std::string> ordered;
  for (const std::string& name : pick_order_) {
    if (Contains(now, name)) ordered.push_back(name);
  }
  for (const std::string& name : now) {
    if (!Contains(ordered, name)) ordered.push_back(name);
  }
  pick_order_ = ordered;
  if (on_pick) on_pick(ordered);
}

}  // namespace morvel::demo
