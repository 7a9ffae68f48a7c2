#include "widgets/widget.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/error.h"
#include "base/numbers.h"
#include "widgets/text_util.h"
#include "widgets/widget_internal.h"

namespace morvel {
namespace {

using namespace widget_internal;

std::string Quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  out += '"';
  return out;
}

// Colours read best as 0xBBGGRR in a dump; system colours keep their high
// bit (0x8000000F).
std::string ColourHex(Colour colour) {
  static const char kDigits[] = "0123456789ABCDEF";
  auto bits = static_cast<std::uint32_t>(colour);
  int digits = bits > 0xFFFFFFu ? 8 : 6;
  std::string out = "0x";
  for (int i = digits - 1; i >= 0; --i) out += kDigits[(bits >> (4 * i)) & 0xF];
  return out;
}

std::string DoubleText(double value) {
  return SingleToText(static_cast<Single>(value));
}

}  // namespace

std::string_view KindName(WidgetKind kind) {
  switch (kind) {
    case WidgetKind::kForm:
      return "Form";
    case WidgetKind::kFrame:
      return "Frame";
    case WidgetKind::kLabel:
      return "Label";
    case WidgetKind::kCheckBox:
      return "CheckBox";
    case WidgetKind::kComboBox:
      return "ComboBox";
    case WidgetKind::kButton:
      return "Button";
    case WidgetKind::kPictureBox:
      return "PictureBox";
    case WidgetKind::kSlider:
      return "Slider";
    case WidgetKind::kUpDownText:
      return "UpDownText";
    case WidgetKind::kTextField:
      return "TextField";
    case WidgetKind::kTextBox:
      return "TextBox";
    case WidgetKind::kFlexGrid:
      return "FlexGrid";
    case WidgetKind::kImageList:
      return "ImageList";
  }
  return "Widget";
}

// ---------------------------------------------------------------- Widget

Widget::Widget(WidgetTree& tree, WidgetKind kind, std::string name, int index,
               Widget* parent)
    : tree_(tree),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      parent_(parent) {}

Widget::~Widget() = default;

std::string Widget::DisplayName() const {
  if (index_ < 0) return name_;
  return name_ + "(" + std::to_string(index_) + ")";
}

void Widget::Notify(WidgetProperty property) { tree_.Notify(*this, property); }

void Widget::SetLeft(Long value) { Move(value, top_, width_, height_); }
void Widget::SetTop(Long value) { Move(left_, value, width_, height_); }
void Widget::SetWidth(Long value) { Move(left_, top_, value, height_); }
void Widget::SetHeight(Long value) { Move(left_, top_, width_, value); }

void Widget::Move(Long left, Long top, Long width, Long height) {
  if (width < 0 || height < 0) RaiseInvalidValue();
  if (left == left_ && top == top_ && width == width_ && height == height_) {
    return;
  }
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Notify(WidgetProperty::kGeometry);
}

void Widget::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  Notify(WidgetProperty::kVisible);
}

void Widget::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Notify(WidgetProperty::kEnabled);
}

bool Widget::IsShown() const {
  for (const Widget* w = this; w; w = w->parent_) {
    if (!w->visible_) return false;
  }
  return true;
}

bool Widget::IsUsable() const {
  for (const Widget* w = this; w; w = w->parent_) {
    if (!w->visible_ || !w->enabled_) return false;
  }
  return true;
}

bool Widget::CanFocus() const {
  switch (kind_) {
    case WidgetKind::kButton:
    case WidgetKind::kCheckBox:
    case WidgetKind::kComboBox:
    case WidgetKind::kSlider:
    case WidgetKind::kUpDownText:
    case WidgetKind::kTextField:
    case WidgetKind::kTextBox:
    case WidgetKind::kFlexGrid:
      return true;
    default:
      return false;
  }
}

void Widget::SetCaption(std::string value) {
  if (caption_ == value) return;
  caption_ = std::move(value);
  Notify(WidgetProperty::kCaption);
}

void Widget::SetToolTip(std::string value) {
  if (tool_tip_ == value) return;
  tool_tip_ = std::move(value);
  Notify(WidgetProperty::kToolTip);
}

std::optional<std::string> Widget::Property(std::string_view name,
                                            std::optional<Long>) const {
  if (NameIs(name, "Left")) return LongToText(left_);
  if (NameIs(name, "Top")) return LongToText(top_);
  if (NameIs(name, "Width")) return LongToText(width_);
  if (NameIs(name, "Height")) return LongToText(height_);
  if (NameIs(name, "Visible")) return BoolText(visible_);
  if (NameIs(name, "Enabled")) return BoolText(enabled_);
  if (NameIs(name, "Caption")) return caption_;
  if (NameIs(name, "ToolTip") || NameIs(name, "ToolTipText")) return tool_tip_;
  if (NameIs(name, "Name")) return name_;
  if (NameIs(name, "Index")) return LongToText(index_);
  return std::nullopt;
}

std::string Widget::DumpLine() const {
  std::string line = DisplayName();
  line += ' ';
  line += KindName(kind_);
  line += " (" + LongToText(left_) + "," + LongToText(top_) + "," +
          LongToText(width_) + "," + LongToText(height_) + ")";
  if (!visible_) line += " hidden";
  if (!enabled_) line += " disabled";
  if (!caption_.empty()) line += " Caption=" + Quoted(caption_);
  std::string details = DumpDetails();
  if (!details.empty()) line += " " + details;
  return line;
}

// ---------------------------------------------------------------- Button etc.

void Button::Click() {
  if (on_click) on_click();
}

void PictureBox::SetBackColor(Colour value) {
  if (back_color_ == value) return;
  back_color_ = value;
  Notify(WidgetProperty::kBackColor);
}

void PictureBox::SetPicture(std::string description) {
  if (picture_ == description) return;
  picture_ = std::move(description);
  Notify(WidgetProperty::kPicture);
}

void PictureBox::Click() {
  if (on_click) on_click();
}

std::optional<std::string> PictureBox::Property(std::string_view name,
                                                std::optional<Long> arg) const {
  if (NameIs(name, "BackColor")) return LongToText(back_color_);
  if (NameIs(name, "Picture")) return picture_;
  return Widget::Property(name, arg);
}

std::string PictureBox::DumpDetails() const {
  std::string out = "BackColor=" + ColourHex(back_color_);
  if (!picture_.empty()) out += " Picture=" + Quoted(picture_);
  return out;
}

// ---------------------------------------------------------------- CheckBox

void CheckBox::SetValue(Integer value) {
  if (value < 0 || value > 2) RaiseInvalidValue();
  if (value == value_) return;
  value_ = value;
  Notify(WidgetProperty::kValue);
  if (on_click) on_click();
}

std::optional<std::string> CheckBox::Property(std::string_view name,
                                              std::optional<Long> arg) const {
  if (NameIs(name, "Value")) return LongToText(value_);
  return Widget::Property(name, arg);
}

std::string CheckBox::DumpDetails() const {
  return "Value=" + LongToText(value_);
}

// ---------------------------------------------------------------- ComboBox

const std::string& ComboBox::List(Long index) const {
  if (index < 0 || index >= ListCount()) RaiseSubscript();
  return items_[static_cast<std::size_t>(index)];
}

void ComboBox::AddItem(std::string text, std::optional<Long> index) {
  Long at = index.value_or(ListCount());
  if (at < 0 || at > ListCount()) RaiseError(kErrInvalidProcedureCall);
  items_.insert(items_.begin() + at, std::move(text));
  Notify(WidgetProperty::kItems);
  // The selected entry stays selected: its index moves with it, and that is
  // no new choice, so no Click.
  if (list_index_ >= at && list_index_ >= 0) {
    ++list_index_;
    Notify(WidgetProperty::kValue);
  }
}

void ComboBox::RemoveItem(Long index) {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidProcedureCall);
  items_.erase(items_.begin() + index);
  Notify(WidgetProperty::kItems);
  if (list_index_ == index) {
    list_index_ = -1;
    Notify(WidgetProperty::kValue);
  } else if (list_index_ > index) {
    --list_index_;
    Notify(WidgetProperty::kValue);
  }
}

void ComboBox::Clear() {
  bool had_items = !items_.empty();
  items_.clear();
  if (had_items) Notify(WidgetProperty::kItems);
  if (list_index_ != -1) {
    list_index_ = -1;
    Notify(WidgetProperty::kValue);
  }
}

void ComboBox::SetListIndex(Long index) {
  if (index < -1 || index >= ListCount()) RaiseInvalidValue();
  if (index == list_index_) return;
  list_index_ = index;
  Notify(WidgetProperty::kValue);
  if (on_click) on_click();
}

std::optional<std::string> ComboBox::Property(std::string_view name,
                                              std::optional<Long> arg) const {
  if (NameIs(name, "ListIndex")) return LongToText(list_index_);
  if (NameIs(name, "ListCount")) return LongToText(ListCount());
  if (NameIs(name, "List")) return List(NeedArg(name, arg));
  if (NameIs(name, "Text")) {
    return list_index_ >= 0 ? items_[static_cast<std::size_t>(list_index_)]
                            : std::string();
  }
  return Widget::Property(name, arg);
}

std::string ComboBox::DumpDetails() const {
  std::string out = "ListIndex=" + LongToText(list_index_) +
                    " ListCount=" + LongToText(ListCount());
  if (list_index_ >= 0) {
    out += " Text=" + Quoted(items_[static_cast<std::size_t>(list_index_)]);
  }
  return out;
}

// ---------------------------------------------------------------- Slider

void Slider::SetRange(Long min, Long max) {
  if (min != min_ || max != max_) {
    min_ = min;
    max_ = max;
    Notify(WidgetProperty::kRange);
  }
  Long lo = std::min(min_, max_), hi = std::max(min_, max_);
  Long inside = std::clamp(value_, lo, hi);
  if (inside != value_) SetValue(inside);
}

void Slider::SetSmallChange(Long value) {
  if (value < 0) RaiseInvalidValue();
  if (value == small_change_) return;
  small_change_ = value;
  Notify(WidgetProperty::kRange);
}

void Slider::SetLargeChange(Long value) {
  if (value < 0) RaiseInvalidValue();
  if (value == large_change_) return;
  large_change_ = value;
  Notify(WidgetProperty::kRange);
}

void Slider::SetTickFrequency(Long value) {
  if (value < 0) RaiseInvalidValue();
  if (value == tick_frequency_) return;
  tick_frequency_ = value;
  Notify(WidgetProperty::kRange);
}

void Slider::SetValue(Long value) {
  if (value < std::min(min_, max_) || value > std::max(min_, max_)) {
    RaiseInvalidValue();
  }
  if (value == value_) return;
  value_ = value;
  Notify(WidgetProperty::kValue);
  if (on_change) on_change();
}

std::optional<std::string> Slider::Property(std::string_view name,
                                            std::optional<Long> arg) const {
  if (NameIs(name, "Value")) return LongToText(value_);
  if (NameIs(name, "Min")) return LongToText(min_);
  if (NameIs(name, "Max")) return LongToText(max_);
  if (NameIs(name, "SmallChange")) return LongToText(small_change_);
  if (NameIs(name, "LargeChange")) return LongToText(large_change_);
  if (NameIs(name, "TickFrequency")) return LongToText(tick_frequency_);
  return Widget::Property(name, arg);
}

std::string Slider::DumpDetails() const {
  return "Value=" + LongToText(value_) + " Range=" + LongToText(min_) + ".." +
         LongToText(max_);
}

// ---------------------------------------------------------------- TextWidget

void TextWidget::SetText(std::string value) {
  committed_text_ = value;
  if (value == text_) return;
  text_ = std::move(value);
  Long end = CharCount(text_);
  bool selection_moved = sel_start_ != end || sel_length_ != 0;
  sel_start_ = end;
  sel_length_ = 0;
  Notify(WidgetProperty::kText);
  if (selection_moved) Notify(WidgetProperty::kSelection);
  if (on_change) on_change();
}

void TextWidget::RevertText() {
  if (!Commits()) return;
  EditText(committed_text_, CharCount(committed_text_));
}

void TextWidget::EditText(std::string value, Long caret) {
  if (caret < 0) RaiseInvalidValue();
  const bool text_changed = value != text_;
  text_ = std::move(value);
  caret = std::min(caret, CharCount(text_));
  const bool selection_moved = caret != sel_start_ || sel_length_ != 0;
  sel_start_ = caret;
  sel_length_ = 0;
  if (text_changed) Notify(WidgetProperty::kText);
  if (selection_moved) Notify(WidgetProperty::kSelection);
  if (text_changed && on_change) on_change();
}

void TextWidget::SetSelection(Long start, Long length) {
  if (start < 0 || length < 0) RaiseInvalidValue();
  Long count = CharCount(text_);
  start = std::min(start, count);
  length = std::min(length, count - start);
  if (start == sel_start_ && length == sel_length_) return;
  sel_start_ = start;
  sel_length_ = length;
  Notify(WidgetProperty::kSelection);
}

std::string TextWidget::SelectedText() const {
  std::size_t begin = ByteOffset(text_, sel_start_);
  std::size_t end = ByteOffset(text_, sel_start_ + sel_length_);
  return text_.substr(begin, end - begin);
}

void TextWidget::SetSelectedText(std::string_view text) {
  std::size_t begin = ByteOffset(text_, sel_start_);
  std::size_t end = ByteOffset(text_, sel_start_ + sel_length_);
  std::string replaced = text_.substr(0, begin);
  replaced.append(text);
  replaced.append(text_, end, std::string::npos);
  Long caret = sel_start_ + CharCount(text);
  bool text_changed = replaced != text_;
  bool selection_moved = caret != sel_start_ || sel_length_ != 0;
  text_ = std::move(replaced);
  sel_start_ = caret;
  sel_length_ = 0;
  if (text_changed) Notify(WidgetProperty::kText);
  if (selection_moved) Notify(WidgetProperty::kSelection);
  if (text_changed && on_change) on_change();
}

std::optional<std::string> TextWidget::Property(std::string_view name,
                                                std::optional<Long> arg) const {
  if (NameIs(name, "Text")) return text_;
  if (NameIs(name, "SelStart")) return LongToText(sel_start_);
  if (NameIs(name, "SelLength")) return LongToText(sel_length_);
  if (NameIs(name, "SelText")) return SelectedText();
  return Widget::Property(name, arg);
}

std::string TextWidget::DumpDetails() const { return "Text=" + Quoted(text_); }

// ---------------------------------------------------------------- UpDownText

void UpDownText::SetMinValue(double value) {
  if (std::isnan(value)) RaiseInvalidValue();
  if (value == min_value_) return;
  min_value_ = value;
  Notify(WidgetProperty::kRange);
}

void UpDownText::SetMaxValue(double value) {
  if (std::isnan(value)) RaiseInvalidValue();
  if (value == max_value_) return;
  max_value_ = value;
  Notify(WidgetProperty::kRange);
}

void UpDownText::SetIncrement(double value) {
  if (!(value >= 0) || std::isinf(value)) RaiseInvalidValue();
  if (value == increment_) return;
  increment_ = value;
  Notify(WidgetProperty::kRange);
}

void UpDownText::SetMaxDecimalPlaces(Long value) {
  if (value < 0 || value > 15) RaiseInvalidValue();
  if (value == max_decimal_places_) return;
  max_decimal_places_ = value;
  Notify(WidgetProperty::kRange);
}

void UpDownText::SetDefaultValue(double value) {
  if (std::isnan(value)) RaiseInvalidValue();
  if (value == default_value_) return;
  default_value_ = value;
  Notify(WidgetProperty::kRange);
}

void UpDownText::SelectValueText() { SetSelection(0, CharCount(Text())); }

namespace {

// Rounds to `places` decimals, halves to even as every rounding here does.
double RoundToPlaces(double value, Long places) {
  double scale = std::pow(10.0, static_cast<double>(places));
  double scaled = value * scale;
  if (!std::isfinite(scaled)) return value;
  return std::nearbyint(scaled) / scale;
}

// Whether `text` (a number) carries more significant decimals than `places`.
bool HasMoreDecimals(std::string_view text, double value, Long places) {
  char separator = DecimalSeparator();
  std::size_t sep = text.find(separator);
  std::size_t exp = text.find_first_of("eEdD");
  if (exp != std::string_view::npos) {
    // Exponent forms: judge by the value itself.
    return RoundToPlaces(value, places) != value;
  }
  if (sep == std::string_view::npos) return false;
  std::size_t end = text.find_last_not_of(" \t");
  Long decimals = 0, counted = 0;
  for (std::size_t i = sep + 1; i <= end && i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') break;
    ++counted;
    if (text[i] != '0') decimals = counted;
  }
  return decimals > places;
}

}  // namespace

void UpDownText::CommitText() {
  std::optional<double> value;
  try {
    value = TextToDouble(Text());
  } catch (const Error&) {
    // Not a number: left as typed for the editor to report.
  }
  if (value) {
    double lo = std::min(min_value_, max_value_);
    double hi = std::max(min_value_, max_value_);
    double v = *value;
    bool rewrite = false;
    if (v < lo || v > hi) {
      v = std::clamp(v, lo, hi);
      rewrite = true;
    }
    if (rewrite || HasMoreDecimals(Text(), v, max_decimal_places_)) {
      SetText(DoubleText(RoundToPlaces(v, max_decimal_places_)));
    }
  }
  MarkCommitted();
  if (on_value_committed) on_value_committed();
}

void UpDownText::Step(int direction) {
  if (direction == 0) RaiseError(kErrInvalidProcedureCall);
  double value = default_value_;
  try {
    value = TextToDouble(Text());
  } catch (const Error&) {
    // Stepping from a text that is no number starts at the default value.
  }
  value += direction > 0 ? increment_ : -increment_;
  value = std::clamp(value, std::min(min_value_, max_value_),
                     std::max(min_value_, max_value_));
  SetText(DoubleText(RoundToPlaces(value, max_decimal_places_)));
  if (on_value_committed) on_value_committed();
}

std::optional<std::string> UpDownText::Property(std::string_view name,
                                                std::optional<Long> arg) const {
  if (NameIs(name, "MinValue")) return DoubleText(min_value_);
  if (NameIs(name, "MaxValue")) return DoubleText(max_value_);
  if (NameIs(name, "Increment")) return DoubleText(increment_);
  if (NameIs(name, "MaxDecimalPlaces")) return LongToText(max_decimal_places_);
  if (NameIs(name, "DefaultValue")) return DoubleText(default_value_);
  return TextWidget::Property(name, arg);
}

// ---------------------------------------------------------------- TextField

void TextField::CommitText() {
  MarkCommitted();
  if (on_value_committed) on_value_committed(Index());
}

// ---------------------------------------------------------------- ImageList

void ImageList::Add(std::string description) {
  images_.push_back(std::move(description));
  Notify(WidgetProperty::kPicture);
}

const std::string& ImageList::ListImage(Long index) const {
  if (index < 1 || index > Count()) RaiseError(kErrIndexOutOfBounds);
  return images_[static_cast<std::size_t>(index - 1)];
}

std::optional<std::string> ImageList::Property(std::string_view name,
                                               std::optional<Long> arg) const {
  if (NameIs(name, "Count")) return LongToText(Count());
  if (NameIs(name, "ListImage") || NameIs(name, "ListImages")) {
    return ListImage(NeedArg(name, arg));
  }
  return Widget::Property(name, arg);
}

std::string ImageList::DumpDetails() const {
  return "Count=" + LongToText(Count());
}

// ---------------------------------------------------------------- Form

void Form::SetIcon(std::string description) {
  if (icon_ == description) return;
  icon_ = std::move(description);
  Notify(WidgetProperty::kPicture);
}

std::optional<std::string> Form::Property(std::string_view name,
                                          std::optional<Long> arg) const {
  if (NameIs(name, "Icon")) return icon_;
  return Widget::Property(name, arg);
}

std::string Form::DumpDetails() const {
  return icon_.empty() ? std::string() : "Icon=" + Quoted(icon_);
}

}  // namespace morvel
