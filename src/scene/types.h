#ifndef MORVEL_SCENE_TYPES_H_
#define MORVEL_SCENE_TYPES_H_

#include <string>
#include <vector>

#include "base/types.h"

// The value records that travel between the panel and the scene-graph
// library, and the enumeration codes both sides agree on.
namespace morvel {

// Kind codes: a node's `NodeType`, and the `SelectionEntity` a host passes
// to SetupPropertiesPanel (the kind of the first selected node, 0 for none).
inline constexpr Long kNodeTypeNone = 0;
inline constexpr Long kNodeTypeGroup = 1;
inline constexpr Long kNodeTypeShape = 11;
inline constexpr Long kNodeTypeBone = 16;
inline constexpr Long kNodeTypeCamera = 30;
inline constexpr Long kNodeTypeLight = 60;

// A light's `LightType`.
inline constexpr Long kLightTypeAmbient = 0;
inline constexpr Long kLightTypeDirectional = 1;
inline constexpr Long kLightTypeSpot = 2;
inline constexpr Long kLightTypePoint = 3;

// Tri-state answers of the SceneUtility queries over a selection.
inline constexpr Long kTriStateNone = 0;
inline constexpr Long kTriStateAll = 1;
inline constexpr Long kTriStateMixed = 2;

// What DialogUtility::ChooseColour answers when the user accepted a colour;
// any other answer means the choice was cancelled, and the library's own
// choosers answer kChooseColourCancelled for that.
inline constexpr Long kChooseColourAccepted = 5;
inline constexpr Long kChooseColourCancelled = 2;

// What Group::SetBoneEnabled answers besides success (0).
inline constexpr Long kBoneNoSkin = -1;
inline constexpr Long kBoneSkinNotRelaxed = -2;

// The key that the panel passes to every keyed (animatable) accessor: the
// value as it stands, not at a particular key frame.
inline constexpr Single kCurrentKey = -1.0f;

struct SingleVector3 {
  Single X = 0;
  Single Y = 0;
  Single Z = 0;
  friend bool operator==(const SingleVector3&, const SingleVector3&) = default;
};

struct LongVector3 {
  Long X = 0;
  Long Y = 0;
  Long Z = 0;
  friend bool operator==(const LongVector3&, const LongVector3&) = default;
};

// Rotation ranges of an inverse-kinematics joint per axis, in radians.
struct IKJointLimits {
  Single MinX = 0;
  Single MinY = 0;
  Single MinZ = 0;
  Single MaxX = 0;
  Single MaxY = 0;
  Single MaxZ = 0;
  friend bool operator==(const IKJointLimits&, const IKJointLimits&) = default;
};

// One parameter of a mesh operation as the applier reports it: the key it
// lives under in the settings store and its value before the operation.
struct OperationParameter {
  std::string Name;
  Single Value = 0;
  // The applier's own bounds for the value; the panel does not read them.
  Single Minimum = 0;
  Single Maximum = 0;
  friend bool operator==(const OperationParameter&,
                         const OperationParameter&) = default;
};

// What Applier::GetOperationParameters answers: the parameter array (indexed
// from 0) and three numbers of the applier's own that the panel ignores.
struct OperationParameters {
  std::vector<OperationParameter> Parameters;
  Long ParameterCount = 0;  // the number of entries in Parameters
  Long OperationFlags = 0;  // the applier's flags for the operation
  Long Revision = 0;        // the revision of the operation's parameter set
};

// A colour as the scene keeps it: components from 0 to 1.
struct ColourValue {
  Single Red = 0;
  Single Green = 0;
  Single Blue = 0;
  Single Alpha = 0;
  friend bool operator==(const ColourValue&, const ColourValue&) = default;
};

// An orientation as a pair of unit vectors: where the object looks and
// which way is up for it.
struct Orientation {
  SingleVector3 Forward{0, 0, 1};
  SingleVector3 Up{0, 1, 0};
  friend bool operator==(const Orientation&, const Orientation&) = default;
};

// A spin about Axis (any non-zero direction) at angular speed Theta, radians
// per second as the getter answers it.
struct RotationalVelocity {
  SingleVector3 Axis{0, 1, 0};
  Single Theta = 0;
  friend bool operator==(const RotationalVelocity&,
                         const RotationalVelocity&) = default;
};

// The clone settings of a shape, per axis X, Y, Z: how many copies, the
// offset between copies and the rotation (degrees) between copies.
struct Clones {
  LongVector3 Counts;
  SingleVector3 Offsets;
  SingleVector3 Rotations;
  friend bool operator==(const Clones&, const Clones&) = default;
};

// The description record of a shape; the panel reads only ShapeKind.
struct ShapeInfo {
  Long ShapeKind = 0;
};

// Which kinds of object changed visibility in SceneUtility::SetHidden.
struct HiddenChanges {
  bool shapes = false;
  bool lights = false;
  bool bones = false;
  bool groups = false;
  bool cameras = false;
  friend bool operator==(const HiddenChanges&, const HiddenChanges&) = default;
};

// What the colour chooser answers: kChooseColourAccepted and the chosen
// colour (0x00BBGGRR), or another result and the colour it was started with.
struct ColourChoice {
  Long result = 0;
  Colour colour = 0;
};

// A picture is identified by its description, and two pictures are the same
// when their descriptions are: "image:N" is picture N (1-based) of an image
// list, "thumbnail:PATH:SIZE" the thumbnail of a map file at SIZE pixels, and
// the empty string no picture at all.
using Picture = std::string;

inline Picture ImageListPicture(Long index) {
  return "image:" + std::to_string(index);
}
inline Picture ThumbnailPicture(const std::string& path, Long size) {
  return "thumbnail:" + path + ":" + std::to_string(size);
}

}  // namespace morvel

#endif  // MORVEL_SCENE_TYPES_H_
