#include "kit/section_layout.h"

#include "base/error.h"
#include "kit/transaction.h"

namespace morvel {
namespace {

// The left column's geometry: narrow beside a used right column, one wide
// column across the frame when the right one is empty.
constexpr Long kTwoColumnLabelWidth = 705;
constexpr Long kTwoColumnValueLeft = 840;
constexpr Long kTwoColumnValueWidth = 1095;
constexpr Long kOneColumnLabelWidth = 1050;
constexpr Long kOneColumnValueLeft = 1245;
constexpr Long kOneColumnValueWidth = 2550;
constexpr Long kFirstRightRow = 3;
// Below the lowest line: two and a half times the frames' overlap, so the
// frame's border clears the last field.
constexpr Long kBottomMargin = 75;

}  // namespace

void StackFrame(Widget& frame, Long& pos) {
  frame.SetTop(pos);
  pos = CheckedAdd(CheckedAdd(frame.Top(), frame.Height()), -kFrameOverlap);
}

CustomFieldRows::CustomFieldRows(WidgetTree& widgets, const char* frame,
                                 const char* label_array,
                                 const char* value_array)
    : frame_(widgets.Get<Frame>(frame)) {
  for (Long row = 0; row < kRowCount; ++row) {
    labels_.push_back(&widgets.Get<Label>(label_array, row));
    values_.push_back(&widgets.Get<TextField>(value_array, row));
  }
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
    frame_.SetVisible(false);
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
  frame_.SetHeight(CheckedAdd(
      CheckedAdd(label(lowest).Top(), label(lowest).Height()), kBottomMargin));
  frame_.SetVisible(true);
  StackFrame(frame_, pos);
}

void CustomFieldRows::RefusePipeKeys() {
  for (TextField* field : values_) {
    field->on_key_press = RefusePipeKey;
  }
}

}  // namespace morvel
