#ifndef MORVEL_KIT_CUSTOM_FIELD_ROWS_H_
#define MORVEL_KIT_CUSTOM_FIELD_ROWS_H_

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "base/types.h"
#include "kit/panel_context.h"
#include "kit/section_layout.h"
#include "kit/transaction.h"
#include "widgets/widget.h"

namespace morvel {

// Where a section's custom-field frame stands and what its widgets are
// called. The strings must outlive the panel (literals do).
struct CustomFieldRowsLayout {
  const char* frame;          // the frame, inside `section_frame`
  const char* section_frame;  // the section's top-level frame
  Long top;                   // where the designer put the frame
  int title_index;            // the frame's element of the title array "Label"
  const char* label_array;    // the six name labels
  const char* value_array;    // the six value fields
  const char* value_tooltip;
  const char* value_text;  // the fields' text as the designer left it
};

// The six custom-field rows of a section (shapes and groups have them): a
// label and a value field each, rows 0-2 in the left column and 3-5 in the
// right, row k and row k + 3 on one line. The scene names the fields; an
// empty name is a row not in use. The rows build their own frame and
// widgets, lay themselves out, fill themselves from an object and write
// themselves back to it.
class CustomFieldRows {
 public:
  static constexpr Long kRowCount = 6;

  // Builds the frame, its title and the six rows into `tree`.
  CustomFieldRows(WidgetTree& tree, const CustomFieldRowsLayout& layout);
  CustomFieldRows(const CustomFieldRows&) = delete;
  CustomFieldRows& operator=(const CustomFieldRows&) = delete;

  // Every row refuses a typed "|", and a value committed in any row runs
  // `editor` (its failures leave as errors with the panel as their source).
  template <class Editor>
  void Connect(Editor editor);

  // Shows the named rows with their names as captions and hides the others
  // (their captions emptied); rows past the end of `names` are left as they
  // are. Then, unless no row is named (the frame is hidden and `pos` stays):
  // the left column is re-sized (two columns when a right-column row is
  // named, else one wide column), the frame is made as high as its lowest
  // visible line plus 75 twips, shown and stacked at `pos`. A name at index 6
  // or beyond has no row: error 9 after the six rows are laid out.
  void Arrange(const std::vector<std::string>& names, Long& pos);

  // Unless the frame is hidden (no row named), fills all six rows, the
  // hidden ones too, from the object `source()` returns: a row's value
  // belongs to the object whether or not the scene names the row now, and a
  // commit writes all six back.
  template <class Source>
  void Fill(Source source);

  // One scene change with `layer` that writes all six values, hidden rows
  // included, to the object `target()` returns after the prepare, so that
  // the object always receives one consistent set.
  template <class Target>
  void WriteAll(const PanelContext& context, const char* layer, Target target);

  Frame& frame() const { return *frame_; }
  Label& label(Long row) const { return *labels_[static_cast<size_t>(row)]; }
  TextField& value(Long row) const {
    return *values_[static_cast<size_t>(row)];
  }

 private:
  Frame* frame_ = nullptr;
  std::array<Label*, kRowCount> labels_{};
  std::array<TextField*, kRowCount> values_{};
};

template <class Editor>
void CustomFieldRows::Connect(Editor editor) {
  for (TextField* field : values_) {
    field->on_key_press = RefusePipeKey;
    field->on_value_committed = [editor](int) mutable {
      WithPropertiesSource(editor);
    };
  }
}

template <class Source>
void CustomFieldRows::Fill(Source source) {
  if (!frame().Visible()) return;
  auto object = source();
  for (Long row = 0; row < kRowCount; ++row) {
    value(row).SetText(object->GetCustomFieldValue(row));
  }
}

template <class Target>
void CustomFieldRows::WriteAll(const PanelContext& context, const char* layer,
                               Target target) {
  SceneTransaction transaction(context, layer);
  auto object = target();
  for (Long row = 0; row < kRowCount; ++row) {
    object->SetCustomFieldValue(row, value(row).Text());
  }
  transaction.Commit(false);
}

}  // namespace morvel

#endif  // MORVEL_KIT_CUSTOM_FIELD_ROWS_H_
