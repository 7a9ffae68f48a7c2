#ifndef MORVEL_SCENE_UTILITIES_H_
#define MORVEL_SCENE_UTILITIES_H_

#include <memory>
#include <string>

#include "base/types.h"
#include "scene/types.h"

// The shared utility objects of the scene-graph library. SceneUtility,
// DialogUtility and MathUtility exist once per thread, created on first use
// and never released by the panel; a PictureUtility is created by each panel
// once, when it initialises. Where they come from is the host's choice: it
// installs a UtilityFactory (the reference scene graph installs its own),
// passes its own SceneServices to the panel, or does neither and gets the
// reference utilities of host/reference_utilities.h, which work through the
// scene-graph interfaces (and the base classes of scene/scene_bases.h).
namespace morvel {

class Hierarchy;
class Material;
class SceneNode;

// Queries and helpers over selections, nodes, colours, vectors and
// materials. Used by the common section (the tri-state queries, SetHidden),
// the shape section (source caption), the material list and editors (colour
// and level helpers, DefaultMapSettingB), the group and bone sections
// (vectors, orientations) and the light section (MakeColour).
class SceneUtility {
 public:
  virtual ~SceneUtility() = default;

  // Tri-state answers over a selection list, for the common tab's boxes:
  // kTriStateNone (no selected object has the property), kTriStateAll,
  // kTriStateMixed.
  // Hidden: over every node. Locked: over the shapes. Enabled: over the
  // bones. Shadowless (not CastsShadows): over the shapes and lights.
  // The four draw flags: over the shapes. A selection without any object the
  // query looks at answers kTriStateNone.
  virtual Long GetHiddenState(Long list) = 0;
  virtual Long GetLockedState(Long list) = 0;
  virtual Long GetEnabledState(Long list) = 0;
  virtual Long GetShadowlessState(Long list) = 0;
  virtual Long GetDrawPointsState(Long list) = 0;
  virtual Long GetDrawNormalsState(Long list) = 0;
  virtual Long GetDisplayAsBoxState(Long list) = 0;
  virtual Long GetDrawTranslucentState(Long list) = 0;

  // Hides or shows every node of the list; reports, per kind, whether any
  // object of that kind changed visibility. `first` and `flags` are reserved
  // and must be 0.
  virtual HiddenChanges SetHidden(const std::shared_ptr<Hierarchy>& hierarchy,
                                  Long list, Long first, Long flags,
                                  bool hide) = 0;

  // What the shape's Source button shows: a caption and a detail (empty when
  // there is none). `for_display` asks for the short, user-facing form.
  virtual std::string GetSourceCaption(const std::shared_ptr<SceneNode>& node,
                                       bool for_display) = 0;
  virtual std::string GetSourceDetail(const std::shared_ptr<SceneNode>& node,
                                      bool for_display) = 0;

  // Components 0..1 of a packed colour 0xAABBGGRR: the byte over 255.
  virtual Single ColourRed(Colour colour) = 0;
  virtual Single ColourGreen(Colour colour) = 0;
  virtual Single ColourBlue(Colour colour) = 0;
  virtual Single ColourAlpha(Colour colour) = 0;

  // Material levels in whole percent, 0 to 100: how much of the colour the
  // material reflects as diffuse, ambient and specular light. The setters
  // take the text the user typed (a number; anything else raises error 13)
  // and the colour (0x00BBGGRR) the level applies to: a colour change keeps
  // the percentages, so a scene that stores levels relative to the colour
  // rescales them here.
  virtual Long GetDiffuseLevel(const std::shared_ptr<Material>& material,
                               Colour colour) = 0;
  virtual Long GetAmbientLevel(const std::shared_ptr<Material>& material,
                               Colour colour) = 0;
  virtual Long GetSpecularLevel(const std::shared_ptr<Material>& material) = 0;
  virtual void SetDiffuseLevel(const std::shared_ptr<Material>& material,
                               const std::string& level, Colour colour) = 0;
  virtual void SetAmbientLevel(const std::shared_ptr<Material>& material,
                               const std::string& level, Colour colour) = 0;
  virtual void SetSpecularLevel(const std::shared_ptr<Material>& material,
                                const std::string& level) = 0;
  // Setting B of a new maps object when the user gave none (1: tiled).
  virtual Integer DefaultMapSettingB() = 0;

  virtual SingleVector3 MakeVector(Single x, Single y, Single z) = 0;
  // A light colour from components 0..1; the fourth component is the
  // library's choice (the reference ones make it 1, opaque).
  virtual ColourValue MakeColour(Single red, Single green, Single blue) = 0;

  // Angles to an orientation and back, the group section's convention: a
  // right-handed frame turned about the fixed X axis by angles.X, then about
  // the fixed Y axis by angles.Y, then about the fixed Z axis by angles.Z
  // (radians as the panel computes them, half a turn being 3.141593; R = Rz
  // Ry Rx); Forward is where its +Z axis points afterwards
  // and Up where its +Y axis points. Back, Y comes within -pi/2..pi/2 and X
  // and Z within -pi..pi; where Y is +-pi/2, X is taken as 0. A zero,
  // infinite or parallel Forward/Up raises error 5.
  virtual Orientation EulerToOrientation(const SingleVector3& angles) = 0;
  virtual SingleVector3 OrientationToEuler(const SingleVector3& forward,
                                           const SingleVector3& up) = 0;
};

// The tri-state queries over a selection, by what they look at.
enum class SelectionQuery {
  kHidden,           // every node: hidden
  kLocked,           // shapes: Locked
  kEnabled,          // bones: enabled
  kShadowless,       // shapes and lights: not CastsShadows
  kDrawPoints,       // shapes: DrawPoints
  kDrawNormals,      // shapes: DrawNormals
  kDisplayAsBox,     // shapes: DisplayAsBox not 0
  kDrawTranslucent,  // shapes: DrawTranslucent
};
// The SceneUtility method that asks `query` ("GetHiddenState").
const char* QueryName(SelectionQuery query);
// Whether `query` looks at nodes of `node_type`; it passes over the others.
// Inline: the queries ask it of every selected node.
inline bool QueryLooksAt(SelectionQuery query, Long node_type) {
  switch (query) {
    case SelectionQuery::kHidden: return true;
    case SelectionQuery::kEnabled: return node_type == kNodeTypeBone;
    case SelectionQuery::kShadowless:
      return node_type == kNodeTypeShape || node_type == kNodeTypeLight;
    default: return node_type == kNodeTypeShape;
  }
}

// A tri-state answer built up one object at a time: what every SceneUtility
// query over a selection computes. Add the objects the query looks at until
// Mixed() (nothing more can change the answer), then take Result().
class TriStateFold {
 public:
  // Adds one object; true once the answer is kTriStateMixed.
  bool Add(bool has) {
    (has ? any_set_ : any_clear_) = true;
    return Mixed();
  }
  bool Mixed() const { return any_set_ && any_clear_; }
  // kTriStateNone for no object with the property (or none at all),
  // kTriStateAll when all have it, kTriStateMixed when some have.
  Long Result() const {
    if (Mixed()) return kTriStateMixed;
    return any_set_ ? kTriStateAll : kTriStateNone;
  }

 private:
  bool any_set_ = false;
  bool any_clear_ = false;
};

// The modal choosers and the debug sink. Used by the material editors and
// the light colour swatch (choosers) and by the panel's termination
// (WriteDebugMessage).
class DialogUtility {
 public:
  virtual ~DialogUtility() = default;

  // Starts at `colour` (0x00BBGGRR); answers kChooseColourAccepted and the
  // chosen colour, or kChooseColourCancelled and the starting colour when
  // the user cancelled. The panel acts on kChooseColourAccepted only.
  virtual ColourChoice ChooseColour(Long owner,
                                    const std::string& application_key,
                                    Colour colour) = 0;
  // The chosen map file (empty when the user chose none or cancelled: the
  // panel then takes that map away). `setting_a` is 0 and `setting_b`
  // DefaultMapSettingB(), for a chooser that previews the projection.
  virtual std::string ChooseMapFile(Long owner,
                                    const std::string& application_key,
                                    Long setting_a, Integer setting_b) = 0;
  // A line for the developer's debug trace ("Properties instance
  // terminating"); nothing a user sees.
  virtual void WriteDebugMessage(const std::string& text) = 0;
};

// Integer arithmetic of the scene-graph library. Used by the light colour
// editor.
class MathUtility {
 public:
  virtual ~MathUtility() = default;

  // x modulo y with the sign of x (as integer division leaves it); error 11
  // ("Division by zero") when y is 0.
  virtual Long Remainder(Long x, Long y) = 0;
};

// Makes pictures from files. A panel creates one when it initialises and
// hands it to the map thumbnail getters.
class PictureUtility {
 public:
  virtual ~PictureUtility() = default;

  // The thumbnail of an image file at `size` pixels, at least 1 (error 5
  // otherwise); the empty picture for an empty path.
  virtual Picture LoadThumbnail(const std::string& path, Long size) = 0;
};

// Where the shared utilities come from. A host installs one factory for the
// process; each thread then creates its own SceneUtility, DialogUtility and
// MathUtility from it on first use.
class UtilityFactory {
 public:
  virtual ~UtilityFactory() = default;

  virtual std::shared_ptr<SceneUtility> CreateSceneUtility() = 0;
  virtual std::shared_ptr<DialogUtility> CreateDialogUtility() = 0;
  virtual std::shared_ptr<MathUtility> CreateMathUtility() = 0;
  virtual std::shared_ptr<PictureUtility> CreatePictureUtility() = 0;
};

// Installs the factory (replacing an earlier one: every thread then creates
// new utilities from the new factory on its next use). A null factory
// uninstalls it.
void SetUtilityFactory(std::shared_ptr<UtilityFactory> factory);
std::shared_ptr<UtilityFactory> GetUtilityFactory();

// This thread's shared instances, created on first use. Error 429 ("ActiveX
// component can't create object") when no factory is installed.
std::shared_ptr<SceneUtility> SharedSceneUtility();
std::shared_ptr<DialogUtility> SharedDialogUtility();
std::shared_ptr<MathUtility> SharedMathUtility();

// A new picture utility from the installed factory (error 429 as above).
std::shared_ptr<PictureUtility> CreatePictureUtility();

}  // namespace morvel

#endif  // MORVEL_SCENE_UTILITIES_H_
