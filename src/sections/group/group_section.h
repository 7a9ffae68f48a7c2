#ifndef MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_
#define MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_

#include "panel/panel_context.h"
#include "widgets/widget.h"

namespace morvel {

// The object tab's section of one selected group.
class GroupSection {
 public:
  explicit GroupSection(PanelContext& context);
  GroupSection(const GroupSection&) = delete;
  GroupSection& operator=(const GroupSection&) = delete;

  // Brings fraGroupProperties into view for the one selected group.
  void LoadGroupProperties(const SetupArguments& arguments);

 private:
  PanelContext& context_;
  Frame& fraGroupProperties;
};

}  // namespace morvel

#endif  // MORVEL_SECTIONS_GROUP_GROUP_SECTION_H_
