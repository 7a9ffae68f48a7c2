#include <gtest/gtest.h>

#include <set>

#include "memscene/mem_scene_graph.h"
#include "memscene/state.h"

namespace morvel {
namespace {

// The studio example is what a newcomer sees first in the demo: it has to
// load, and it has to show every kind of object the panel edits.
TEST(StudioExampleTest, LoadsAndHoldsEveryKindOfObject) {
  auto scene = MemSceneGraph::Load(MORVEL_EXAMPLES_DIR "/studio.json");
  const mem::SceneContent& content = scene->state().content;
  std::set<Long> kinds, light_types, bone_kinds;
  bool maps = false, custom_fields = false, focal_blur = false,
       nested_group = false;
  for (const mem::NodeData& node : content.nodes) {
    kinds.insert(node.kind);
    auto ext = static_cast<std::size_t>(node.ext);
    if (node.kind == kNodeTypeLight)
      light_types.insert(content.lights[ext].light_type);
    if (node.kind == kNodeTypeBone)
      bone_kinds.insert(content.groups[ext].bone_kind);
    if (node.kind == kNodeTypeCamera)
      focal_blur |= content.cameras[ext].focal_blur;
    if (node.kind == kNodeTypeGroup && node.parent >= 0) nested_group = true;
    if (node.kind == kNodeTypeShape) {
      for (const auto& material : content.shapes[ext].materials)
        maps |= material.maps.has_value();
      custom_fields |= !content.shapes[ext].custom_fields[0].empty();
    }
  }
  EXPECT_EQ(kinds,
            (std::set<Long>{kNodeTypeGroup, kNodeTypeShape, kNodeTypeBone,
                            kNodeTypeCamera, kNodeTypeLight}));
  EXPECT_EQ(light_types, (std::set<Long>{0, 1, 2, 3}));
  EXPECT_EQ(bone_kinds, (std::set<Long>{0, 2}));
  EXPECT_TRUE(maps);
  EXPECT_TRUE(custom_fields);
  EXPECT_TRUE(focal_blur);
  EXPECT_TRUE(nested_group);
  EXPECT_EQ(scene->SelectedNames(), std::vector<std::string>{"Teapot"});
  EXPECT_EQ(MemSceneGraph::FromText(scene->ToText())->ToJson(),
            scene->ToJson());
}

}  // namespace
}  // namespace morvel
