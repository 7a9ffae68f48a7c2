#include "host/reference_utilities.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/error.h"
#include "base/numbers.h"
#include "scene/rotation.h"
#include "scene/scene_bases.h"

namespace morvel {
namespace {

// The value of `what` that only a base class keeps, from an object that is
// not derived from it: error 438, saying how a host gets past it.
template <class Base, class Object>
Base& AsBase(const std::shared_ptr<Object>& object, const char* what,
             const char* base) {
  auto* derived = dynamic_cast<Base*>(Required(object).get());
  if (derived == nullptr) {
    RaiseError(kErrNotSupported,
               std::string("Object doesn't support this property or method: ") +
                   what + " is read from " + base +
                   " (scene/scene_bases.h); derive the object from it or "
                   "pass a SceneUtility of your own");
  }
  return *derived;
}

NodeBase& Node(const std::shared_ptr<SceneNode>& node, const char* what) {
  return AsBase<NodeBase>(node, what, "NodeBase");
}

MaterialBase& OfMaterial(const std::shared_ptr<Material>& material,
                         const char* what) {
  return AsBase<MaterialBase>(material, what, "MaterialBase");
}

Single Channel(Colour colour, int shift) {
  return static_cast<Single>((static_cast<std::uint32_t>(colour) >> shift) &
                             0xFFu) /
         255.0f;
}

Long Percent(const std::string& level) {
  return RoundToLong(TextToSingle(level));
}

// Whether `node` has what `query` asks about.
bool Has(SelectionQuery query, const std::shared_ptr<SceneNode>& node) {
  switch (query) {
    case SelectionQuery::kHidden: return Node(node, "Hidden").Hidden();
    case SelectionQuery::kLocked: return node->Locked();
    case SelectionQuery::kEnabled:
      return AsBase<BoneBase>(node->Bone(), "BoneEnabled", "BoneBase")
          .BoneEnabled();
    case SelectionQuery::kShadowless: return !node->CastsShadows();
    case SelectionQuery::kDrawPoints: return node->DrawPoints();
    case SelectionQuery::kDrawNormals: return node->DrawNormals();
    case SelectionQuery::kDisplayAsBox: return node->DisplayAsBox() != 0;
    case SelectionQuery::kDrawTranslucent: return node->DrawTranslucent();
  }
  return false;
}

}  // namespace

ReferenceSceneUtility::ReferenceSceneUtility(SceneGraphSource scene_graph)
    : scene_graph_(std::move(scene_graph)) {}

std::shared_ptr<SceneGraph> ReferenceSceneUtility::Graph() {
  std::shared_ptr<SceneGraph> graph = scene_graph_ ? scene_graph_() : nullptr;
  return Required(graph);
}

Long ReferenceSceneUtility::SelectionState(Long list, SelectionQuery query) {
  std::shared_ptr<SceneGraph> graph = Graph();
  const Long count = graph->GetSelectionCount(list);
  TriStateFold fold;
  for (Long i = 0; i < count; ++i) {
    std::shared_ptr<SceneNode> node = graph->GetSelectedNode(list, i);
    if (QueryLooksAt(query, Required(node)->NodeType()) &&
        fold.Add(Has(query, node))) {
      break;
    }
  }
  return fold.Result();
}

HiddenChanges ReferenceSceneUtility::SetHidden(
    const std::shared_ptr<Hierarchy>& hierarchy, Long list, Long first,
    Long flags, bool hide) {
  Required(hierarchy);
  if (first != 0 || flags != 0) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: SetHidden takes 0 and 0 "
               "before the hide flag");
  }
  std::shared_ptr<SceneGraph> graph = Graph();
  HiddenChanges changes;
  const Long count = graph->GetSelectionCount(list);
  for (Long i = 0; i < count; ++i) {
    std::shared_ptr<SceneNode> node = graph->GetSelectedNode(list, i);
    NodeBase& base = Node(node, "Hidden");
    if (base.Hidden() == hide) continue;
    base.SetHidden(hide);
    switch (base.NodeType()) {
      case kNodeTypeShape: changes.shapes = true; break;
      case kNodeTypeLight: changes.lights = true; break;
      case kNodeTypeBone: changes.bones = true; break;
      case kNodeTypeGroup: changes.groups = true; break;
      case kNodeTypeCamera: changes.cameras = true; break;
    }
  }
  return changes;
}

std::string ReferenceSceneUtility::GetSourceCaption(
    const std::shared_ptr<SceneNode>& node, bool) {
  return AsBase<ShapeBase>(node, "SourceCaption", "ShapeBase").SourceCaption();
}

std::string ReferenceSceneUtility::GetSourceDetail(
    const std::shared_ptr<SceneNode>& node, bool) {
  return AsBase<ShapeBase>(node, "SourceDetail", "ShapeBase").SourceDetail();
}

Single ReferenceSceneUtility::ColourRed(Colour colour) {
  Entering("ColourRed");
  return Channel(colour, 0);
}
Single ReferenceSceneUtility::ColourGreen(Colour colour) {
  Entering("ColourGreen");
  return Channel(colour, 8);
}
Single ReferenceSceneUtility::ColourBlue(Colour colour) {
  Entering("ColourBlue");
  return Channel(colour, 16);
}
Single ReferenceSceneUtility::ColourAlpha(Colour colour) {
  Entering("ColourAlpha");
  return Channel(colour, 24);
}

Long ReferenceSceneUtility::GetDiffuseLevel(
    const std::shared_ptr<Material>& material, Colour) {
  return OfMaterial(material, "DiffuseLevel").DiffuseLevel();
}

Long ReferenceSceneUtility::GetAmbientLevel(
    const std::shared_ptr<Material>& material, Colour) {
  return OfMaterial(material, "AmbientLevel").AmbientLevel();
}

Long ReferenceSceneUtility::GetSpecularLevel(
    const std::shared_ptr<Material>& material) {
  return OfMaterial(material, "SpecularLevel").SpecularLevel();
}

void ReferenceSceneUtility::SetDiffuseLevel(
    const std::shared_ptr<Material>& material, const std::string& level,
    Colour) {
  OfMaterial(material, "DiffuseLevel").SetDiffuseLevel(Percent(level));
}

void ReferenceSceneUtility::SetAmbientLevel(
    const std::shared_ptr<Material>& material, const std::string& level,
    Colour) {
  OfMaterial(material, "AmbientLevel").SetAmbientLevel(Percent(level));
}

void ReferenceSceneUtility::SetSpecularLevel(
    const std::shared_ptr<Material>& material, const std::string& level) {
  OfMaterial(material, "SpecularLevel").SetSpecularLevel(Percent(level));
}

Integer ReferenceSceneUtility::DefaultMapSettingB() {
  Entering("DefaultMapSettingB");
  return 1;
}

SingleVector3 ReferenceSceneUtility::MakeVector(Single x, Single y, Single z) {
  Entering("MakeVector");
  return SingleVector3{x, y, z};
}

ColourValue ReferenceSceneUtility::MakeColour(Single red, Single green,
                                              Single blue) {
  Entering("MakeColour");
  // Lights are opaque.
  return ColourValue{red, green, blue, 1.0f};
}

Orientation ReferenceSceneUtility::EulerToOrientation(
    const SingleVector3& angles) {
  Entering("EulerToOrientation");
  if (!std::isfinite(angles.X) || !std::isfinite(angles.Y) ||
      !std::isfinite(angles.Z)) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: angles must be finite");
  }
  // In the panel's own radians, so quarter turns give exact axes.
  return rotation::OrientationFromAngles(angles);
}

SingleVector3 ReferenceSceneUtility::OrientationToEuler(
    const SingleVector3& forward, const SingleVector3& up) {
  Entering("OrientationToEuler");
  // Back in the panel's radians, so the fields show again what was typed.
  return rotation::AnglesOfOrientation(forward, up);
}

// ---- Dialogs, maths, pictures, the factory ---------------------------------

ColourChoice ReferenceDialogUtility::ChooseColour(Long, const std::string&,
                                                  Colour colour) {
  return ColourChoice{kChooseColourCancelled, colour};
}

std::string ReferenceDialogUtility::ChooseMapFile(Long, const std::string&,
                                                  Long, Integer) {
  return {};
}

void ReferenceDialogUtility::WriteDebugMessage(const std::string& text) {
  if (sink_) {
    sink_(text);
  } else if (std::getenv("MORVEL_DEBUG")) {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

Long ReferenceMathUtility::Remainder(Long x, Long y) {
  if (y == 0) RaiseError(kErrDivisionByZero);
  if (y == -1) return 0;  // also keeps the smallest Long from overflowing
  return x % y;
}

Picture ReferencePictureUtility::LoadThumbnail(const std::string& path,
                                               Long size) {
  if (size <= 0) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: a thumbnail needs a size "
               "of at least one pixel");
  }
  if (path.empty()) return {};
  return ThumbnailPicture(path, size);
}

std::shared_ptr<SceneUtility> ReferenceUtilityFactory::CreateSceneUtility() {
  return std::make_shared<ReferenceSceneUtility>(scene_graph_);
}
std::shared_ptr<DialogUtility> ReferenceUtilityFactory::CreateDialogUtility() {
  return std::make_shared<ReferenceDialogUtility>(sink_);
}
std::shared_ptr<MathUtility> ReferenceUtilityFactory::CreateMathUtility() {
  return std::make_shared<ReferenceMathUtility>();
}
std::shared_ptr<PictureUtility>
ReferenceUtilityFactory::CreatePictureUtility() {
  return std::make_shared<ReferencePictureUtility>();
}

}  // namespace morvel
