#ifndef MORVEL_KIT_SECTION_LAYOUT_H_
#define MORVEL_KIT_SECTION_LAYOUT_H_

#include <string>
#include <vector>

#include "base/types.h"
#include "widgets/widget.h"

// Layout rules that more than one object section follows: stacking sub-frames
// down a section, and the custom-field rows of shapes and groups.
namespace morvel {

// The key filter of every text a scene keeps as a custom value (shape,
// group and material fields): a typed "|" is dropped, every other key
// passes. Values never hold the character.
inline void RefusePipeKey(Integer& key_ascii) {
  if (key_ascii == '|') key_ascii = 0;
}

// Neighbouring sub-frames overlap by this much, so that one frame's bottom
// border line is the next one's top line.
inline constexpr Long kFrameOverlap = 30;

// Puts `frame` at `pos` and moves `pos` to where the next frame starts: the
// frame's Top + Height - kFrameOverlap. Error 6 when the sum overflows.
void StackFrame(Widget& frame, Long& pos);

// The six custom-field rows of a section: a label and a value field each,
// rows 0-2 in the left column and 3-5 in the right, row k and row k + 3 on
// one line. The scene names the fields; an empty name is a row not in use.
class CustomFieldRows {
 public:
  static constexpr Long kRowCount = 6;

  // Looks the frame and both control arrays up in `widgets` (error 9 when
  // one is missing).
  CustomFieldRows(WidgetTree& widgets, const char* frame,
                  const char* label_array, const char* value_array);

  // Shows the named rows with their names as captions and hides the others
  // (their captions emptied); rows past the end of `names` are left as they
  // are. Then, unless no row is named (the frame is hidden and `pos` stays):
  // the left column is re-sized (two columns when a right-column row is
  // named, else one wide column), the frame is made as high as its lowest
  // visible line plus 75 twips, shown and stacked at `pos`. A name at index 6
  // or beyond has no row: error 9 after the six rows are laid out.
  void Arrange(const std::vector<std::string>& names, Long& pos);

  Frame& frame() const { return frame_; }
  Label& label(Long row) const { return *labels_[static_cast<size_t>(row)]; }
  TextField& value(Long row) const {
    return *values_[static_cast<size_t>(row)];
  }

  // Installs RefusePipeKey on the six value fields.
  void RefusePipeKeys();

 private:
  Frame& frame_;
  std::vector<Label*> labels_;
  std::vector<TextField*> values_;
};

}  // namespace morvel

#endif  // MORVEL_KIT_SECTION_LAYOUT_H_
