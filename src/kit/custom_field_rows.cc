#include "kit/custom_field_rows.h"

#include "kit/section_widgets.h"

namespace morvel {
namespace {

using K = WidgetKind;

// The designed rows: the left column's names at 135 and values at 840, the
// right column's at 2010 and 2700, lines 360 twips apart; the last line's
// names are 30 twips shorter so that they clear the frame's bottom border.
constexpr Long kNameLeft[] = {135, 2010};
constexpr Long kValueLeft[] = {840, 2700};
constexpr Long kNameTop[] = {300, 660, 1020};
constexpr Long kNameHeight[] = {315, 315, 285};
constexpr Long kValueTop[] = {270, 630, 990};
constexpr Long kNameWidth = 705;
constexpr Long kValueWidth = 1095;
constexpr Long kValueHeight = 315;
constexpr Long kRowsPerColumn = 3;

// The left column's geometry: narrow beside a used right column, one wide
// column across the frame when the right one is empty.
constexpr Long kTwoColumnLabelWidth = kNameWidth;
constexpr Long kTwoColumnValueLeft = 840;
constexpr Long kTwoColumnValueWidth = kValueWidth;
constexpr Long kOneColumnLabelWidth = 1050;
constexpr Long kOneColumnValueLeft = 1245;
constexpr Long kOneColumnValueWidth = 2550;
constexpr Long kFirstRightRow = kRowsPerColumn;
// Below the lowest line: two and a half times the frames' overlap, so the
// frame's border clears the last field.
constexpr Long kBottomMargin = 75;

// clang-format off
std::vector<WidgetSpec> RowsLayout(const CustomFieldRowsLayout& layout) {
  std::vector<WidgetSpec> specs;
  // Like every sub-frame, 60 twips wider than the section and 30 to its
  // left, so that only the lines between the frames are seen.
  specs.push_back({.kind = K::kFrame, .name = layout.frame,
                   .parent = layout.section_frame, .left = -30,
                   .top = layout.top, .width = 3930, .height = 1440});
  specs.push_back({.kind = K::kLabel, .name = "Label",
                   .index = layout.title_index, .parent = layout.frame,
                   .left = 120, .top = 0, .width = 735, .height = 285,
                   .caption = " Custom"});
  // The six names first, then the six values: later widgets stand in front.
  for (const bool name : {true, false}) {
    for (int row = 0; row < CustomFieldRows::kRowCount; ++row) {
      const int column = row / kRowsPerColumn;
      const int line = row % kRowsPerColumn;
      WidgetSpec spec{.kind = name ? K::kLabel : K::kTextField,
                      .name = name ? layout.label_array : layout.value_array,
                      .index = row, .parent = layout.frame};
      if (name) {
        spec.left = kNameLeft[column];
        spec.top = kNameTop[line];
        spec.width = kNameWidth;
        spec.height = kNameHeight[line];
        spec.caption = "Custom";
      } else {
        spec.left = kValueLeft[column];
        spec.top = kValueTop[line];
        spec.width = kValueWidth;
        spec.height = kValueHeight;
        spec.tooltip = layout.value_tooltip;
        spec.text = layout.value_text;
      }
      specs.push_back(spec);
    }
  }
  return specs;
}
// clang-format on

}  // namespace

CustomFieldRows::CustomFieldRows(WidgetTree& tree,
                                 const CustomFieldRowsLayout& layout) {
  const std::vector<WidgetSpec> specs = RowsLayout(layout);
  SectionWidgets widgets(tree, specs);
  frame_ = &widgets.Get<Frame>(layout.frame);
  labels_ = widgets.Elements<Label, kRowCount>(layout.label_array);
  values_ = widgets.Elements<TextField, kRowCount>(layout.value_array);
}

void CustomFieldRows::Arrange(const std::vector<std::string>& names,
                              Long& pos) {
  Long last = -1;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i >= labels_.size()) RaiseError(kErrSubscriptOutOfRange);
    bool named = !names[i].empty();
    labels_[i]->SetVisible(named);
    values_[i]->SetVisible(named);
    labels_[i]->SetCaption(names[i]);
    if (named) last = static_cast<Long>(i);
  }
  if (last < 0) {
    frame_->SetVisible(false);
    return;
  }
  const bool two_columns = last >= kFirstRightRow;
  for (Long row = 0; row < kFirstRightRow; ++row) {
    label(row).SetWidth(two_columns ? kTwoColumnLabelWidth
                                    : kOneColumnLabelWidth);
    value(row).SetLeft(two_columns ? kTwoColumnValueLeft : kOneColumnValueLeft);
    value(row).SetWidth(two_columns ? kTwoColumnValueWidth
                                    : kOneColumnValueWidth);
  }
  // The frame ends below its lowest line that shows a row; the left
  // column's label gives the line's bottom.
  auto line_shown = [this](Long row) {
    return label(row).Visible() || label(row + kFirstRightRow).Visible();
  };
  Long lowest = line_shown(2) ? 2 : line_shown(1) ? 1 : 0;
  frame_->SetHeight(CheckedAdd(
      CheckedAdd(label(lowest).Top(), label(lowest).Height()), kBottomMargin));
  frame_->SetVisible(true);
  StackFrame(*frame_, pos);
}

}  // namespace morvel
