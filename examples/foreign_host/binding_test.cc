// The studio's binding under a real panel, driven as a person would: every
// edit lands in the document's own structs, in the document's own units,
// between one prepare and one apply; the panel's helpers come from the
// library's reference utilities (no factory is installed here).
#include "binding.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "panel/properties.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "scene/utilities.h"

namespace foreign {
namespace {

using namespace morvel;

class Recorder : public PropertiesEvents {
 public:
  std::vector<std::string> events;
  void evtShapeHidden8() override { events.push_back("shapes hidden"); }
  void evtReqPrepareForSceneChanges(std::string& layer) override {
    events.push_back("prepare \"" + layer + "\"");
  }
  void evtReqApplySceneChanges(bool& hierarchy) override {
    events.push_back(hierarchy ? "apply hierarchy" : "apply");
  }
  void evtReqWarn(std::string&, std::string&, std::string& entry) override {
    events.push_back("warn " + entry);
  }
};

class StudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUtilityFactory(nullptr);
    panel_.ReadProperties();
    panel_.SetSceneGraph(graph_, nullptr);
  }

  studio::Item& Item(const std::string& name) {
    std::function<studio::Item*(studio::Item&)> find =
        [&](studio::Item& item) -> studio::Item* {
      if (item.name == name) return &item;
      for (auto& child : item.children) {
        if (studio::Item* found = find(*child)) return found;
      }
      return nullptr;
    };
    studio::Item* item = find(doc_->root);
    EXPECT_NE(item, nullptr) << name;
    return *item;
  }
  // Selects the items, sets the panel up on `tab` and forgets the events
  // the set-up raised.
  void Show(std::vector<std::string> names, Long tab) {
    std::vector<studio::Item*> items;
    for (const std::string& name : names) items.push_back(&Item(name));
    graph_->SelectItems(items);
    panel_.SetupPropertiesPanel(graph_->Setup(tab));
    events_.events.clear();
  }
  template <class T>
  T& W(const char* name, int index = -1) {
    return panel_.Widgets().Get<T>(name, index);
  }
  std::vector<std::string> Events() {
    std::vector<std::string> events;
    events.swap(events_.events);
    return events;
  }

  std::unique_ptr<studio::Document> doc_ = studio::MakeSampleDocument();
  std::shared_ptr<DocumentGraph> graph_ = std::make_shared<DocumentGraph>(*doc_);
  MemoryClipboard clipboard_;
  RecordingMessageBox messages_;
  MemorySettingsStore settings_;
  FixedScreenMetrics metrics_;
  Recorder events_;
  FixedContainer container_;
  Properties panel_{{&clipboard_, &messages_, &settings_, &metrics_},
                    events_,
                    container_};
};

const std::vector<std::string> kEdit = {"prepare \"SysProperties\"", "apply"};
const std::vector<std::string> kLightEdit = {"prepare \"\"", "apply"};

TEST_F(StudioTest, CommonTabReadsAndWritesTheItems) {
  Show({"Table", "Chair"}, 2);
  EXPECT_EQ(W<CheckBox>("chkCommonLockEnable").Caption(), "Lock");
  EXPECT_EQ(W<CheckBox>("chkCommonLockEnable").Value(), 2) << "one frozen";
  EXPECT_EQ(W<CheckBox>("chkCommonHide").Value(), 0);

  UserInput::Click(W<CheckBox>("chkCommonHide"));
  EXPECT_EQ(Events(), (std::vector<std::string>{"prepare \"SysProperties\"",
                                                "shapes hidden", "apply"}));
  EXPECT_FALSE(Item("Table").visible);
  EXPECT_FALSE(Item("Chair").visible);
  UserInput::Click(W<CheckBox>("chkCommonLockEnable"));  // grey to set
  EXPECT_EQ(Events(), kEdit);
  EXPECT_TRUE(Item("Table").frozen);

  Show({"Table", "Desk Lamp"}, 2);
  EXPECT_EQ(W<CheckBox>("chkCommonHide").Value(), 2);
}

TEST_F(StudioTest, AMeshShowsItsSurfacesAndPartNumber) {
  Show({"Table"}, 3);
  EXPECT_EQ(W<Button>("cmdSource").Caption(), "Table (table.obj)");
  EXPECT_EQ(W<Label>("lblCustomShapeFieldName", 0).Caption(), "Part No");
  EXPECT_EQ(W<TextField>("txtCustomShapeFieldValue", 0).Text(), "T-100");
  for (int row = 1; row < 6; ++row)
    EXPECT_FALSE(W<Label>("lblCustomShapeFieldName", row).Visible()) << row;
  FlexGrid& grid = W<FlexGrid>("msgMaterialAttributes");
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.TextMatrix(1, 3), "25") << "the oak shows 75 % texture";
  EXPECT_EQ(grid.CellPictureAt(1, 1), "thumbnail:maps/oak.png:32");
  EXPECT_EQ(grid.TextMatrix(2, 11), "75") << "glass, 0.25 opaque";
  EXPECT_EQ(grid.TextMatrix(2, 3), "50") << "no texture";

  UserInput::ClickCell(grid, 2, 11);
  UserInput::Commit(W<TextBox>("txtMaterialAttributeEntry"), "40");
  EXPECT_EQ(Events(),
            (std::vector<std::string>{"prepare \"SysMaterialUpdate\"", "apply"}));
  EXPECT_FLOAT_EQ(Item("Table").surfaces[1].opacity, 0.6f);
  UserInput::ClickCell(grid, 1, 3);
  UserInput::Commit(W<TextBox>("txtMaterialAttributeEntry"), "10");
  EXPECT_FLOAT_EQ(Item("Table").surfaces[0].texture_share, 0.9f);
  EXPECT_EQ(Item("Table").surfaces[0].texture, "maps/oak.png");

  UserInput::Commit(W<TextField>("txtCustomShapeFieldValue", 0), "T-200");
  EXPECT_EQ(Events(), (std::vector<std::string>{
                          "prepare \"SysMaterialUpdate\"", "apply",
                          "prepare \"SysProperties\"", "apply"}));
  EXPECT_EQ(Item("Table").part_number, "T-200");
}

TEST_F(StudioTest, PlacementsLampsCamerasAndJointsInTheDocumentsUnits) {
  Show({"Stage"}, 3);
  EXPECT_EQ(W<UpDownText>("txtPositionY").Text(), "0.5");
  UserInput::Commit(W<UpDownText>("txtPositionY"), "2.25");
  UserInput::Commit(W<UpDownText>("txtOrientationY"), "90");
  EXPECT_EQ(Events(), (std::vector<std::string>{"prepare \"\"", "apply",
                                                "prepare \"\"", "apply"}));
  EXPECT_FLOAT_EQ(Item("Stage").offset.y, 2.25f);
  EXPECT_NEAR(Item("Stage").forward.x, 1, 1e-6);
  EXPECT_NEAR(Item("Stage").forward.z, 0, 1e-6);

  // The whole cone of 45 degrees is an umbra of 22.5 degrees in radians.
  Show({"Desk Lamp"}, 3);
  EXPECT_TRUE(W<Frame>("fraLightSpot").Visible());
  EXPECT_EQ(W<UpDownText>("txtSpotlightUmbra").Text(), "0.3926991");
  UserInput::Commit(W<UpDownText>("txtSpotlightUmbra"), "0.5");
  EXPECT_EQ(Events(), kLightEdit);
  EXPECT_NEAR(Item("Desk Lamp").cone_degrees, 57.29577, 1e-4);

  Show({"Camera"}, 3);
  EXPECT_EQ(W<UpDownText>("txtFieldofView").Text(), "0.6981318");
  UserInput::Commit(W<UpDownText>("txtFieldofView"), "0.5");
  EXPECT_NEAR(Item("Camera").lens_degrees, 28.64789, 1e-4);

  Show({"Arm"}, 3);
  EXPECT_EQ(W<Slider>("sldWeight").Value(), 80);
  UserInput::MoveSlider(W<Slider>("sldWeight"), 30);
  EXPECT_EQ(Events(), kEdit);
  EXPECT_FLOAT_EQ(Item("Arm").joint_weight, 0.3f);
}

TEST_F(StudioTest, LampsInASelectedFolderCount) {
  graph_->SelectItems({&Item("Stage")});
  EXPECT_EQ(graph_->Setup(3),
            (SetupArguments{3, kNodeTypeGroup, 0, 0, 0, 0, 1, false, false,
                            false, 0}));
  Item("Desk Lamp").lamp = studio::LampKind::kSun;
  EXPECT_TRUE(graph_->Setup(3).DirectionalLightSelected);
  graph_->SelectItems({&Item("Table"), &Item("Chair"), &Item("Sun")});
  EXPECT_EQ(graph_->Setup(2),
            (SetupArguments{2, kNodeTypeShape, 2, 1, 0, 0, 0, false, true,
                            false, 0}));
}

// A second document replaces the scene graph at once, but the objects the
// last set-up showed stay with the panel until it shows another object of
// their kind: the host keeps the old document until then.
TEST_F(StudioTest, ASecondDocumentAndTheObjectsThePanelStillHolds) {
  Show({"Table"}, 3);
  std::weak_ptr<SceneNode> old_table = graph_->NodeOf(Item("Table"));
  std::weak_ptr<DocumentGraph> old_graph = graph_;

  auto doc = studio::MakeSampleDocument();
  doc->root.children[0]->children[0]->name = "Bench";
  auto graph = std::make_shared<DocumentGraph>(*doc);
  panel_.SetSceneGraph(graph, nullptr);
  graph_.reset();
  EXPECT_TRUE(old_graph.expired()) << "the scene graph is replaced";
  EXPECT_FALSE(old_table.expired()) << "CurrentShapeNode is kept";

  graph->SelectItems({});
  panel_.SetupPropertiesPanel(graph->Setup(3));
  EXPECT_FALSE(old_table.expired()) << "still, after a set-up of nothing";
  graph->SelectItems({doc->root.children[0]->children[0].get()});
  panel_.SetupPropertiesPanel(graph->Setup(3));
  EXPECT_TRUE(old_table.expired()) << "another shape shown";
  EXPECT_EQ(W<Button>("cmdSource").Caption(), "Bench (table.obj)");
}

// Once the new document has had an object of every kind shown, nothing of
// the old one is left with the panel: not what the set-ups remembered, not
// the shape whose material was edited last, not its scene or materials.
TEST_F(StudioTest, NothingOfTheOldDocumentOutlivesShowingTheNew) {
  const std::vector<std::string> kOneOfEachKind = {"Stage", "Arm", "Desk Lamp",
                                                   "Camera", "Table"};
  for (const std::string& name : kOneOfEachKind) Show({name}, 3);
  UserInput::ClickCell(W<FlexGrid>("msgMaterialAttributes"), 1, 11);
  UserInput::Commit(W<TextBox>("txtMaterialAttributeEntry"), "40");
  ASSERT_FLOAT_EQ(Item("Table").surfaces[0].opacity, 0.6f);

  std::vector<std::pair<std::string, std::weak_ptr<void>>> old = {
      {"scene graph", graph_}, {"scene", graph_->GetActiveScene()}};
  std::function<void(studio::Item&)> note = [&](studio::Item& item) {
    std::shared_ptr<SceneNode> node = graph_->NodeOf(item);
    old.emplace_back(item.name, node);
    if (node->NodeType() == kNodeTypeShape) {
      for (Long i = 0; i < node->MaterialCount(); ++i)
        old.emplace_back(item.name + " material", node->GetMaterial(i));
    }
    for (auto& child : item.children) note(*child);
  };
  for (auto& child : doc_->root.children) note(*child);

  // The old document stays valid until the end, as the guide asks.
  std::unique_ptr<studio::Document> old_doc = std::move(doc_);
  doc_ = studio::MakeSampleDocument();
  graph_ = std::make_shared<DocumentGraph>(*doc_);
  panel_.SetSceneGraph(graph_, nullptr);
  for (const std::string& name : kOneOfEachKind) Show({name}, 3);

  std::vector<std::string> kept;
  for (const auto& [what, object] : old) {
    if (!object.expired()) kept.push_back(what);
  }
  EXPECT_EQ(kept, std::vector<std::string>{});
}

}  // namespace
}  // namespace foreign
