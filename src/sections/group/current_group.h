#ifndef MORVEL_SECTIONS_GROUP_CURRENT_GROUP_H_
#define MORVEL_SECTIONS_GROUP_CURRENT_GROUP_H_

#include <memory>

#include "base/error.h"
#include "kit/panel_context.h"
#include "scene/scene.h"

// Which group the group and bone editors write to.
//
// The scene hands a bone out as a Group, so one panel field, CurrentGroup
// (PanelState), serves both sections:
//  - Who sets it: LoadGroupProperties, as its last step, to item 0 of the
//    selection asked for as a group; LoadBoneProperties, as its last step, to
//    item 0 asked for as a bone. Both fetch the item afresh for it. A load that
//    fails before that step leaves the field as it was.
//  - How long it holds: until the next group or bone load. A new selection
//    alone does not move it; the panel releases it when it is terminated.
//  - Who writes through it: the position and orientation, the rotational
//    velocity, the joint mode and limits, the custom group fields, and the
//    bone's irregular offset. Each takes it at its first scene call; until a
//    group or bone has been loaded that call fails with error 91.
//  - Who does not: the bone sliders write to the selected bone fetched afresh
//    for every change, and the irregular-volume rule reads the offset from it.
//    The bone loader moves the sliders before it sets CurrentGroup, and every
//    move writes back at once, so those writes cannot go through the field.
//    The loaders read from fresh queries too.
namespace morvel {

// CurrentGroup as it stands; error 91 when no group or bone has been loaded.
// A shared copy, so that a host reloading the panel from inside an event
// cannot take the group away from an editor halfway through its writes.
inline std::shared_ptr<Group> CurrentGroupOf(const PanelContext& context) {
  return Required(context.State().CurrentGroup);
}

// Item 0 of the active scene's selection as a group, fetched afresh.
inline std::shared_ptr<Group> SelectedGroup(const PanelContext& context) {
  return Required(context.Graph().GetSelectedGroup(context.SelectionList(), 0));
}

// Item 0 of the active scene's selection as a bone, fetched afresh.
inline std::shared_ptr<Group> SelectedBone(const PanelContext& context) {
  return Required(context.Graph().GetSelectedBone(context.SelectionList(), 0));
}

}  // namespace morvel

#endif  // MORVEL_SECTIONS_GROUP_CURRENT_GROUP_H_
