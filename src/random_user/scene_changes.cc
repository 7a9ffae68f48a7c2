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

// What one change draws its values from: a whole number drawn once for
// it, the others as they are used.
struct Draws {
  Choices& choices;
  const Long l;
  Long AnotherLong() { return choices.Pick(kLongs); }
  Single s() { return choices.Pick(kSingles); }
  SingleVector3 v3() { return SingleVector3{s(), s(), s()}; }
  // Hostile text into a shape's or a group's custom field, one index past
  // either end included.
  template <class Node>
  void CustomField(Node& node) {
    node.SetCustomFieldValue(static_cast<Long>(choices.Between(-1, 6)),
                             HostileText(choices));
  }
};

void ChangeShape(SceneNode& node, std::uint32_t what, Draws& d) {
  switch (what) {
    case 0:
      node.SetDrawStyle(d.l);
      break;
    case 1:
      node.SetSmoothingLevel(d.l);
      node.SetSmoothingCondition(d.AnotherLong());
      break;
    case 2:
      node.SetSmoothingTension(kCurrentKey, d.s());
      node.SetSmoothAngle(kCurrentKey, d.s());
      break;
    case 3:
      node.SetCreasingFactor(kCurrentKey, d.s());
      node.SetMirrorAxis(d.l);
      break;
    case 4:
      node.SetClones(LongVector3{d.l, d.AnotherLong(), 0}, d.v3(), d.v3());
      break;
    case 5:
      d.CustomField(node);
      break;
    case 6:
      node.SetIndexOfRefraction(kCurrentKey, d.s());
      node.SetDisplayAsBox(d.l);
      break;
    default:
      if (node.MaterialCount() > 0) {
        std::shared_ptr<Material> m = node.GetMaterial(0);
        m->SetColourComponents(d.s(), d.s(), d.s(), d.s());
        m->SetFieldValue(static_cast<Long>(d.choices.Between(-1, 2)),
                         HostileText(d.choices));
      }
      break;
  }
}

// A group, or a bone.
void ChangeGroup(Group& group, std::uint32_t what, Draws& d) {
  switch (what) {
    case 0:
      group.SetPosition(nullptr, kCurrentKey, d.v3());
      break;
    case 1:
      group.SetOrientation(nullptr, kCurrentKey, d.v3(), d.v3());
      break;
    case 2:
      group.SetRotationalVelocity(d.v3(), d.s());
      break;
    case 3:
      group.SetIKJointMode(d.l);
      group.SetIKJointLimits({d.s(), d.s(), d.s(), d.s(), d.s(), d.s()});
      break;
    case 4:
      d.CustomField(group);
      break;
    case 5:
      group.SetBoneWeight(d.s());
      group.SetBoneOriginEffectRange(d.s());
      group.SetBoneEndEffectRange(d.s());
      break;
    default:
      group.SetBoneEffectExtent(d.s());
      group.SetBoneIrregularExtent(d.s());
      group.SetBoneIrregularOffset(d.v3());
      break;
  }
}

void ChangeLight(Light& light, std::uint32_t what, Draws& d) {
  if (what % 4 == 0) {
    light.SetColour(kCurrentKey, ColourValue{d.s(), d.s(), d.s(), d.s()});
  } else if (what % 4 == 1) {
    light.SetConstantAttenuation(kCurrentKey, d.s());
    light.SetLinearAttenuation(kCurrentKey, d.s());
    light.SetQuadraticAttenuation(kCurrentKey, d.s());
  } else {
    light.SetSpotlightRange(kCurrentKey, d.s());
    light.SetSpotlightUmbra(kCurrentKey, d.s());
    light.SetSpotlightPenumbra(kCurrentKey, d.s());
  }
}

void ChangeCamera(Camera& camera, std::uint32_t what, Draws& d) {
  if (what % 3 == 0) {
    camera.SetFieldOfView(kCurrentKey, d.s());
  } else if (what % 3 == 1) {
    camera.SetFocalPoint(kCurrentKey, d.s());
    camera.SetFocalAperture(kCurrentKey, d.s());
  } else {
    camera.SetFocalQuality(d.l);
    camera.SetFocalBlur(d.choices.OneIn(2));
  }
}

}  // namespace

void RandomUser::Impl::ChangeSceneValue() {
  std::vector<std::string> names = scene->NodeNames();
  if (names.empty()) return;
  const std::string& name =
      names[choices.Below(static_cast<std::uint32_t>(names.size()))];
  std::shared_ptr<SceneNode> node = scene->Node(name);
  Draws draws{choices, choices.Pick(kLongs)};
  const std::uint32_t what = choices.Below(8);
  Say("scene change " + Excerpt(name, 16) + " #" + std::to_string(what));
  // The scene may refuse a value, or fail as planned: the application's
  // business, not the panel's.
  Quietly([&] {
    switch (node->NodeType()) {
      case kNodeTypeShape:
        return ChangeShape(*node, what, draws);
      case kNodeTypeGroup:
      case kNodeTypeBone:
        return ChangeGroup(*std::dynamic_pointer_cast<Group>(node), what,
                           draws);
      case kNodeTypeLight:
        return ChangeLight(*std::dynamic_pointer_cast<Light>(node), what,
                           draws);
      case kNodeTypeCamera:
        return ChangeCamera(*std::dynamic_pointer_cast<Camera>(node), what,
                            draws);
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
