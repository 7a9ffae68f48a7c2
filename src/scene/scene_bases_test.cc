#include "scene/scene_bases.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "base/error.h"
#include "base/error_testing.h"
#include "host/reference_utilities.h"

namespace morvel {
namespace {

// A scene of one node of each kind, every one from a base class.
struct BaseScene {
  std::shared_ptr<SceneGraphBase> graph = std::make_shared<SceneGraphBase>();
  std::shared_ptr<GroupBase> stage = std::make_shared<GroupBase>("Stage");
  std::shared_ptr<ShapeBase> teapot = std::make_shared<ShapeBase>("Teapot");
  std::shared_ptr<BoneBase> arm = std::make_shared<BoneBase>("Arm");
  std::shared_ptr<LightBase> key =
      std::make_shared<LightBase>(
      "Key", LightValues{.light_type = kLightTypeSpot});
  std::shared_ptr<CameraBase> cam = std::make_shared<CameraBase>("Cam");
  Long list = SceneBase::kSelectionList;
};

// What a kind has not, and what a list has not, is refused with the
// contract's numbers, naming the object where there is one.
TEST(SceneBasesTest, RefusesWhatAKindOrAListHasNot) {
  BaseScene s;
  s.graph->Select({s.teapot, s.stage, s.arm, s.key, s.cam});
  const struct {
    const char* what;
    std::function<void()> call;
    Long number;
    const char* description;
  } cases[] = {
      {"a group's smoothing", [&] { s.stage->SmoothingLevel(); }, 438,
       "Object doesn't support this property or method: SmoothingLevel of "
       "the group \"Stage\""},
      {"a light's lock", [&] { s.key->SetLocked(true); }, 438,
       "Object doesn't support this property or method: SetLocked of the "
       "light \"Key\""},
      {"a group's bone weight", [&] { s.stage->BoneWeight(); }, 438,
       "Object doesn't support this property or method: BoneWeight of the "
       "group \"Stage\""},
      {"a camera's materials", [&] { s.cam->MaterialCount(); }, 438, nullptr},
      {"the bone of a shape", [&] { s.teapot->Bone(); }, 13,
       "Type mismatch: the shape \"Teapot\" is not a bone"},
      {"custom field 6", [&] { s.teapot->SetCustomFieldValue(6, "x"); }, 9,
       nullptr},
      {"custom field -1", [&] { s.arm->GetCustomFieldValue(-1); }, 9, nullptr},
      {"a material past the end", [&] { s.teapot->GetMaterial(0); }, 9,
       nullptr},
      {"material field 256",
       [&] { MaterialBase().SetFieldValue(MaterialBase::kFieldLimit, "x"); },
       9, nullptr},
      {"a blend of 101",
       [&] {
         MapBuilderBase().CreateMaps("", 0, 1, "", "", 101, "", "", "", "");
       },
       380, "Invalid property value: a blend percentage is 0 to 100, not 101"},
      {"another list", [&] { s.graph->GetSelectionCount(s.list + 1); }, 5,
       "Invalid procedure call or argument: 2 is not the scene's selection "
       "list"},
      {"item 5 of 5", [&] { s.graph->GetSelectedNode(s.list, 5); }, 9,
       nullptr},
      {"the light of a shape item",
       [&] { s.graph->GetSelectedLight(s.list, 0); }, 13,
       "Type mismatch: the shape \"Teapot\" is not a light"},
      {"the group of a light item",
       [&] { s.graph->GetSelectedGroup(s.list, 3); }, 13, nullptr},
      {"the bone of a group item", [&] { s.graph->GetSelectedBone(s.list, 1); },
       13, "Type mismatch: the group \"Stage\" is not a bone"},
      {"the camera of a bone item",
       [&] { s.graph->GetSelectedCamera(s.list, 2); }, 13, nullptr},
      {"the light of a camera node",
       [&] { s.graph->GetLightOfNode(nullptr, s.cam); }, 13, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Error e = testing::ErrorOf(c.call);
    EXPECT_EQ(e.Number(), c.number);
    if (c.description) {
      EXPECT_EQ(e.Description(), c.description);
    }
  }
}

// Each item is the object it carries: the panel keeps what it was handed.
TEST(SceneBasesTest, AnItemIsTheObjectItCarries) {
  BaseScene s;
  s.graph->Select({s.teapot, s.stage, s.arm, s.key, s.cam});
  EXPECT_EQ(s.graph->GetSelectionCount(s.list), 5);
  EXPECT_EQ(s.teapot->ObjectRef(), s.teapot);
  EXPECT_EQ(s.graph->GetSelectedGroup(s.list, 1), s.stage);
  EXPECT_EQ(s.graph->GetSelectedGroup(s.list, 2), s.arm);  // bones are groups
  EXPECT_EQ(s.graph->GetSelectedBone(s.list, 2), s.arm);
  EXPECT_EQ(s.arm->Bone(), s.arm);
  EXPECT_EQ(s.graph->GetSelectedLight(s.list, 3), s.key);
  EXPECT_EQ(s.graph->GetLightOfNode(nullptr, s.key->ObjectRef()), s.key);
  EXPECT_EQ(s.graph->GetSelectedCamera(s.list, 4), s.cam);
  s.stage->SetParent(nullptr);
  s.arm->SetParent(s.stage);
  EXPECT_EQ(s.arm->Parent(), s.stage);
}

// The conversions a base makes between what the panel writes and what it
// keeps.
TEST(SceneBasesTest, KeepsWhatThePanelWritesInTheContractsUnits) {
  BaseScene s;
  // Revolutions per second in, radians per second out, by the panel's 2 pi.
  s.stage->SetRotationalVelocity({0, 0, 1}, 1.5f);
  EXPECT_EQ(s.stage->GetRotationalVelocity(),
            (RotationalVelocity{{0, 0, 1}, 1.5f * 6.283186f}));

  // The grid's share of the material's own colour in, the textures' share
  // out; map 3 comes fourth and map 2 fifth.
  auto maps = MapBuilderBase().CreateMaps("m1", 7, 1, "m3", "m2", 25, "m4",
                                          "m5", "m6", "");
  EXPECT_EQ(maps->Blend(), 0.75f);
  EXPECT_EQ(maps->MapSettingA(), 7);
  EXPECT_EQ(maps->MapSettingB(), 1);
  auto pictures = std::make_shared<ReferencePictureUtility>();
  const char* paths[] = {"m1", "m2", "m3", "m4", "m5", "m6"};
  const Picture thumbnails[] = {
      maps->GetMapThumbnail1(pictures, nullptr, 32),
      maps->GetMapThumbnail2(pictures, nullptr, 32),
      maps->GetMapThumbnail3(pictures, nullptr, 32),
      maps->GetMapThumbnail4(pictures, nullptr, 32),
      maps->GetMapThumbnail5(pictures, nullptr, 32),
      maps->GetMapThumbnail6(pictures, nullptr, 32)};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(thumbnails[i], ThumbnailPicture(paths[i], 32)) << "map " << i + 1;
  EXPECT_EQ(MapsBase({}, 0, 0, 0).GetMapThumbnail1(nullptr, nullptr, 32), "")
      << "no file, no picture, no picture utility needed";
  EXPECT_EQ(testing::ErrorOf([&] { maps->GetMapThumbnail1(nullptr, nullptr, 32); })
                .Number(),
            91);

  // The packed colour: each component x 255, halves to even, held to a byte.
  MaterialBase material;
  material.SetColourComponents(1, 0.5f, -0.2f, 2);
  EXPECT_EQ(material.Colour(), static_cast<Colour>(0xFF0080FFu));

  // A field past the ones written reads empty; writing it keeps the others.
  material.SetFieldValue(2, "gloss");
  EXPECT_EQ(material.GetFieldValue(0), "");
  EXPECT_EQ(material.GetFieldValue(2), "gloss");
  EXPECT_EQ(material.GetFieldValue(200), "");

  // Six names whatever the host gave, so no row keeps a stale caption.
  SceneBase scene;
  scene.SetCustomShapeFieldNames({"Part No"});
  EXPECT_EQ(scene.CustomShapeFieldNames(),
            (std::vector<std::string>{"Part No", "", "", "", "", ""}));
  EXPECT_EQ(scene.CustomGroupFieldNames().size(), 6u);
}

}  // namespace
}  // namespace morvel
