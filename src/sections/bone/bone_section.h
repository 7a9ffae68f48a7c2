#ifndef MORVEL_SECTIONS_BONE_BONE_SECTION_H_
#define MORVEL_SECTIONS_BONE_BONE_SECTION_H_

#include "panel/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected bone.
class BoneSection {
 public:
  explicit BoneSection(PanelContext& context);
  BoneSection(const BoneSection&) = delete;
  BoneSection& operator=(const BoneSection&) = delete;

  // Brings fraBoneProperties into view for the one selected bone.
  void LoadBoneProperties();

 private:
  PanelContext& context_;
  Frame& fraBoneProperties;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_BONE_BONE_SECTION_H_
