#include "widgets/widget.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/error.h"
#include "base/numbers.h"
#include "widgets/text_util.h"

namespace morvel {
namespace {

// Sizes a grid starts with and returns to when a size of -1 is set, as the
// control's defaults (twips).
constexpr Long kDefaultColWidth = 960;
constexpr Long kDefaultRowHeight = 240;
// Beyond this many cells the grid refuses to grow: the panel shows at most a
// few ten thousand rows, and a runaway count must not exhaust memory.
constexpr long long kMaxGridCells = 2'000'000;
// A grid keeps the memory of this many cells however far it shrinks.
constexpr std::size_t kMinCellsKept = 4096;
const std::string kNoPicture;

[[noreturn]] void RaiseInvalidValue() { RaiseError(kErrInvalidPropertyValue); }
[[noreturn]] void RaiseSubscript() { RaiseError(kErrSubscriptOutOfRange); }

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

std::string BoolText(bool value) { return value ? "True" : "False"; }

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

bool NameIs(std::string_view name, std::string_view wanted) {
  if (name.size() != wanted.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char a = name[i], b = wanted[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

// An indexed property (List(I), ColWidth(C)) needs its index; a plain one
// takes none.
Long NeedArg(std::string_view name, std::optional<Long> arg) {
  if (!arg) {
    RaiseError(450, "Wrong number of arguments: " + std::string(name) +
                        " needs an index");
  }
  return *arg;
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

// ---------------------------------------------------------------- FlexGrid

FlexGrid::FlexGrid(WidgetTree& tree, WidgetKind kind, std::string name,
                   int index, Widget* parent)
    : Widget(tree, kind, std::move(name), index, parent),
      cells_(static_cast<std::size_t>(rows_ * cols_)),
      pictures_{&kNoPicture},
      col_widths_(static_cast<std::size_t>(cols_), kDefaultColWidth),
      row_heights_(static_cast<std::size_t>(rows_), kDefaultRowHeight) {}

FlexGrid::Cell& FlexGrid::At(Long row, Long col) {
  return cells_[static_cast<std::size_t>(row) *
                    static_cast<std::size_t>(cols_) +
                static_cast<std::size_t>(col)];
}

const FlexGrid::Cell& FlexGrid::At(Long row, Long col) const {
  return cells_[static_cast<std::size_t>(row) *
                    static_cast<std::size_t>(cols_) +
                static_cast<std::size_t>(col)];
}

std::uint32_t FlexGrid::PictureId(std::string&& description) {
  if (description.empty()) return 0;
  auto [it, added] = picture_ids_.try_emplace(
      std::move(description), static_cast<std::uint32_t>(pictures_.size()));
  if (added) pictures_.push_back(&it->first);
  return it->second;
}

void FlexGrid::FitMemory() {
  // A quarter, so that a grid filled again to about its old size does not
  // give memory back and take it again each time.
  if (cells_.capacity() > kMinCellsKept &&
      cells_.size() < cells_.capacity() / 4) {
    cells_.shrink_to_fit();
  }
  if (row_heights_.capacity() > kMinCellsKept &&
      row_heights_.size() < row_heights_.capacity() / 4) {
    row_heights_.shrink_to_fit();
  }
}

void FlexGrid::CheckRow(Long row) const {
  if (row < 0 || row >= rows_) RaiseSubscript();
}

void FlexGrid::CheckCol(Long col) const {
  if (col < 0 || col >= cols_) RaiseSubscript();
}

FlexGrid::Cell& FlexGrid::Current() {
  CheckRow(row_);
  CheckCol(col_);
  return At(row_, col_);
}

const FlexGrid::Cell& FlexGrid::Current() const {
  CheckRow(row_);
  CheckCol(col_);
  return At(row_, col_);
}

void FlexGrid::NotifyCell(Long row, Long col) {
  changed_row_ = row;
  changed_col_ = col;
  Notify(WidgetProperty::kGrid);
}

void FlexGrid::NotifyStructure() {
  changed_row_ = -1;
  changed_col_ = -1;
  Notify(WidgetProperty::kGrid);
}

void FlexGrid::Resize(Long rows, Long cols) {
  if (rows < 0 || cols < 0) RaiseInvalidValue();
  if (static_cast<long long>(rows) * cols > kMaxGridCells) {
    RaiseError(kErrOutOfMemory);
  }
  if (rows == rows_ && cols == cols_) return;
  if (cols != cols_) {
    std::vector<Cell> moved(static_cast<std::size_t>(rows) *
                            static_cast<std::size_t>(cols));
    Long keep_rows = std::min(rows, rows_), keep_cols = std::min(cols, cols_);
    for (Long r = 0; r < keep_rows; ++r) {
      for (Long c = 0; c < keep_cols; ++c) {
        moved[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) +
              static_cast<std::size_t>(c)] = std::move(At(r, c));
      }
    }
    cells_ = std::move(moved);
    col_widths_.resize(static_cast<std::size_t>(cols), kDefaultColWidth);
  } else {
    cells_.resize(static_cast<std::size_t>(rows) *
                  static_cast<std::size_t>(cols));
  }
  row_heights_.resize(static_cast<std::size_t>(rows), kDefaultRowHeight);
  FitMemory();
  rows_ = rows;
  cols_ = cols;
  // The fixed part, the scroll position and the current cell stay inside
  // what is left.
  fixed_rows_ = std::min(fixed_rows_, rows_);
  fixed_cols_ = std::min(fixed_cols_, cols_);
  ClampScroll();
  Long row = std::clamp(row_, Long{0}, std::max(Long{0}, rows_ - 1));
  Long col = std::clamp(col_, Long{0}, std::max(Long{0}, cols_ - 1));
  NotifyStructure();
  if (row != row_ || col != col_) {
    row_ = row;
    col_ = col;
    Notify(WidgetProperty::kCurrentCell);
  }
}

void FlexGrid::SetRows(Long rows) { Resize(rows, cols_); }
void FlexGrid::SetCols(Long cols) { Resize(rows_, cols); }

void FlexGrid::SetFixedRows(Long value) {
  if (value < 0 || value > rows_) RaiseInvalidValue();
  if (value == fixed_rows_) return;
  fixed_rows_ = value;
  ClampScroll();
  NotifyStructure();
}

void FlexGrid::SetFixedCols(Long value) {
  if (value < 0 || value > cols_) RaiseInvalidValue();
  if (value == fixed_cols_) return;
  fixed_cols_ = value;
  ClampScroll();
  NotifyStructure();
}

void FlexGrid::SetRow(Long row) {
  if (row < 0 || row >= rows_) RaiseInvalidValue();
  if (row == row_) return;
  row_ = row;
  Notify(WidgetProperty::kCurrentCell);
}

void FlexGrid::SetCol(Long col) {
  if (col < 0 || col >= cols_) RaiseInvalidValue();
  if (col == col_) return;
  col_ = col;
  Notify(WidgetProperty::kCurrentCell);
}

void FlexGrid::ClampScroll() {
  scrolled_cols_ = std::clamp(scrolled_cols_, Long{0},
                              std::max(Long{0}, cols_ - fixed_cols_ - 1));
  scrolled_rows_ = std::clamp(scrolled_rows_, Long{0},
                              std::max(Long{0}, rows_ - fixed_rows_ - 1));
}

void FlexGrid::SetLeftCol(Long col) {
  if (col < fixed_cols_ || col >= cols_) RaiseInvalidValue();
  if (col == LeftCol()) return;
  scrolled_cols_ = col - fixed_cols_;
  Notify(WidgetProperty::kCurrentCell);
}

void FlexGrid::SetTopRow(Long row) {
  if (row < fixed_rows_ || row >= rows_) RaiseInvalidValue();
  if (row == TopRow()) return;
  scrolled_rows_ = row - fixed_rows_;
  Notify(WidgetProperty::kCurrentCell);
}

void FlexGrid::Clear() {
  bool scrolled = scrolled_cols_ != 0 || scrolled_rows_ != 0;
  scrolled_cols_ = scrolled_rows_ = 0;
  if (scrolled) Notify(WidgetProperty::kCurrentCell);
  bool changed = false;
  for (Cell& cell : cells_) {
    if (!cell.text.empty() || cell.picture != 0 || cell.back_color != 0 ||
        cell.alignment != 0) {
      cell = Cell{};
      changed = true;
    }
  }
  // No cell refers to a picture any more.
  picture_ids_.clear();
  pictures_.resize(1);
  if (changed) NotifyStructure();
}

const std::string& FlexGrid::Text() const { return Current().text; }

void FlexGrid::SetText(std::string value) {
  Cell& cell = Current();
  if (cell.text == value) return;
  cell.text = std::move(value);
  NotifyCell(row_, col_);
}

Colour FlexGrid::CellBackColor() const { return Current().back_color; }

void FlexGrid::SetCellBackColor(Colour value) {
  Cell& cell = Current();
  if (cell.back_color == value) return;
  cell.back_color = value;
  NotifyCell(row_, col_);
}

Integer FlexGrid::CellAlignment() const { return Current().alignment; }

void FlexGrid::SetCellAlignment(Integer value) {
  // The control's alignments: 0 left-top .. 8 right-bottom, 9 general.
  if (value < 0 || value > 9) RaiseInvalidValue();
  Cell& cell = Current();
  if (cell.alignment == value) return;
  cell.alignment = value;
  NotifyCell(row_, col_);
}

const std::string& FlexGrid::CellPicture() const {
  return PictureText(Current().picture);
}

void FlexGrid::SetCellPicture(std::string description) {
  Cell& cell = Current();
  std::uint32_t picture = PictureId(std::move(description));
  if (cell.picture == picture) return;
  cell.picture = picture;
  NotifyCell(row_, col_);
}

const std::string& FlexGrid::TextMatrix(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return At(row, col).text;
}

void FlexGrid::SetTextMatrix(Long row, Long col, std::string value) {
  CheckRow(row);
  CheckCol(col);
  Cell& cell = At(row, col);
  if (cell.text == value) return;
  cell.text = std::move(value);
  NotifyCell(row, col);
}

Colour FlexGrid::CellBackColorAt(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return At(row, col).back_color;
}

Integer FlexGrid::CellAlignmentAt(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return At(row, col).alignment;
}

const std::string& FlexGrid::CellPictureAt(Long row, Long col) const {
  CheckRow(row);
  CheckCol(col);
  return PictureText(At(row, col).picture);
}

Long FlexGrid::ColWidth(Long col) const {
  CheckCol(col);
  return col_widths_[static_cast<std::size_t>(col)];
}

void FlexGrid::SetColWidth(Long col, Long twips) {
  CheckCol(col);
  // -1 restores the default width, as the control allows.
  if (twips == -1) twips = kDefaultColWidth;
  if (twips < 0) RaiseInvalidValue();
  Long& width = col_widths_[static_cast<std::size_t>(col)];
  if (width == twips) return;
  width = twips;
  NotifyStructure();
}

Long FlexGrid::RowHeight(Long row) const {
  CheckRow(row);
  return row_heights_[static_cast<std::size_t>(row)];
}

void FlexGrid::SetRowHeight(Long row, Long twips) {
  CheckRow(row);
  if (twips == -1) twips = kDefaultRowHeight;
  if (twips < 0) RaiseInvalidValue();
  Long& height = row_heights_[static_cast<std::size_t>(row)];
  if (height == twips) return;
  height = twips;
  NotifyStructure();
}

namespace {

// The edge of column or row `index` along one axis: the fixed ones stay in
// place, the others move back by what is scrolled out of view (`first` is
// the first one in view).
Long ScrolledPos(const std::vector<Long>& sizes, Long fixed, Long first,
                 Long index) {
  long long pos = 0;
  for (Long i = 0; i < std::min(index, fixed); ++i)
    pos += sizes[static_cast<std::size_t>(i)];
  if (index >= fixed) {
    for (Long i = first; i < index; ++i)
      pos += sizes[static_cast<std::size_t>(i)];
    for (Long i = index; i < first; ++i)
      pos -= sizes[static_cast<std::size_t>(i)];
  }
  if (pos > std::numeric_limits<Long>::max() ||
      pos < std::numeric_limits<Long>::min()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<Long>(pos);
}

}  // namespace

Long FlexGrid::ColPos(Long col) const {
  CheckCol(col);
  return ScrolledPos(col_widths_, fixed_cols_, LeftCol(), col);
}

Long FlexGrid::RowPos(Long row) const {
  CheckRow(row);
  return ScrolledPos(row_heights_, fixed_rows_, TopRow(), row);
}

void FlexGrid::SetRedraw(bool value) {
  if (value == redraw_) return;
  redraw_ = value;
  Notify(WidgetProperty::kRedraw);
}

std::optional<std::string> FlexGrid::Property(std::string_view name,
                                              std::optional<Long> arg) const {
  if (NameIs(name, "Rows")) return LongToText(rows_);
  if (NameIs(name, "Cols")) return LongToText(cols_);
  if (NameIs(name, "FixedRows")) return LongToText(fixed_rows_);
  if (NameIs(name, "FixedCols")) return LongToText(fixed_cols_);
  if (NameIs(name, "Row")) return LongToText(row_);
  if (NameIs(name, "Col")) return LongToText(col_);
  if (NameIs(name, "Redraw")) return BoolText(redraw_);
  if (NameIs(name, "Text")) return Text();
  if (NameIs(name, "CellBackColor")) return LongToText(CellBackColor());
  if (NameIs(name, "CellAlignment")) return LongToText(CellAlignment());
  if (NameIs(name, "CellPicture")) return CellPicture();
  if (NameIs(name, "ColWidth")) return LongToText(ColWidth(NeedArg(name, arg)));
  if (NameIs(name, "RowHeight")) {
    return LongToText(RowHeight(NeedArg(name, arg)));
  }
  if (NameIs(name, "ColPos")) return LongToText(ColPos(NeedArg(name, arg)));
  if (NameIs(name, "RowPos")) return LongToText(RowPos(NeedArg(name, arg)));
  return Widget::Property(name, arg);
}

std::string FlexGrid::DumpDetails() const {
  std::string out = "Rows=" + LongToText(rows_) + " Cols=" + LongToText(cols_) +
                    " Row=" + LongToText(row_) + " Col=" + LongToText(col_);
  if (!redraw_) out += " Redraw=False";
  return out;
}

// ---------------------------------------------------------------- ImageList

void ImageList::Add(std::string description) {
  images_.push_back(std::move(description));
  Notify(WidgetProperty::kPicture);
}

const std::string& ImageList::ListImage(Long index) const {
  if (index < 1 || index > Count()) RaiseError(35600, "Index out of bounds");
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
