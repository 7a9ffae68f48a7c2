#ifndef MORVEL_MEMSCENE_MEM_UTILITIES_H_
#define MORVEL_MEMSCENE_MEM_UTILITIES_H_

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "host/reference_utilities.h"
#include "scene/utilities.h"

// The reference scene graph's own shared utilities. Their selection queries
// and material helpers work on reference scenes (MemSceneGraph) only, on its
// data directly; the colour, vector, rotation, maths and picture helpers
// are the library's reference ones (host/reference_utilities.h), each
// answering to the current scene's planned faults first (Entering).
namespace morvel {

class MemSceneUtility final : public ReferenceSceneUtility {
 public:
  MemSceneUtility() : ReferenceSceneUtility(nullptr) {}
  HiddenChanges SetHidden(const std::shared_ptr<Hierarchy>& hierarchy,
                          Long list, Long first, Long flags,
                          bool hide) override;
  std::string GetSourceCaption(const std::shared_ptr<SceneNode>& node,
                               bool for_display) override;
  std::string GetSourceDetail(const std::shared_ptr<SceneNode>& node,
                              bool for_display) override;
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

 protected:
  // Straight through the scene's node records, in selection order.
  Long SelectionState(Long list, SelectionQuery query) override;
  // The helpers that concern no scene answer to the current scene's faults.
  void Entering(const char* operation) override;
};

// Choosers that answer what a host or test scripted. Without a scripted
// answer the colour chooser reports "cancelled" (result 2) and the map-file
// chooser no file (""). Every question asked is kept, as are the debug
// messages.
class MemDialogUtility final : public DialogUtility {
 public:
  struct ColourAnswer {
    Long result = 0;
    Colour colour = 0;
  };
  struct Question {
    std::string chooser;  // "ChooseColour" or "ChooseMapFile"
    Long owner = 0;
    std::string application_key;
    Long value = 0;  // the starting colour, or setting A
    Long extra = 0;  // setting B of a map-file question
  };
  static constexpr Long kCancelled = kChooseColourCancelled;

  void AnswerColour(Long result, Colour colour);
  void AnswerMapFile(const std::string& path);
  void ClearAnswers();
  const std::vector<Question>& questions() const { return questions_; }
  const std::vector<std::string>& debug_messages() const {
    return debug_messages_;
  }
  void ClearRecords();

  ColourChoice ChooseColour(Long owner, const std::string& application_key,
                            Colour colour) override;
  std::string ChooseMapFile(Long owner, const std::string& application_key,
                            Long setting_a, Integer setting_b) override;
  void WriteDebugMessage(const std::string& text) override;

 private:
  std::deque<ColourAnswer> colour_answers_;
  std::deque<std::string> map_file_answers_;
  std::vector<Question> questions_;
  std::vector<std::string> debug_messages_;
};

class MemMathUtility final : public ReferenceMathUtility {
 public:
  Long Remainder(Long x, Long y) override;
};

// Pictures by description: the thumbnail of PATH at SIZE pixels is
// "thumbnail:PATH:SIZE".
class MemPictureUtility final : public ReferencePictureUtility {
 public:
  Picture LoadThumbnail(const std::string& path, Long size) override;
};

class MemUtilityFactory final : public UtilityFactory {
 public:
  std::shared_ptr<SceneUtility> CreateSceneUtility() override;
  std::shared_ptr<DialogUtility> CreateDialogUtility() override;
  std::shared_ptr<MathUtility> CreateMathUtility() override;
  std::shared_ptr<PictureUtility> CreatePictureUtility() override;
};

// Installs MemUtilityFactory; with `replace` false only when no factory is
// installed yet.
void InstallReferenceUtilities(bool replace = true);

// This thread's shared dialog utility as the reference one, so that a host
// or test can script its answers (error 13 when the installed utilities are
// another library's).
std::shared_ptr<MemDialogUtility> ThreadDialogUtility();

}  // namespace morvel

#endif  // MORVEL_MEMSCENE_MEM_UTILITIES_H_
