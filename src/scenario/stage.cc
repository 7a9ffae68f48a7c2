#include "scenario/stage.h"

#include <filesystem>

namespace morvel::scenario {

Properties& Stage::Panel(int line) {
  Properties* panel = host.Panel();
  if (!panel) throw ScenarioError(line, "there is no panel: it was terminated");
  return *panel;
}

void Stage::RequireScene(int line) const {
  if (!scene.Loaded())
    throw ScenarioError(line,
                        "there is no scene: load one with "
                        "\"scene FILE\" first");
}

std::string Stage::ScenePath(const std::string& file) const {
  std::filesystem::path p(file);
  if (p.is_relative() && !base_dir.empty())
    p = std::filesystem::path(base_dir) / p;
  return p.string();
}

std::vector<std::string> Stage::ActionJournal() const {
  if (journal_mark >= scene.JournalSize()) return {};
  return scene.Journal(journal_mark);
}

Widget& Stage::FindWidget(const Token& token, int line) {
  std::string name;
  int index = -1;
  SplitWidgetName(token.text, name, index);
  std::vector<const WidgetTree*> trees;
  if (Properties* panel = host.Panel()) trees.push_back(&panel->Widgets());
  if (WidgetTree* warn = host.WarningWidgets()) trees.push_back(warn);
  for (const WidgetTree* tree : trees) {
    if (Widget* w = tree->Find(name, index)) return *w;
  }
  for (const WidgetTree* tree : trees) {
    std::vector<Widget*> elements = tree->Array(name);
    if (!elements.empty()) {
      if (index < 0)
        throw ScenarioError(
            line, "widget " + Quoted(name) +
                      " is a control array: name an "
                      "element, as " +
                      name + "(" + std::to_string(elements.front()->Index()) +
                      ")");
      throw ScenarioError(line, "widget " + Quoted(name) + " has no element " +
                                    std::to_string(index));
    }
    if (index >= 0 && tree->Find(name, -1))
      throw ScenarioError(line,
                          "widget " + Quoted(name) + " is not a control array");
  }
  if (trees.empty())
    throw ScenarioError(line, "there is no panel: it was terminated");
  throw ScenarioError(line, "unknown widget " + Quoted(token.text));
}

FlexGrid& Stage::MaterialGrid(int line) {
  auto* grid = dynamic_cast<FlexGrid*>(Panel(line).Widgets().Find(kMaterialGrid));
  if (!grid)
    throw ScenarioError(
        line, "the panel has no material grid " + Quoted(kMaterialGrid));
  return *grid;
}

}  // namespace morvel::scenario
