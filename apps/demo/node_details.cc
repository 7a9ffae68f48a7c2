#include "demo/node_details.h"

#include <cmath>
#include <numbers>

#include "base/error.h"
#include "base/numbers.h"
#include "memscene/rotation.h"

namespace morvel::demo {
namespace {

// Numbers as the panel's position fields show them ("0.0###"), but never
// failing: a value the panel would refuse still has to be shown.
std::string Number(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : "Infinity";
  std::string text;
  Quietly([&] { text = FormatNumber(value, "0.0###"); });
  return text.empty() ? SingleToText(static_cast<Single>(value)) : text;
}

std::string Triple(double x, double y, double z) {
  return Number(x) + ", " + Number(y) + ", " + Number(z);
}

const char* KindText(Long kind) {
  switch (kind) {
    case kNodeTypeGroup:
      return "Group";
    case kNodeTypeShape:
      return "Shape";
    case kNodeTypeBone:
      return "Bone";
    case kNodeTypeLight:
      return "Light";
    case kNodeTypeCamera:
      return "Camera";
    default:
      return "Node";
  }
}

// The entries of the panel's draw mode list.
std::string DrawModeText(Long style) {
  switch (style) {
    case 0:
      return "View Default";
    case 1:
      return "Wireframe";
    case 2:
      return "Smooth";
    case 4:
      return "Flat";
    case 8:
      return "Solid Outline";
    case 16:
      return "Cartoon";
    default:
      return LongToText(style);
  }
}

const char* LightTypeText(Long type) {
  switch (type) {
    case kLightTypeAmbient:
      return "Ambient";
    case kLightTypeDirectional:
      return "Directional";
    case kLightTypeSpot:
      return "Spot";
    case kLightTypePoint:
      return "Point";
    default:
      return "Other";
  }
}

template <class List>
const typename List::value_type* Ext(const List& list, std::int32_t ext) {
  return ext >= 0 && static_cast<std::size_t>(ext) < list.size()
             ? &list[static_cast<std::size_t>(ext)]
             : nullptr;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> NodeDetails(
    const mem::SceneContent& content, std::int32_t index) {
  std::vector<std::pair<std::string, std::string>> rows;
  if (index < 0 || static_cast<std::size_t>(index) >= content.nodes.size())
    return rows;
  const mem::NodeData& node = content.nodes[static_cast<std::size_t>(index)];
  rows.push_back({"Kind", KindText(node.kind)});
  if (node.Has(mem::kHidden)) rows.push_back({"Hidden", "Yes"});

  if (node.kind == kNodeTypeGroup || node.kind == kNodeTypeBone) {
    if (const mem::GroupData* group = Ext(content.groups, node.ext)) {
      const SingleVector3& p = group->position;
      rows.push_back({"Position", Triple(p.X, p.Y, p.Z)});
      std::string turned = "(no orientation)";
      Quietly([&] {
        // In the angles the panel shows: half a turn is 180, not -180.
        SingleVector3 a = mem::AnglesOfOrientation(group->orientation.Forward,
                                                   group->orientation.Up);
        constexpr double kDegrees = 180 / 3.141593f;
        turned = Triple(a.X * kDegrees, a.Y * kDegrees, a.Z * kDegrees);
      });
      rows.push_back({"Orientation", turned});
      const RotationalVelocity& spin = group->rotational_velocity;
      if (spin.Theta != 0) {
        rows.push_back(
            {"Spin", Number(spin.Theta / (2 * std::numbers::pi)) +
                         " rev/s about " +
                         Triple(spin.Axis.X, spin.Axis.Y, spin.Axis.Z)});
      }
      if (node.kind == kNodeTypeBone) {
        rows.push_back({"Weight", SingleToText(group->bone_weight)});
      }
    }
  } else if (const mem::ShapeData* shape = Ext(content.shapes, node.ext);
             shape && node.kind == kNodeTypeShape) {
    const mem::ShapeSource& source = shape->source.get();
    std::string caption = source.caption ? *source.caption : node.name;
    if (!source.detail.empty()) caption += " (" + source.detail + ")";
    rows.push_back({"Source", caption});
    rows.push_back({"Draw", DrawModeText(node.draw_style)});
    std::string display;
    auto add = [&](bool on, const char* what) {
      if (!on) return;
      display += display.empty() ? what : std::string(", ") + what;
    };
    add(node.display_as_box != 0, "as box");
    add(node.Has(mem::kDrawPoints), "points");
    add(node.Has(mem::kDrawNormals), "normals");
    add(node.Has(mem::kDrawTranslucent), "translucent");
    if (!display.empty()) rows.push_back({"Display", display});
    rows.push_back(
        {"Materials", LongToText(static_cast<Long>(std::min<std::size_t>(
                          shape->materials.size(), 2147483647)))});
    const LongVector3& counts = shape->clones.get().Counts;
    if (counts.X != 0 || counts.Y != 0 || counts.Z != 0) {
      rows.push_back({"Clones", LongToText(counts.X) + " x " +
                                    LongToText(counts.Y) + " x " +
                                    LongToText(counts.Z)});
    }
  } else if (const mem::LightData* light = Ext(content.lights, node.ext);
             light && node.kind == kNodeTypeLight) {
    rows.push_back({"Type", LightTypeText(light->light_type)});
    rows.push_back({"Colour", SingleToText(light->colour.Red) + ", " +
                                  SingleToText(light->colour.Green) + ", " +
                                  SingleToText(light->colour.Blue)});
  } else if (const mem::CameraData* camera = Ext(content.cameras, node.ext);
             camera && node.kind == kNodeTypeCamera) {
    rows.push_back({"Field of view", SingleToText(camera->field_of_view)});
    rows.push_back({"Focal blur", camera->focal_blur ? "On" : "Off"});
  }
  return rows;
}

}  // namespace morvel::demo
