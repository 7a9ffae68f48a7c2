#ifndef MORVEL_KIT_OUTSIDE_TRANSACTION_H_
#define MORVEL_KIT_OUTSIDE_TRANSACTION_H_

#include <utility>

#include "base/types.h"
#include "widgets/widget.h"

// The scene writes the panel makes outside a SceneTransaction. Every other
// write sits between a prepare and an apply; these do not, on purpose, and
// each goes through a helper whose name says why, so that a reader meets
// the reason at the write. (The random user's transaction monitor lists the
// same writes as the only ones it accepts outside a transaction.)
namespace morvel {

// A commit's own write just before it hands a mesh operation to the host:
// the host records the operation it runs as the change, and this write is
// part of it, not a change of its own.
template <class Write>
void WriteBeforeHostOperation(Write&& write) {
  std::forward<Write>(write)();
}

// A scene value that follows its widget whenever the widgets depending on
// that widget are brought up to date: when a section is loaded as well as
// in an edit, and a load is no edit the host should record.
template <class Write>
void WriteFollowingItsWidget(Write&& write) {
  std::forward<Write>(write)();
}

// Moves a widget from code so that its own editor, which the move raises,
// writes the value in a transaction of its own: how a commit puts its
// widget back after the host has run the operation.
inline void SetThroughItsEditor(Slider& slider, Long position) {
  slider.SetValue(position);
}
inline void SetThroughItsEditor(ComboBox& list, Long index) {
  list.SetListIndex(index);
}

}  // namespace morvel

#endif  // MORVEL_KIT_OUTSIDE_TRANSACTION_H_
