#ifndef MORVEL_HOST_REFERENCE_UTILITIES_H_
#define MORVEL_HOST_REFERENCE_UTILITIES_H_

#include <functional>
#include <memory>
#include <string>

#include "base/types.h"
#include "scene/scene_graph.h"
#include "scene/utilities.h"

// The scene-graph library's shared utilities as this library ships them,
// for hosts that have none of their own: a panel given no SceneServices
// uses them whenever no UtilityFactory is installed. They work through the
// scene-graph interfaces alone, plus the few values the base classes of
// scene/scene_bases.h keep beyond the panel's calls: a node's Hidden, a
// bone's BoneEnabled, a shape's source caption and a material's levels. A
// node or material not derived from those bases answers error 438 for
// them; a host whose objects are not, passes its own SceneUtility.
namespace morvel {

// Where the reference SceneUtility finds the scene graph whose selection
// lists it walks. A panel's default services answer the scene graph last
// handed to the panel.
using SceneGraphSource = std::function<std::shared_ptr<SceneGraph>()>;

class ReferenceSceneUtility : public SceneUtility {
 public:
  explicit ReferenceSceneUtility(SceneGraphSource scene_graph);

  // The tri-state queries, all one walk (SelectionState).
  Long GetHiddenState(Long list) override {
    return SelectionState(list, SelectionQuery::kHidden);
  }
  Long GetLockedState(Long list) override {
    return SelectionState(list, SelectionQuery::kLocked);
  }
  Long GetEnabledState(Long list) override {
    return SelectionState(list, SelectionQuery::kEnabled);
  }
  Long GetShadowlessState(Long list) override {
    return SelectionState(list, SelectionQuery::kShadowless);
  }
  Long GetDrawPointsState(Long list) override {
    return SelectionState(list, SelectionQuery::kDrawPoints);
  }
  Long GetDrawNormalsState(Long list) override {
    return SelectionState(list, SelectionQuery::kDrawNormals);
  }
  Long GetDisplayAsBoxState(Long list) override {
    return SelectionState(list, SelectionQuery::kDisplayAsBox);
  }
  Long GetDrawTranslucentState(Long list) override {
    return SelectionState(list, SelectionQuery::kDrawTranslucent);
  }
  // Error 91 without a hierarchy, 5 unless `first` and `flags` are 0.
  HiddenChanges SetHidden(const std::shared_ptr<Hierarchy>& hierarchy,
                          Long list, Long first, Long flags,
                          bool hide) override;
  // ShapeBase's SourceCaption and SourceDetail.
  std::string GetSourceCaption(const std::shared_ptr<SceneNode>& node,
                               bool for_display) override;
  std::string GetSourceDetail(const std::shared_ptr<SceneNode>& node,
                              bool for_display) override;
  Single ColourRed(Colour colour) override;
  Single ColourGreen(Colour colour) override;
  Single ColourBlue(Colour colour) override;
  Single ColourAlpha(Colour colour) override;
  // MaterialBase's levels, whatever the colour. The setters read the text
  // as the platform reads numbers and round it (error 13 for no number).
  Long GetDiffuseLevel(const std::shared_ptr<Material>& material,
                       Colour colour) override;
  Long GetAmbientLevel(const std::shared_ptr<Material>& material,
                       Colour colour) override;
  Long GetSpecularLevel(const std::shared_ptr<Material>& material) override;
  void SetDiffuseLevel(const std::shared_ptr<Material>& material,
                       const std::string& level, Colour colour) override;
  void SetAmbientLevel(const std::shared_ptr<Material>& material,
                       const std::string& level, Colour colour) override;
  void SetSpecularLevel(const std::shared_ptr<Material>& material,
                        const std::string& level) override;
  Integer DefaultMapSettingB() override;  // 1, tiled
  SingleVector3 MakeVector(Single x, Single y, Single z) override;
  ColourValue MakeColour(Single red, Single green, Single blue) override;
  // Error 5 for angles that are not finite.
  Orientation EulerToOrientation(const SingleVector3& angles) override;
  SingleVector3 OrientationToEuler(const SingleVector3& forward,
                                   const SingleVector3& up) override;

 protected:
  // The answer of `query` over `list`: one pass over the selection,
  // stopping once it is mixed. The reference walks the scene graph's
  // interfaces; a scene graph's own utilities may walk their data instead.
  virtual Long SelectionState(Long list, SelectionQuery query);
  // Called first by each helper that concerns no scene (the colour,
  // vector, angle and map-setting helpers) with its name, so that a scene
  // graph's own utilities can fail there as its scene would.
  virtual void Entering(const char* operation) { (void)operation; }

 private:
  // The scene graph now, held for one query; error 91 while there is none.
  std::shared_ptr<SceneGraph> Graph();

  SceneGraphSource scene_graph_;
};

// Choosers without a window to show them in: the colour chooser answers
// kChooseColourCancelled and the colour it was given, the map-file chooser
// no file. Debug messages go to the sink, when there is one, else to
// standard error while the environment variable MORVEL_DEBUG is set.
class ReferenceDialogUtility : public DialogUtility {
 public:
  using DebugSink = std::function<void(const std::string&)>;
  explicit ReferenceDialogUtility(DebugSink sink = {})
      : sink_(std::move(sink)) {}

  ColourChoice ChooseColour(Long owner, const std::string& application_key,
                            Colour colour) override;
  std::string ChooseMapFile(Long owner, const std::string& application_key,
                            Long setting_a, Integer setting_b) override;
  void WriteDebugMessage(const std::string& text) override;

 private:
  DebugSink sink_;
};

class ReferenceMathUtility : public MathUtility {
 public:
  Long Remainder(Long x, Long y) override;
};

// Pictures by description: "thumbnail:PATH:SIZE" (scene/types.h), which a
// toolkit's views draw from the file.
class ReferencePictureUtility : public PictureUtility {
 public:
  Picture LoadThumbnail(const std::string& path, Long size) override;
};

// Makes the four, the scene utility working through `scene_graph`. A host
// may install one for the process (SetUtilityFactory) when it has one
// scene graph to show.
class ReferenceUtilityFactory : public UtilityFactory {
 public:
  explicit ReferenceUtilityFactory(
      SceneGraphSource scene_graph,
      ReferenceDialogUtility::DebugSink sink = {})
      : scene_graph_(std::move(scene_graph)), sink_(std::move(sink)) {}

  std::shared_ptr<SceneUtility> CreateSceneUtility() override;
  std::shared_ptr<DialogUtility> CreateDialogUtility() override;
  std::shared_ptr<MathUtility> CreateMathUtility() override;
  std::shared_ptr<PictureUtility> CreatePictureUtility() override;

 private:
  SceneGraphSource scene_graph_;
  ReferenceDialogUtility::DebugSink sink_;
};

}  // namespace morvel

#endif  // MORVEL_HOST_REFERENCE_UTILITIES_H_
