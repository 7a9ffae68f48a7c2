#include "imgui-demo/outliner.h"

#include <algorithm>
#include <utility>

#include "memscene/state.h"
#include "scene/types.h"

namespace morvel::imgui_demo {
namespace {

const mem::NodeData* NodeOf(const MemSceneGraph& scene, const std::string& name) {
  const mem::SceneContent& content = scene.state().content;
  std::int32_t index = content.Find(name);
  return index < 0 ? nullptr : &content.nodes[static_cast<std::size_t>(index)];
}

}  // namespace

void DrawKindIcon(ImDrawList& draw, ImVec2 at, float size, Long kind) {
  auto p = [&](float x, float y) {
    return ImVec2(at.x + x * size / 16, at.y + y * size / 16);
  };
  switch (kind) {
    case kNodeTypeGroup: {  // a folder
      ImVec2 folder[] = {p(1.5f, 3.5f), p(6, 3.5f),     p(7.5f, 5),
                         p(14.5f, 5),   p(14.5f, 13.5f), p(1.5f, 13.5f)};
      draw.AddConvexPolyFilled(folder, 6, IM_COL32(0xf2, 0xc7, 0x4e, 255));
      draw.AddPolyline(folder, 6, IM_COL32(0x9a, 0x74, 0x10, 255),
                       ImDrawFlags_Closed, 1.0f);
      break;
    }
    case kNodeTypeShape: {  // a cube
      ImVec2 top[] = {p(8, 1.5f), p(14.5f, 4.5f), p(8, 7.5f), p(1.5f, 4.5f)};
      ImVec2 left[] = {p(1.5f, 4.5f), p(8, 7.5f), p(8, 14.5f), p(1.5f, 11.5f)};
      ImVec2 right[] = {p(14.5f, 4.5f), p(8, 7.5f), p(8, 14.5f),
                        p(14.5f, 11.5f)};
      draw.AddConvexPolyFilled(top, 4, IM_COL32(0x7d, 0xa7, 0xf0, 255));
      draw.AddConvexPolyFilled(left, 4, IM_COL32(0x4c, 0x7f, 0xd8, 255));
      draw.AddConvexPolyFilled(right, 4, IM_COL32(0x36, 0x64, 0xb8, 255));
      break;
    }
    case kNodeTypeLight:  // a lit bulb
      draw.AddCircleFilled(p(8, 6.5f), 5 * size / 16,
                           IM_COL32(0xff, 0xd8, 0x3a, 255));
      draw.AddRectFilled(p(5.5f, 11), p(10.5f, 14.5f),
                         IM_COL32(0x80, 0x80, 0x88, 255));
      break;
    case kNodeTypeCamera: {  // a camera body and lens
      draw.AddRectFilled(p(1.5f, 4.5f), p(11.5f, 12.5f),
                         IM_COL32(0x60, 0x60, 0x6c, 255), 1.5f);
      ImVec2 lens[] = {p(11.5f, 7), p(14.5f, 5), p(14.5f, 12), p(11.5f, 10)};
      draw.AddConvexPolyFilled(lens, 4, IM_COL32(0x60, 0x60, 0x6c, 255));
      draw.AddCircleFilled(p(6.5f, 8.5f), 2.2f * size / 16,
                           IM_COL32(0xa8, 0xd0, 0xff, 255));
      break;
    }
    case kNodeTypeBone: {  // a bone: a light shaft with a dark edge
      ImU32 edge = IM_COL32(0x8a, 0x7a, 0x60, 255);
      ImU32 bone = IM_COL32(0xf4, 0xec, 0xd8, 255);
      for (auto [colour, grow] : {std::pair{edge, 1.0f}, std::pair{bone, 0.0f}}) {
        float r = (2.2f + grow) * size / 16;
        draw.AddCircleFilled(p(3.5f, 3.5f), r, colour);
        draw.AddCircleFilled(p(12.5f, 12.5f), r, colour);
        draw.AddLine(p(3.5f, 3.5f), p(12.5f, 12.5f), colour,
                     (3.2f + 2 * grow) * size / 16);
      }
      break;
    }
    default:
      break;
  }
}

void Outliner::Index(const MemSceneGraph& scene) {
  scene_ = &scene;
  roots_.clear();
  children_.clear();
  // A node whose parent is unknown stands at the top.
  for (const std::string& name : scene.NodeNames()) {
    std::string parent = scene.ParentOf(name);
    if (parent.empty() || !NodeOf(scene, parent)) {
      roots_.push_back(name);
    } else {
      children_[parent].push_back(name);
    }
  }
}

bool Outliner::Draw(const MemSceneGraph& scene,
                    std::vector<std::string>& selection) {
  if (scene_ != &scene) Index(scene);
  bool changed = false;
  for (const std::string& name : roots_)
    DrawNode(scene, name, selection, changed);
  return changed;
}

void Outliner::DrawNode(const MemSceneGraph& scene, const std::string& name,
                        std::vector<std::string>& selection, bool& changed) {
  auto found = children_.find(name);
  static const std::vector<std::string> kNone;
  const std::vector<std::string>& children =
      found == children_.end() ? kNone : found->second;
  const mem::NodeData* node = NodeOf(scene, name);
  bool selected =
      std::find(selection.begin(), selection.end(), name) != selection.end();
  ImGuiTreeNodeFlags flags = ImGuiTreeNodeFlags_DefaultOpen |
                             ImGuiTreeNodeFlags_OpenOnArrow |
                             ImGuiTreeNodeFlags_SpanAvailWidth;
  if (selected) flags |= ImGuiTreeNodeFlags_Selected;
  if (children.empty()) flags |= ImGuiTreeNodeFlags_Leaf;
  // Hidden objects are shown dimmed.
  bool hidden = node && node->Has(mem::kHidden);
  if (hidden) ImGui::PushStyleColor(ImGuiCol_Text, ImGui::GetColorU32(ImGuiCol_TextDisabled));
  float icon = ImGui::GetFontSize();
  std::string label = "      " + name + "##" + name;
  bool open = ImGui::TreeNodeEx(label.c_str(), flags);
  if (hidden) ImGui::PopStyleColor();
  ImVec2 min = ImGui::GetItemRectMin();
  DrawKindIcon(*ImGui::GetWindowDrawList(),
               ImVec2(min.x + ImGui::GetTreeNodeToLabelSpacing(), min.y + 1),
               icon, node ? node->kind : 0);
  if (hidden && ImGui::IsItemHovered()) ImGui::SetTooltip("Hidden");
  if (ImGui::IsItemClicked() && !ImGui::IsItemToggledOpen()) {
    if (ImGui::GetIO().KeyCtrl) {
      auto it = std::find(selection.begin(), selection.end(), name);
      if (it != selection.end()) {
        selection.erase(it);
      } else {
        selection.push_back(name);
      }
    } else {
      selection = {name};
    }
    changed = true;
  }
  if (open) {
    for (const std::string& child : children)
      DrawNode(scene, child, selection, changed);
    ImGui::TreePop();
  }
}

}  // namespace morvel::imgui_demo
