#include <limits>
#include <memory>

#include "random_user/hostile_text.h"
#include "random_user/random_user_impl.h"

// Another part of the application changes the scene behind the panel's
// back: an animation, a script, an import. Any value the scene library
// accepts may turn up in it, and the panel's loaders must show it or
// refuse it with an error, never crash on it.
namespace morvel::random_user {
namespace {

constexpr Long kLongs[] = {0,
                           1,
                           2,
                           3,
                           4,
                           5,
                           -1,
                           7,
                           100,
                           1000,
                           32768,
                           -32769,
                           std::numeric_limits<Long>::max(),
                           std::numeric_limits<Long>::min()};
constexpr Single kSingles[] = {
    0,   -1,  0.5f,   2.5f,   1e-45f, 3.4e38f,      -3.4e38f, 1e10f, -1e10f,
    100, 101, 180.5f, 359.9f, 1e6f,   2147483648.f, 32768.f,  0.05f, -0.25f};

}  // namespace

void RandomUser::Impl::ChangeSceneValue() {
  std::vector<std::string> names = scene->NodeNames();
  if (names.empty()) return;
  const std::string& name =
      names[choices.Below(static_cast<std::uint32_t>(names.size()))];
  std::shared_ptr<SceneNode> node = scene->Node(name);
  const Long l = choices.Pick(kLongs);
  auto s = [&] { return choices.Pick(kSingles); };
  auto v3 = [&] { return SingleVector3{s(), s(), s()}; };
  const std::uint32_t what = choices.Below(8);
  Say("scene change " + Excerpt(name, 16) + " #" + std::to_string(what));
  // The scene may refuse a value, or fail as planned: the application's
  // business, not the panel's.
  Quietly([&] {
    switch (node->NodeType()) {
      case kNodeTypeShape:
        switch (what) {
          case 0:
            node->SetDrawStyle(l);
            break;
          case 1:
            node->SetSmoothingLevel(l);
            node->SetSmoothingCondition(choices.Pick(kLongs));
            break;
          case 2:
            node->SetSmoothingTension(kCurrentKey, s());
            node->SetSmoothAngle(kCurrentKey, s());
            break;
          case 3:
            node->SetCreasingFactor(kCurrentKey, s());
            node->SetMirrorAxis(l);
            break;
          case 4:
            node->SetClones(LongVector3{l, choices.Pick(kLongs), 0}, v3(),
                            v3());
            break;
          case 5:
            node->SetCustomFieldValue(static_cast<Long>(choices.Between(-1, 6)),
                                      HostileText(choices));
            break;
          case 6:
            node->SetIndexOfRefraction(kCurrentKey, s());
            node->SetDisplayAsBox(l);
            break;
          default:
            if (node->MaterialCount() > 0) {
              std::shared_ptr<Material> m = node->GetMaterial(0);
              m->SetColourComponents(s(), s(), s(), s());
              m->SetFieldValue(static_cast<Long>(choices.Between(-1, 2)),
                               HostileText(choices));
            }
            break;
        }
        break;
      case kNodeTypeGroup:
      case kNodeTypeBone: {
        auto group = std::dynamic_pointer_cast<Group>(node);
        switch (what) {
          case 0:
            group->SetPosition(nullptr, kCurrentKey, v3());
            break;
          case 1:
            group->SetOrientation(nullptr, kCurrentKey, v3(), v3());
            break;
          case 2:
            group->SetRotationalVelocity(v3(), s());
            break;
          case 3:
            group->SetIKJointMode(l);
            group->SetIKJointLimits({s(), s(), s(), s(), s(), s()});
            break;
          case 4:
            group->SetCustomFieldValue(
                static_cast<Long>(choices.Between(-1, 6)),
                HostileText(choices));
            break;
          case 5:
            group->SetBoneWeight(s());
            group->SetBoneOriginEffectRange(s());
            group->SetBoneEndEffectRange(s());
            break;
          default:
            group->SetBoneEffectExtent(s());
            group->SetBoneIrregularExtent(s());
            group->SetBoneIrregularOffset(v3());
            break;
        }
        break;
      }
      case kNodeTypeLight: {
        auto light = std::dynamic_pointer_cast<Light>(node);
        switch (what % 4) {
          case 0:
            light->SetColour(kCurrentKey, ColourValue{s(), s(), s(), s()});
            break;
          case 1:
            light->SetConstantAttenuation(kCurrentKey, s());
            light->SetLinearAttenuation(kCurrentKey, s());
            light->SetQuadraticAttenuation(kCurrentKey, s());
            break;
          default:
            light->SetSpotlightRange(kCurrentKey, s());
            light->SetSpotlightUmbra(kCurrentKey, s());
            light->SetSpotlightPenumbra(kCurrentKey, s());
            break;
        }
        break;
      }
      case kNodeTypeCamera: {
        auto camera = std::dynamic_pointer_cast<Camera>(node);
        switch (what % 3) {
          case 0:
            camera->SetFieldOfView(kCurrentKey, s());
            break;
          case 1:
            camera->SetFocalPoint(kCurrentKey, s());
            camera->SetFocalAperture(kCurrentKey, s());
            break;
          default:
            camera->SetFocalQuality(l);
            camera->SetFocalBlur(choices.OneIn(2));
            break;
        }
        break;
      }
      default:
        break;
    }
  });
  monitor.HostWrote();
}

void RandomUser::Impl::RestructureScene() {
  // Through a snapshot, as an import or a script would rebuild part of the
  // scene: a shape loses or gains materials, a node goes or is renamed.
  // Objects the panel holds of a node that went now fail when used.
  nlohmann::json j = nlohmann::json(scene->ToJson());
  nlohmann::json& nodes = j["nodes"];
  if (!nodes.is_array() || nodes.empty()) return;
  nlohmann::json& node =
      nodes[choices.Below(static_cast<std::uint32_t>(nodes.size()))];
  const std::string name = node.value("name", "");
  // Every mention of `name` as a parent or in the selection becomes `to`
  // (empty: the mention goes).
  auto rename = [&](const std::string& to) {
    for (nlohmann::json& other : nodes) {
      if (other.value("parent", "") != name) continue;
      if (to.empty()) {
        other.erase("parent");
      } else {
        other["parent"] = to;
      }
    }
    nlohmann::json& selection = j["selection"];
    if (!selection.is_array()) return;
    for (auto it = selection.begin(); it != selection.end();) {
      if (*it != name) {
        ++it;
      } else if (to.empty()) {
        it = selection.erase(it);
      } else {
        *it++ = to;
      }
    }
  };
  switch (choices.Below(4)) {
    case 0:
      Say("restructure: fewer materials of " + Excerpt(name, 16));
      if (node.contains("Materials") && !node["Materials"].empty()) {
        if (choices.OneIn(2)) {
          node["Materials"].erase(node["Materials"].size() - 1);
        } else {
          node.erase("Materials");
        }
      }
      break;
    case 1:
      Say("restructure: more materials of " + Excerpt(name, 16));
      if (node.value("kind", "") == "shape") {
        nlohmann::json& materials = node["Materials"];
        const nlohmann::json copy =
            materials.empty() ? nlohmann::json::object() : materials.back();
        for (std::uint32_t n = 1 + choices.Below(3); n > 0; --n)
          materials.push_back(copy);
      }
      break;
    case 2:
      Say("restructure: delete " + Excerpt(name, 16));
      rename("");
      nodes.erase(static_cast<std::size_t>(&node - &nodes[0]));
      break;
    default:
      Say("restructure: rename " + Excerpt(name, 16));
      rename(name + "'");
      node["name"] = name + "'";
      break;
  }
  try {
    scene->Restore(j);
  } catch (const Error& e) {
    Say("(refused: " + Excerpt(e.Description(), 40) + ")");
  }
}

}  // namespace morvel::random_user
