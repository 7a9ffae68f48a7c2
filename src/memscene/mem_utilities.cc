#include "memscene/mem_utilities.h"

#include <cmath>

#include "base/error.h"
#include "base/numbers.h"
#include "memscene/handles.h"
#include "memscene/rotation.h"
#include "memscene/state.h"

namespace morvel {
namespace {

// The helpers that concern no scene answer to the current scene's faults.
void CheckCurrent(const char* operation) {
  if (mem::State* state = mem::State::Current()) state->CheckFault(operation);
}

// One pass over the selection: kTriStateNone when no node the query looks at
// has the property (or there is no such node), kTriStateAll when all have
// it, kTriStateMixed as soon as both kinds were seen.
template <class Applies, class Has>
Long TriState(const char* operation, Long list, Applies applies, Has has) {
  mem::State& state = mem::State::Resolve(list);
  state.CheckFault(operation);
  const mem::NodeData* nodes = state.content.nodes.data();
  bool any_set = false;
  bool any_clear = false;
  for (std::int32_t index : state.content.selection) {
    const mem::NodeData& node = nodes[index];
    if (!applies(node)) continue;
    if (has(node)) {
      any_set = true;
    } else {
      any_clear = true;
    }
    if (any_set && any_clear) return kTriStateMixed;
  }
  return any_set ? kTriStateAll : kTriStateNone;
}

bool IsShape(const mem::NodeData& n) { return n.kind == kNodeTypeShape; }

Long ParseLevel(const std::string& level) {
  return RoundToLong(TextToSingle(level));
}

Single Channel(Colour colour, int shift) {
  return static_cast<Single>((static_cast<std::uint32_t>(colour) >> shift) &
                             0xFFu) /
         255.0f;
}

}  // namespace

Long MemSceneUtility::GetHiddenState(Long list) {
  return TriState(
      "GetHiddenState", list, [](const mem::NodeData&) { return true; },
      [](const mem::NodeData& n) { return n.Has(mem::kHidden); });
}

Long MemSceneUtility::GetLockedState(Long list) {
  return TriState("GetLockedState", list, IsShape,
                  [](const mem::NodeData& n) { return n.Has(mem::kLocked); });
}

Long MemSceneUtility::GetEnabledState(Long list) {
  return TriState(
      "GetEnabledState", list,
      [](const mem::NodeData& n) { return n.kind == kNodeTypeBone; },
      [](const mem::NodeData& n) { return n.Has(mem::kEnabled); });
}

Long MemSceneUtility::GetShadowlessState(Long list) {
  return TriState(
      "GetShadowlessState", list,
      [](const mem::NodeData& n) {
        return n.kind == kNodeTypeShape || n.kind == kNodeTypeLight;
      },
      [](const mem::NodeData& n) { return !n.Has(mem::kCastsShadows); });
}

Long MemSceneUtility::GetDrawPointsState(Long list) {
  return TriState(
      "GetDrawPointsState", list, IsShape,
      [](const mem::NodeData& n) { return n.Has(mem::kDrawPoints); });
}

Long MemSceneUtility::GetDrawNormalsState(Long list) {
  return TriState(
      "GetDrawNormalsState", list, IsShape,
      [](const mem::NodeData& n) { return n.Has(mem::kDrawNormals); });
}

Long MemSceneUtility::GetDisplayAsBoxState(Long list) {
  return TriState("GetDisplayAsBoxState", list, IsShape,
                  [](const mem::NodeData& n) { return n.display_as_box != 0; });
}

Long MemSceneUtility::GetDrawTranslucentState(Long list) {
  return TriState(
      "GetDrawTranslucentState", list, IsShape,
      [](const mem::NodeData& n) { return n.Has(mem::kDrawTranslucent); });
}

HiddenChanges MemSceneUtility::SetHidden(
    const std::shared_ptr<Hierarchy>& hierarchy, Long list, Long first,
    Long flags, bool hide) {
  mem::State& state = mem::State::Resolve(list);
  state.CheckFault("SetHidden");
  Required(hierarchy);
  auto* tree = dynamic_cast<mem::HierarchyHandle*>(hierarchy.get());
  if (tree == nullptr || tree->anchor() != state.anchor()) {
    RaiseError(
        kErrInvalidProcedureCall,
        "Invalid procedure call or argument: the selection list is not of "
        "this hierarchy");
  }
  if (first != 0 || flags != 0) {
    RaiseError(
        kErrInvalidProcedureCall,
        "Invalid procedure call or argument: SetHidden takes 0 and 0 before "
        "the hide flag");
  }
  HiddenChanges changes;
  auto& nodes = state.content.nodes;
  for (std::int32_t index : state.content.selection) {
    mem::NodeData& node = nodes[static_cast<std::size_t>(index)];
    if (node.Has(mem::kHidden) != hide) {
      node.Set(mem::kHidden, hide);
      switch (node.kind) {
        case kNodeTypeShape:
          changes.shapes = true;
          break;
        case kNodeTypeLight:
          changes.lights = true;
          break;
        case kNodeTypeBone:
          changes.bones = true;
          break;
        case kNodeTypeGroup:
          changes.groups = true;
          break;
        case kNodeTypeCamera:
          changes.cameras = true;
          break;
      }
    }
    if (state.journal_enabled)
      state.Record("SetHidden", node.name, mem::Arg(hide));
  }
  return changes;
}

std::string MemSceneUtility::GetSourceCaption(
    const std::shared_ptr<SceneNode>& node, bool) {
  mem::NodeHandle& handle = mem::AsNode(node);
  const mem::ShapeData& shape = handle.shape("GetSourceCaption");
  return shape.source.get().caption.value_or(handle.node().name);
}

std::string MemSceneUtility::GetSourceDetail(
    const std::shared_ptr<SceneNode>& node, bool) {
  return mem::AsNode(node).shape("GetSourceDetail").source.get().detail;
}

Single MemSceneUtility::ColourRed(Colour colour) {
  CheckCurrent("ColourRed");
  return Channel(colour, 0);
}
Single MemSceneUtility::ColourGreen(Colour colour) {
  CheckCurrent("ColourGreen");
  return Channel(colour, 8);
}
Single MemSceneUtility::ColourBlue(Colour colour) {
  CheckCurrent("ColourBlue");
  return Channel(colour, 16);
}
Single MemSceneUtility::ColourAlpha(Colour colour) {
  CheckCurrent("ColourAlpha");
  return Channel(colour, 24);
}

// The reference materials keep their levels as whole percents of their own;
// the colour a level applies to does not change the percentage.
Long MemSceneUtility::GetDiffuseLevel(const std::shared_ptr<Material>& material,
                                      Colour) {
  return mem::AsMaterial(material).Enter("GetDiffuseLevel").diffuse;
}

Long MemSceneUtility::GetAmbientLevel(const std::shared_ptr<Material>& material,
                                      Colour) {
  return mem::AsMaterial(material).Enter("GetAmbientLevel").ambient;
}

Long MemSceneUtility::GetSpecularLevel(
    const std::shared_ptr<Material>& material) {
  return mem::AsMaterial(material).Enter("GetSpecularLevel").specular;
}

void MemSceneUtility::SetDiffuseLevel(const std::shared_ptr<Material>& material,
                                      const std::string& level, Colour) {
  mem::MaterialHandle& handle = mem::AsMaterial(material);
  mem::MaterialData& data = handle.Enter("SetDiffuseLevel");
  data.diffuse = ParseLevel(level);
  handle.node()->state().Record("SetDiffuseLevel", handle.Name(),
                                mem::Arg(data.diffuse));
}

void MemSceneUtility::SetAmbientLevel(const std::shared_ptr<Material>& material,
                                      const std::string& level, Colour) {
  mem::MaterialHandle& handle = mem::AsMaterial(material);
  mem::MaterialData& data = handle.Enter("SetAmbientLevel");
  data.ambient = ParseLevel(level);
  handle.node()->state().Record("SetAmbientLevel", handle.Name(),
                                mem::Arg(data.ambient));
}

void MemSceneUtility::SetSpecularLevel(
    const std::shared_ptr<Material>& material, const std::string& level) {
  mem::MaterialHandle& handle = mem::AsMaterial(material);
  mem::MaterialData& data = handle.Enter("SetSpecularLevel");
  data.specular = ParseLevel(level);
  handle.node()->state().Record("SetSpecularLevel", handle.Name(),
                                mem::Arg(data.specular));
}

Integer MemSceneUtility::DefaultMapSettingB() {
  CheckCurrent("DefaultMapSettingB");
  return kDefaultMapSettingB;
}

SingleVector3 MemSceneUtility::MakeVector(Single x, Single y, Single z) {
  CheckCurrent("MakeVector");
  return SingleVector3{x, y, z};
}

ColourValue MemSceneUtility::MakeColour(Single red, Single green, Single blue) {
  CheckCurrent("MakeColour");
  // Colours made for lights are opaque.
  return ColourValue{red, green, blue, 1.0f};
}

Orientation MemSceneUtility::EulerToOrientation(const SingleVector3& angles) {
  CheckCurrent("EulerToOrientation");
  if (!std::isfinite(angles.X) || !std::isfinite(angles.Y) ||
      !std::isfinite(angles.Z)) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: angles must be finite");
  }
  return mem::OrientationFromAngles(angles);
}

SingleVector3 MemSceneUtility::OrientationToEuler(const SingleVector3& forward,
                                                  const SingleVector3& up) {
  CheckCurrent("OrientationToEuler");
  return mem::AnglesOfOrientation(forward, up);
}

// ---- Dialogs ---------------------------------------------------------------

void MemDialogUtility::AnswerColour(Long result, Colour colour) {
  colour_answers_.push_back(ColourAnswer{result, colour});
}

void MemDialogUtility::AnswerMapFile(const std::string& path) {
  map_file_answers_.push_back(path);
}

void MemDialogUtility::ClearAnswers() {
  colour_answers_.clear();
  map_file_answers_.clear();
}

void MemDialogUtility::ClearRecords() {
  questions_.clear();
  debug_messages_.clear();
}

ColourChoice MemDialogUtility::ChooseColour(Long owner,
                                            const std::string& application_key,
                                            Colour colour) {
  CheckCurrent("ChooseColour");
  questions_.push_back(
      Question{"ChooseColour", owner, application_key, colour, 0});
  if (colour_answers_.empty()) return ColourChoice{kCancelled, colour};
  ColourAnswer answer = colour_answers_.front();
  colour_answers_.pop_front();
  // A cancelled chooser leaves the colour it was given.
  if (answer.result != kChooseColourAccepted)
    return ColourChoice{answer.result, colour};
  return ColourChoice{answer.result, answer.colour};
}

std::string MemDialogUtility::ChooseMapFile(Long owner,
                                            const std::string& application_key,
                                            Long setting_a, Integer setting_b) {
  CheckCurrent("ChooseMapFile");
  questions_.push_back(
      Question{"ChooseMapFile", owner, application_key, setting_a, setting_b});
  if (map_file_answers_.empty()) return {};
  std::string path = map_file_answers_.front();
  map_file_answers_.pop_front();
  return path;
}

void MemDialogUtility::WriteDebugMessage(const std::string& text) {
  debug_messages_.push_back(text);
}

// ---- Maths and pictures ----------------------------------------------------

Long MemMathUtility::Remainder(Long x, Long y) {
  CheckCurrent("Remainder");
  if (y == 0) RaiseError(mem::kErrDivisionByZero, "Division by zero");
  if (y == -1) return 0;  // also keeps the smallest Long from overflowing
  return x % y;
}

Picture MemPictureUtility::LoadThumbnail(const std::string& path, Long size) {
  CheckCurrent("LoadThumbnail");
  if (size <= 0) {
    RaiseError(
        kErrInvalidProcedureCall,
        "Invalid procedure call or argument: a thumbnail needs a size of at "
        "least one pixel");
  }
  if (path.empty()) return {};
  return ThumbnailPicture(path, size);
}

std::shared_ptr<SceneUtility> MemUtilityFactory::CreateSceneUtility() {
  return std::make_shared<MemSceneUtility>();
}
std::shared_ptr<DialogUtility> MemUtilityFactory::CreateDialogUtility() {
  return std::make_shared<MemDialogUtility>();
}
std::shared_ptr<MathUtility> MemUtilityFactory::CreateMathUtility() {
  return std::make_shared<MemMathUtility>();
}
std::shared_ptr<PictureUtility> MemUtilityFactory::CreatePictureUtility() {
  return std::make_shared<MemPictureUtility>();
}

void InstallReferenceUtilities(bool replace) {
  if (!replace && GetUtilityFactory()) return;
  SetUtilityFactory(std::make_shared<MemUtilityFactory>());
}

std::shared_ptr<MemDialogUtility> ThreadDialogUtility() {
  InstallReferenceUtilities(false);
  auto dialogs =
      std::dynamic_pointer_cast<MemDialogUtility>(SharedDialogUtility());
  if (!dialogs) {
    RaiseError(
        kErrTypeMismatch,
        "Type mismatch: the installed dialog utility is not the reference one");
  }
  return dialogs;
}

}  // namespace morvel
