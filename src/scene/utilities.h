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
// installs a UtilityFactory (the reference scene graph installs its own).
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

  // Tri-state answers over a selection list: kTriStateNone (no selected
  // object has the property), kTriStateAll, kTriStateMixed.
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

  // Components 0..1 of a packed colour 0xAABBGGRR.
  virtual Single ColourRed(Colour colour) = 0;
  virtual Single ColourGreen(Colour colour) = 0;
  virtual Single ColourBlue(Colour colour) = 0;
  virtual Single ColourAlpha(Colour colour) = 0;

  // Material levels in whole percent. The setters take the text the user
  // typed (a number; anything else raises error 13) and the colour the level
  // applies to.
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
  // Setting B of a new maps object when the user gave none.
  virtual Integer DefaultMapSettingB() = 0;

  virtual SingleVector3 MakeVector(Single x, Single y, Single z) = 0;
  virtual ColourValue MakeColour(Single red, Single green, Single blue) = 0;

  // Rotations about X, then Y, then Z (radians) to a Forward/Up pair, and
  // back.
  virtual Orientation EulerToOrientation(const SingleVector3& angles) = 0;
  virtual SingleVector3 OrientationToEuler(const SingleVector3& forward,
                                           const SingleVector3& up) = 0;
};

// The modal choosers and the debug sink. Used by the material editors and
// the light colour swatch (choosers) and by the panel's termination
// (WriteDebugMessage).
class DialogUtility {
 public:
  virtual ~DialogUtility() = default;

  // Starts at `colour` (0x00BBGGRR); answers kChooseColourAccepted and the
  // chosen colour, or another result when the user cancelled.
  virtual ColourChoice ChooseColour(Long owner,
                                    const std::string& application_key,
                                    Colour colour) = 0;
  // The chosen map file (empty when the user chose none).
  virtual std::string ChooseMapFile(Long owner,
                                    const std::string& application_key,
                                    Long setting_a, Integer setting_b) = 0;
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

  // The thumbnail of an image file at `size` pixels (the empty picture for an
  // empty path).
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
