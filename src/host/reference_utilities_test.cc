#include "host/reference_utilities.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/error_testing.h"
#include "host/scene_services.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/mem_utilities.h"
#include "nlohmann/json.hpp"
#include "scene/scene_bases.h"

namespace morvel {
namespace {

constexpr Long kList = SceneBase::kSelectionList;

// The shape flags of the queries: the scene file's key, the base's setter.
const struct {
  const char* key;
  void (NodeBase::*set)(bool);
} kShapeFlags[] = {{"Locked", &NodeBase::SetLocked},
                   {"CastsShadows", &NodeBase::SetCastsShadows},
                   {"DrawPoints", &NodeBase::SetDrawPoints},
                   {"DrawNormals", &NodeBase::SetDrawNormals},
                   {"DrawTranslucent", &NodeBase::SetDrawTranslucent}};

// One random scene twice: in the reference scene graph, read by its own
// utilities straight from its data, and built from the base classes, read
// by the reference utilities through the interfaces. Every node kind, every
// flag the tri-state queries look at, set at random.
struct TwinScenes {
  std::shared_ptr<MemSceneGraph> mem;
  std::shared_ptr<SceneGraphBase> base = std::make_shared<SceneGraphBase>();
  std::vector<std::string> names;
  std::vector<std::shared_ptr<SceneNode>> nodes;

  explicit TwinScenes(std::mt19937& random) {
    const char* kinds[] = {"shape", "light", "bone", "group", "camera"};
    auto coin = [&] { return random() % 2 == 0; };
    nlohmann::json file = {{"nodes", nlohmann::json::array()}};
    for (int i = 0; i < 15; ++i) {
      std::string kind = kinds[i % 5];
      std::string name = kind + std::to_string(i);
      nlohmann::json node = {{"name", name}, {"kind", kind}};
      bool hidden = coin();
      node["Hidden"] = hidden;
      // A random flag, written into the scene file as `key`.
      auto flag = [&](const char* key) {
        bool on = coin();
        node[key] = on;
        return on;
      };
      std::shared_ptr<NodeBase> made;
      if (kind == "shape") {
        auto shape = std::make_shared<ShapeBase>(name);
        for (const auto& f : kShapeFlags) (shape.get()->*f.set)(flag(f.key));
        Long box = coin() ? 1 : 0;
        node["DisplayAsBox"] = box;
        shape->SetDisplayAsBox(box);
        made = shape;
      } else if (kind == "light") {
        made = std::make_shared<LightBase>(name);
        made->SetCastsShadows(flag("CastsShadows"));
      } else if (kind == "bone") {
        auto bone = std::make_shared<BoneBase>(name);
        bone->SetBoneEnabled(flag("Enabled"));
        made = bone;
      } else if (kind == "group") {
        made = std::make_shared<GroupBase>(name);
      } else {
        made = std::make_shared<CameraBase>(name);
      }
      made->SetHidden(hidden);
      file["nodes"].push_back(node);
      names.push_back(name);
      nodes.push_back(made);
    }
    mem = MemSceneGraph::FromJson(file);
  }

  // The same random selection in both: any subset, in any order.
  void SelectAtRandom(std::mt19937& random) {
    std::vector<std::size_t> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    order.resize(random() % (order.size() + 1));
    std::vector<std::string> mem_selection;
    std::vector<std::shared_ptr<SceneNode>> base_selection;
    for (std::size_t i : order) {
      mem_selection.push_back(names[i]);
      base_selection.push_back(nodes[i]);
    }
    mem->Select(mem_selection);
    base->Select(base_selection);
  }
};

using Query = Long (SceneUtility::*)(Long);
const struct {
  const char* name;
  Query query;
} kQueries[] = {
    {"Hidden", &SceneUtility::GetHiddenState},
    {"Locked", &SceneUtility::GetLockedState},
    {"Enabled", &SceneUtility::GetEnabledState},
    {"Shadowless", &SceneUtility::GetShadowlessState},
    {"DrawPoints", &SceneUtility::GetDrawPointsState},
    {"DrawNormals", &SceneUtility::GetDrawNormalsState},
    {"DisplayAsBox", &SceneUtility::GetDisplayAsBoxState},
    {"DrawTranslucent", &SceneUtility::GetDrawTranslucentState},
};

// Through the interfaces, the reference utilities see what the reference
// scene graph's own utilities see in its data: every query, every random
// selection, and hiding and showing alike.
TEST(ReferenceSceneUtilityTest, AgreesWithTheReferenceSceneGraphsOwn) {
  std::mt19937 random(22);
  for (int scene = 0; scene < 10; ++scene) {
    TwinScenes twins(random);
    MemSceneUtility own;
    ReferenceSceneUtility reference([&] { return twins.base; });
    Long mem_list = twins.mem->GetActiveScene()->SelectionList();
    for (int round = 0; round < 30; ++round) {
      twins.SelectAtRandom(random);
      for (const auto& q : kQueries) {
        EXPECT_EQ((reference.*q.query)(kList), (own.*q.query)(mem_list))
            << q.name << ", scene " << scene << ", round " << round;
      }
      bool hide = random() % 2 == 0;
      EXPECT_EQ(reference.SetHidden(twins.base->GetActiveScene()->Hierarchy(),
                                    kList, 0, 0, hide),
                own.SetHidden(twins.mem->GetActiveScene()->Hierarchy(),
                              mem_list, 0, 0, hide))
          << "SetHidden " << hide << ", scene " << scene << ", round " << round;
    }
  }
}

// The answers a host's own SceneUtility would have to match, case by case.
TEST(ReferenceSceneUtilityTest, SmallSelections) {
  auto graph = std::make_shared<SceneGraphBase>();
  auto a = std::make_shared<ShapeBase>("A");
  auto b = std::make_shared<ShapeBase>("B");
  auto light = std::make_shared<LightBase>("L");
  auto group = std::make_shared<GroupBase>("G");
  b->SetLocked(true);
  light->SetCastsShadows(false);
  ReferenceSceneUtility u([&] { return graph; });
  const struct {
    std::vector<std::shared_ptr<SceneNode>> selection;
    Long locked, shadowless;
  } cases[] = {
      {{}, kTriStateNone, kTriStateNone},
      {{a}, kTriStateNone, kTriStateNone},
      {{b}, kTriStateAll, kTriStateNone},
      {{a, b}, kTriStateMixed, kTriStateNone},
      {{group, b}, kTriStateAll, kTriStateNone},  // groups have no lock
      {{light}, kTriStateNone, kTriStateAll},
      {{a, light}, kTriStateNone, kTriStateMixed},
  };
  for (const auto& c : cases) {
    graph->Select(c.selection);
    SCOPED_TRACE(c.selection.size());
    EXPECT_EQ(u.GetLockedState(kList), c.locked);
    EXPECT_EQ(u.GetShadowlessState(kList), c.shadowless);
  }
  graph->Select({a, group, light});
  HiddenChanges changes = u.SetHidden(
      graph->GetActiveScene()->Hierarchy(), kList, 0, 0, true);
  EXPECT_EQ(changes, (HiddenChanges{.shapes = true, .lights = true,
                                    .groups = true}));
  EXPECT_TRUE(a->Hidden() && group->Hidden() && light->Hidden());
  EXPECT_FALSE(b->Hidden());
  // Nothing changes visibility the second time.
  EXPECT_EQ(u.SetHidden(graph->GetActiveScene()->Hierarchy(), kList, 0, 0,
                        true),
            HiddenChanges{});
}

TEST(ReferenceSceneUtilityTest, SourceLevelsColoursAndSettings) {
  auto shape = std::make_shared<ShapeBase>("Teapot");
  ReferenceSceneUtility u(nullptr);
  EXPECT_EQ(u.GetSourceCaption(shape, true), "Teapot");
  EXPECT_EQ(u.GetSourceDetail(shape, true), "");

  auto material = std::make_shared<MaterialBase>();
  EXPECT_EQ(u.GetDiffuseLevel(material, 0), 80);
  EXPECT_EQ(u.GetAmbientLevel(material, 0), 20);
  EXPECT_EQ(u.GetSpecularLevel(material), 0);
  u.SetDiffuseLevel(material, "40.5", 0);  // halves to even
  u.SetAmbientLevel(material, "41.5", 0);
  u.SetSpecularLevel(material, "7");
  EXPECT_EQ(material->DiffuseLevel(), 40);
  EXPECT_EQ(material->AmbientLevel(), 42);
  EXPECT_EQ(material->SpecularLevel(), 7);

  const Colour colour = static_cast<Colour>(0x80FF4000u);
  EXPECT_EQ(u.ColourRed(colour), 0.0f);
  EXPECT_EQ(u.ColourGreen(colour), 64.0f / 255.0f);
  EXPECT_EQ(u.ColourBlue(colour), 1.0f);
  EXPECT_EQ(u.ColourAlpha(colour), 128.0f / 255.0f);
  EXPECT_EQ(u.MakeColour(0.25f, 0.5f, 1), (ColourValue{0.25f, 0.5f, 1, 1}));
  EXPECT_EQ(u.MakeVector(1, -2, 3), (SingleVector3{1, -2, 3}));
  EXPECT_EQ(u.DefaultMapSettingB(), 1);
}

// Every refusal of the reference utilities, with its number.
TEST(ReferenceUtilitiesTest, Refusals) {
  auto graph = std::make_shared<SceneGraphBase>();
  // A node that is not derived from the bases: the reference scene graph's.
  auto foreign = MemSceneGraph::FromText(
      R"({"nodes": [{"name": "Teapot", "kind": "shape"}]})");
  ReferenceSceneUtility u([&] { return graph; });
  ReferenceSceneUtility without_scene([] { return nullptr; });
  ReferenceMathUtility math;
  ReferencePictureUtility pictures;
  auto hierarchy = graph->GetActiveScene()->Hierarchy();
  const struct {
    const char* what;
    std::function<void()> call;
    Long number;
  } cases[] = {
      {"no scene graph", [&] { without_scene.GetHiddenState(kList); }, 91},
      {"another list", [&] { u.GetLockedState(kList + 1); }, 5},
      {"a node not derived from NodeBase",
       [&] {
         graph->Select({foreign->Node("Teapot")});
         u.GetHiddenState(kList);
       },
       438},
      {"the caption of a group",
       [&] {
         u.GetSourceCaption(std::make_shared<GroupBase>("G"), true);
       },
       438},
      {"SetHidden without a hierarchy",
       [&] { u.SetHidden(nullptr, kList, 0, 0, true); }, 91},
      {"SetHidden with flags", [&] { u.SetHidden(hierarchy, kList, 0, 1, true); },
       5},
      {"a level that is no number",
       [&] { u.SetDiffuseLevel(std::make_shared<MaterialBase>(), "lots", 0); },
       13},
      {"infinite angles",
       [&] { u.EulerToOrientation({INFINITY, 0, 0}); }, 5},
      {"parallel Forward and Up",
       [&] { u.OrientationToEuler({0, 0, 1}, {0, 0, 2}); }, 5},
      {"a remainder by 0", [&] { math.Remainder(7, 0); }, 11},
      {"a thumbnail of 0 pixels", [&] { pictures.LoadThumbnail("a.png", 0); },
       5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(testing::ErrorNumberOf(c.call), c.number);
  }
  EXPECT_EQ(testing::ErrorDescriptionOf([&] {
              graph->Select({foreign->Node("Teapot")});
              u.GetHiddenState(kList);
            }),
            "Object doesn't support this property or method: Hidden is read "
            "from NodeBase (scene/scene_bases.h); derive the object from it "
            "or pass a SceneUtility of your own");
}

TEST(ReferenceUtilitiesTest, MathsPicturesAndChoosersWithoutWindows) {
  ReferenceMathUtility math;
  const struct {
    Long x, y, remainder;
  } remainders[] = {{7, 3, 1}, {-7, 3, -1}, {7, -3, 1}, {65535, 256, 255},
                    {INT_MIN, -1, 0}};
  for (const auto& r : remainders)
    EXPECT_EQ(math.Remainder(r.x, r.y), r.remainder) << r.x << " " << r.y;

  ReferencePictureUtility pictures;
  EXPECT_EQ(pictures.LoadThumbnail("", 32), "");
  EXPECT_EQ(pictures.LoadThumbnail("maps/oak.png", 32),
            "thumbnail:maps/oak.png:32");

  std::vector<std::string> trace;
  ReferenceDialogUtility dialogs(
      [&](const std::string& text) { trace.push_back(text); });
  ColourChoice choice = dialogs.ChooseColour(0, "Morvel", 0x123456);
  EXPECT_EQ(choice.result, kChooseColourCancelled);
  EXPECT_EQ(choice.colour, 0x123456);
  EXPECT_EQ(dialogs.ChooseMapFile(0, "Morvel", 0, 1), "");
  dialogs.WriteDebugMessage("Properties instance terminating");
  EXPECT_EQ(trace, std::vector<std::string>{"Properties instance terminating"});
}

// A panel given no services: the installed factory's utilities while one
// is installed, else the reference ones over the scene graph it was handed.
TEST(DefaultSceneServicesTest, FollowTheFactoryElseTheSceneGraphHandedOver) {
  SetUtilityFactory(nullptr);
  std::unique_ptr<SceneServices> services = MakeDefaultSceneServices();
  auto first = std::make_shared<SceneGraphBase>();
  auto second = std::make_shared<SceneGraphBase>();
  auto locked = std::make_shared<ShapeBase>("Locked");
  locked->SetLocked(true);
  first->Select({locked});
  second->Select({std::make_shared<ShapeBase>("Free")});

  std::shared_ptr<SceneUtility> utility = services->GetSceneUtility();
  EXPECT_EQ(testing::ErrorNumberOf([&] { utility->GetLockedState(kList); }),
            91)
      << "no scene graph handed over yet";
  services->SceneGraphChanged(first);
  EXPECT_EQ(utility->GetLockedState(kList), kTriStateAll);
  services->SceneGraphChanged(second);
  EXPECT_EQ(utility->GetLockedState(kList), kTriStateNone);
  EXPECT_EQ(services->GetSceneUtility(), utility) << "made once";
  EXPECT_NE(std::dynamic_pointer_cast<ReferenceMathUtility>(
                services->GetMathUtility()),
            nullptr);

  // The utilities never keep the document alive.
  std::weak_ptr<SceneGraphBase> gone = second;
  second.reset();
  EXPECT_TRUE(gone.expired());

  InstallReferenceUtilities();
  EXPECT_EQ(services->GetSceneUtility(), SharedSceneUtility());
  EXPECT_EQ(services->GetDialogUtility(), SharedDialogUtility());
  SetUtilityFactory(nullptr);
}

}  // namespace
}  // namespace morvel
