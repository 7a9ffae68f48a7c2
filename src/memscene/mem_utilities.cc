#include "memscene/mem_utilities.h"

#include "base/error.h"
#include "base/numbers.h"
#include "memscene/handles.h"
#include "memscene/state.h"

namespace morvel {
namespace {

// The helpers that concern no scene answer to the current scene's faults.
void CheckCurrent(const char* operation) {
  if (mem::State* state = mem::State::Current()) state->CheckFault(operation);
}

// Whether `node` has what `query` asks about.
bool Has(SelectionQuery query, const mem::NodeData& node) {
  switch (query) {
    case SelectionQuery::kHidden: return node.Has(mem::kHidden);
    case SelectionQuery::kLocked: return node.Has(mem::kLocked);
    case SelectionQuery::kEnabled: return node.Has(mem::kEnabled);
    case SelectionQuery::kShadowless: return !node.Has(mem::kCastsShadows);
    case SelectionQuery::kDrawPoints: return node.Has(mem::kDrawPoints);
    case SelectionQuery::kDrawNormals: return node.Has(mem::kDrawNormals);
    case SelectionQuery::kDisplayAsBox: return node.display_as_box != 0;
    case SelectionQuery::kDrawTranslucent:
      return node.Has(mem::kDrawTranslucent);
  }
  return false;
}

Long ParseLevel(const std::string& level) {
  return RoundToLong(TextToSingle(level));
}

}  // namespace

Long MemSceneUtility::SelectionState(Long list, SelectionQuery query) {
  mem::State& state = mem::State::Resolve(list);
  state.CheckFault(QueryName(query));
  const mem::NodeData* nodes = state.content.nodes.data();
  TriStateFold fold;
  for (std::int32_t index : state.content.selection) {
    const mem::NodeData& node = nodes[index];
    if (QueryLooksAt(query, node.kind) && fold.Add(Has(query, node))) break;
  }
  return fold.Result();
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

void MemSceneUtility::Entering(const char* operation) {
  CheckCurrent(operation);
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
  return ReferenceMathUtility::Remainder(x, y);
}

Picture MemPictureUtility::LoadThumbnail(const std::string& path, Long size) {
  CheckCurrent("LoadThumbnail");
  return ReferencePictureUtility::LoadThumbnail(path, size);
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
