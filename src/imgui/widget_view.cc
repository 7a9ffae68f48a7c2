#include "imgui/widget_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "imgui/imgui_input.h"
#include "imgui/view_internal.h"

namespace morvel::imgui {

using internal::Placed;

namespace {

// How long the mouse rests on a widget before its tool tip shows.
constexpr float kToolTipDelay = 0.6f;
constexpr const char kListPopup[] = "##morvel-list";

}  // namespace

Rect Rect::Intersect(const Rect& other) const {
  return {ImVec2(std::max(min.x, other.min.x), std::max(min.y, other.min.y)),
          ImVec2(std::min(max.x, other.max.x), std::min(max.y, other.max.y))};
}

WidgetView::WidgetView(WidgetTree& tree, Widget& root,
                       const ScreenMetrics& metrics, PictureCache& pictures)
    : tree_(tree), root_(root), metrics_(metrics), pictures_(pictures) {
  tree_.AddObserver(this);
}

WidgetView::~WidgetView() {
  *alive_ = false;
  tree_.RemoveObserver(this);
}

float WidgetView::ToPixelsX(Long twips) const {
  Long per = std::max<Long>(1, metrics_.TwipsPerPixelX());
  return std::floor(static_cast<float>(twips) / static_cast<float>(per) + 0.5f);
}

float WidgetView::ToPixelsY(Long twips) const {
  Long per = std::max<Long>(1, metrics_.TwipsPerPixelY());
  return std::floor(static_cast<float>(twips) / static_cast<float>(per) + 0.5f);
}

const WidgetView::Placed* WidgetView::Find(const Widget& widget) const {
  for (const Placed& p : placed_) {
    if (p.widget == &widget) return &p;
  }
  return nullptr;
}

const Rect* WidgetView::VisibleRect(const Widget& widget) const {
  const Placed* p = Find(widget);
  return p ? &p->visible : nullptr;
}

std::optional<Rect> WidgetView::StepButton(const UpDownText& field,
                                           int direction) const {
  const Placed* p = Find(field);
  if (!p) return std::nullopt;
  Rect button = internal::StepButtonRect(p->full, direction).Intersect(
      p->visible);
  if (button.Empty()) return std::nullopt;
  return button;
}

std::optional<ImVec2> WidgetView::TextPoint(const TextWidget& field,
                                            Long index) const {
  const Placed* p = Find(field);
  if (!p) return std::nullopt;
  Rect box = internal::TextBoxOf(field, p->full);
  float x = internal::TextX(*this, field, box, index);
  if (x < p->visible.min.x || x > p->visible.max.x) return std::nullopt;
  return ImVec2(x, box.Centre().y);
}

void WidgetView::Report(const Error& error) {
  if (on_error) {
    on_error(error);
  } else {
    std::fprintf(stderr, "%s\n", error.ToString().c_str());
  }
}

void WidgetView::Act(std::function<void()> action) {
  pending_.push_back(std::move(action));
}

void WidgetView::RunPending() {
  if (running_) return;
  running_ = true;
  std::shared_ptr<bool> alive = alive_;
  // What the frame queued runs in order; input queued meanwhile (there is
  // none: a modal's frames take no input here) waits for the next round.
  std::vector<std::function<void()>> batch;
  batch.swap(pending_);
  for (std::function<void()>& action : batch) {
    try {
      action();
    } catch (const Error& error) {
      Report(error);
    }
    if (!*alive) return;  // a handler destroyed the view
    if (after_input) after_input();
    if (!*alive) return;
  }
  running_ = false;
}

TextWidget* WidgetView::EditingField() const {
  if (!text_.field || tree_.Focused() != text_.field) return nullptr;
  return const_cast<TextWidget*>(text_.field);
}

void WidgetView::OnWidgetChanged(Widget& widget, WidgetProperty property) {
  if (property == WidgetProperty::kFocus) {
    Widget* focused = tree_.Focused();
    if (focused == &widget) want_keyboard_ = true;
    // The edit state follows the focused text widget; a field that lost the
    // focus starts afresh next time.
    auto* text = focused ? dynamic_cast<TextWidget*>(focused) : nullptr;
    if (text != text_.field) {
      text_ = TextState{};
      text_.field = text;
      if (text) text_.anchor = text->SelStart();
    }
    return;
  }
  if (&widget != text_.field) return;
  // The panel's code moved the selection: the anchor goes with it.
  if (property == WidgetProperty::kSelection && !text_.typing)
    text_.anchor = text_.field->SelStart();
}

void WidgetView::Paint(Widget& widget, ImVec2 parent_origin, const Rect& clip,
                       bool usable) {
  if (!widget.Visible() || widget.Kind() == WidgetKind::kImageList) return;
  Rect full;
  if (&widget == &root_) {
    full.min = parent_origin;
  } else {
    full.min = ImVec2(parent_origin.x + ToPixelsX(widget.Left()),
                      parent_origin.y + ToPixelsY(widget.Top()));
  }
  full.max = ImVec2(full.min.x + ToPixelsX(widget.Width()),
                    full.min.y + ToPixelsY(widget.Height()));
  if (&widget == &root_) full.max = clip.max;
  Rect visible = full.Intersect(clip);
  // Children are cut to their frame: a frame out of view (parked at Left
  // -50000) takes everything in it along.
  if (visible.Empty()) return;
  usable = usable && widget.Enabled();
  placed_.push_back({&widget, full, visible, usable});
  ImDrawList& draw = *ImGui::GetWindowDrawList();
  draw.PushClipRect(visible.min, visible.max);
  internal::PaintWidget(*this, placed_.back(), draw);
  draw.PopClipRect();
  for (Widget* child : widget.Children()) Paint(*child, full.min, visible, usable);
}

void WidgetView::Draw(ImVec2 size, bool interactive) {
  ImGui::PushID(this);
  ImVec2 origin = ImGui::GetCursorScreenPos();
  size.x = std::max(size.x, 1.0f);
  size.y = std::max(size.y, 1.0f);
  placed_.clear();
  grids_.clear();
  Rect clip{origin, ImVec2(origin.x + size.x, origin.y + size.y)};
  clip = clip.Intersect(
      {ImGui::GetWindowDrawList()->GetClipRectMin(),
       ImGui::GetWindowDrawList()->GetClipRectMax()});
  if (!clip.Empty()) Paint(root_, origin, clip, true);

  // One item over the whole surface takes the mouse for the panel, so the
  // host's window is not dragged by a press on it; which widget the press
  // is for is the panel's own business.
  ImGui::SetCursorScreenPos(origin);
  ImGui::InvisibleButton("##morvel-surface", size);
  bool hovered = ImGui::IsItemHovered();
  bool pressed = ImGui::IsItemActivated();
  bool held = ImGui::IsItemActive();
  bool released = ImGui::IsItemDeactivated();

  if (!interactive) {
    press_ = Press{};
    open_list_ = nullptr;
    ImGui::PopID();
    return;
  }
  if (want_keyboard_) {
    ImGui::SetWindowFocus();
    want_keyboard_ = false;
  }
  has_keyboard_ = ImGui::IsWindowFocused();
  HandleMouse(hovered, pressed, released, held);
  HandleKeys();
  DrawOpenList();
  ShowToolTip();
  ImGui::PopID();
}

void WidgetView::HandleMouse(bool surface_hovered, bool pressed, bool released,
                             bool held) {
  ImGuiIO& io = ImGui::GetIO();
  ImVec2 mouse = io.MousePos;
  // The widget under the mouse: the last one painted there (later widgets
  // stand in front of earlier ones, children in front of their frame).
  const Placed* target = nullptr;
  if (surface_hovered || held || released) {
    for (auto it = placed_.rbegin(); it != placed_.rend(); ++it) {
      if (it->visible.Contains(mouse)) {
        target = &*it;
        break;
      }
    }
  }
  const Widget* now = surface_hovered && target ? target->widget : nullptr;
  if (now != hovered_) {
    hovered_ = now;
    hover_time_ = 0;
  } else {
    hover_time_ += io.DeltaTime;
  }

  // A press anywhere else (another window of the host) ends an edit in
  // progress, as a click outside the panel takes the focus from it.
  if (ImGui::IsMouseClicked(0) && !surface_hovered && !open_list_) {
    if (TextWidget* editing = EditingField()) internal::LeaveText(*this, *editing);
  }

  if (pressed) HandlePress(target, mouse);
  if (held && !pressed && press_.widget) HandleDrag(mouse);
  if (released) HandleRelease(surface_hovered ? target : nullptr, mouse);

  // The wheel scrolls the grid under the mouse; the horizontal wheel (or
  // Shift with the wheel) scrolls it sideways.
  float down = io.MouseWheel, sideways = io.MouseWheelH;
  if (io.KeyShift && sideways == 0) std::swap(down, sideways);
  if (surface_hovered && (down != 0 || sideways != 0) && target) {
    for (Widget* w = target->widget; w; w = w->Parent()) {
      if (auto* grid = dynamic_cast<FlexGrid*>(w)) {
        const Placed* p = Find(*grid);
        if (p && p->usable) internal::ScrollGrid(*this, *grid, down, sideways);
        break;
      }
    }
  }
}

void WidgetView::HandlePress(const Placed* target, ImVec2 mouse) {
  press_ = Press{};
  // A disabled widget takes no press, and nothing behind it does either.
  if (!target || !target->usable) return;
  Widget* w = target->widget;
  // A press on the panel's surface (a frame, a label) takes the focus from
  // the field that had it. A widget that takes the focus takes it itself
  // when it acts (the model commits the field's edit first, and a failing
  // commit stops the action); a picture box takes none.
  bool surface = w->Kind() == WidgetKind::kFrame ||
                 w->Kind() == WidgetKind::kForm ||
                 w->Kind() == WidgetKind::kLabel;
  TextWidget* editing = EditingField();
  if (editing && surface) internal::LeaveText(*this, *editing);

  press_.widget = w;
  press_.at = mouse;
  const Rect full = target->full;
  switch (w->Kind()) {
    case WidgetKind::kPictureBox:
      // A picture box answers the press itself.
      Act([w] {
        if (w->IsUsable()) UserInput::Click(*w);
      });
      press_ = Press{};
      return;
    case WidgetKind::kSlider: {
      auto* slider = static_cast<Slider*>(w);
      Long value = internal::SliderValueAt(*slider, full, mouse.x);
      Act([slider, value] {
        if (slider->IsUsable()) UserInput::MoveSlider(*slider, value);
      });
      return;
    }
    case WidgetKind::kComboBox:
      if (open_list_ == w) {
        open_list_ = nullptr;
      } else {
        open_list_ = static_cast<ComboBox*>(w);
        list_just_opened_ = true;
      }
      press_ = Press{};
      return;
    case WidgetKind::kUpDownText:
      for (int direction : {1, -1}) {
        if (internal::StepButtonRect(full, direction).Contains(mouse)) {
          press_.part = direction > 0 ? Press::Part::kStepUp
                                      : Press::Part::kStepDown;
          return;
        }
      }
      [[fallthrough]];
    case WidgetKind::kTextField:
    case WidgetKind::kTextBox: {
      auto* field = static_cast<TextWidget*>(w);
      internal::PressText(*this, *field, internal::TextBoxOf(*field, full),
                          mouse);
      return;
    }
    case WidgetKind::kFlexGrid: {
      auto* grid = static_cast<FlexGrid*>(w);
      Press part = internal::GridPartAt(*this, *grid, mouse);
      press_.part = part.part;
      press_.row = part.row;
      press_.col = part.col;
      press_.scroll_at_press = part.scroll_at_press;
      if (part.part == Press::Part::kVerticalBar ||
          part.part == Press::Part::kHorizontalBar) {
        internal::PageGrid(*this, *grid, press_);
      }
      return;
    }
    default:
      return;
  }
}

void WidgetView::HandleDrag(ImVec2 mouse) {
  Widget* w = press_.widget;
  const Placed* p = Find(*w);
  if (!p || !p->usable) return;
  switch (w->Kind()) {
    case WidgetKind::kSlider: {
      auto* slider = static_cast<Slider*>(w);
      Long value = internal::SliderValueAt(*slider, p->full, mouse.x);
      if (value != slider->Value()) {
        Act([slider, value] {
          if (slider->IsUsable()) UserInput::MoveSlider(*slider, value);
        });
      }
      return;
    }
    case WidgetKind::kUpDownText:
    case WidgetKind::kTextField:
    case WidgetKind::kTextBox:
      if (press_.part == Press::Part::kBody) {
        auto* field = static_cast<TextWidget*>(w);
        internal::DragText(*this, *field, internal::TextBoxOf(*field, p->full),
                           mouse);
      }
      return;
    case WidgetKind::kFlexGrid:
      if (press_.part == Press::Part::kVerticalBar ||
          press_.part == Press::Part::kHorizontalBar) {
        internal::DragGridBar(*this, *static_cast<FlexGrid*>(w), mouse);
      }
      return;
    default:
      return;
  }
}

void WidgetView::HandleRelease(const Placed* target, ImVec2 mouse) {
  Press press = press_;
  press_ = Press{};
  // A click is a press and a release on the same widget (and part).
  if (!press.widget || !target || target->widget != press.widget ||
      !target->usable)
    return;
  Widget* w = press.widget;
  switch (w->Kind()) {
    case WidgetKind::kButton:
    case WidgetKind::kCheckBox:
      Act([w] {
        if (w->IsUsable()) UserInput::Click(*w);
      });
      return;
    case WidgetKind::kUpDownText: {
      int direction = press.part == Press::Part::kStepUp     ? 1
                      : press.part == Press::Part::kStepDown ? -1
                                                             : 0;
      if (direction != 0 &&
          internal::StepButtonRect(target->full, direction).Contains(mouse)) {
        auto* field = static_cast<UpDownText*>(w);
        Act([field, direction] {
          if (field->IsUsable()) UserInput::Step(*field, direction);
        });
      }
      return;
    }
    case WidgetKind::kFlexGrid: {
      if (press.part != Press::Part::kCell) return;
      auto* grid = static_cast<FlexGrid*>(w);
      Press now = internal::GridPartAt(*this, *grid, mouse);
      // The fixed rows and columns are headers: nothing to click there.
      if (now.part != Press::Part::kCell || now.row != press.row ||
          now.col != press.col || now.row < grid->FixedRows() ||
          now.col < grid->FixedCols())
        return;
      Long row = now.row, col = now.col;
      Act([grid, row, col] {
        if (grid->IsUsable() && row < grid->Rows() && col < grid->Cols())
          UserInput::ClickCell(*grid, row, col);
      });
      return;
    }
    default:
      return;
  }
}

void WidgetView::HandleKeys() {
  if (!has_keyboard_) return;
  Widget* focused = tree_.Focused();
  if (!focused || !focused->IsUsable()) return;
  if (auto* field = dynamic_cast<TextWidget*>(focused)) {
    internal::TextKeys(*this, *field);
    return;
  }
  if (auto* slider = dynamic_cast<Slider*>(focused)) {
    long long by = 0;
    bool home = Pressed(Key::kHome), end = Pressed(Key::kEnd);
    if (Pressed(Key::kLeft) || Pressed(Key::kDown)) by -= slider->SmallChange();
    if (Pressed(Key::kRight) || Pressed(Key::kUp)) by += slider->SmallChange();
    if (Pressed(Key::kPageDown)) by -= slider->LargeChange();
    if (Pressed(Key::kPageUp)) by += slider->LargeChange();
    if (by == 0 && !home && !end) return;
    Act([slider, by, home, end] {
      Long lo = std::min(slider->Min(), slider->Max());
      Long hi = std::max(slider->Min(), slider->Max());
      long long value = home ? lo : end ? hi : slider->Value() + by;
      auto to = static_cast<Long>(std::clamp<long long>(value, lo, hi));
      if (to != slider->Value() && slider->IsUsable())
        UserInput::MoveSlider(*slider, to);
    });
    return;
  }
  if (auto* combo = dynamic_cast<ComboBox*>(focused)) {
    int by = (Pressed(Key::kDown) ? 1 : 0) - (Pressed(Key::kUp) ? 1 : 0);
    if (by == 0) return;
    Act([combo, by] {
      Long index = combo->ListIndex() + by;
      if (index >= 0 && index < combo->ListCount() && combo->IsUsable())
        UserInput::Pick(*combo, index);
    });
  }
}

void WidgetView::DrawOpenList() {
  list_entries_.clear();
  if (!open_list_) return;
  const Placed* p = Find(*open_list_);
  if (!p || !p->usable) {
    open_list_ = nullptr;
    return;
  }
  if (list_just_opened_) {
    ImGui::OpenPopup(kListPopup);
    list_just_opened_ = false;
  }
  ImGui::SetNextWindowPos(ImVec2(p->full.min.x, p->full.max.y));
  ImGui::SetNextWindowSizeConstraints(
      ImVec2(p->full.max.x - p->full.min.x, 0), ImVec2(FLT_MAX, FLT_MAX));
  if (!ImGui::BeginPopup(kListPopup)) {
    open_list_ = nullptr;  // closed by a press elsewhere
    return;
  }
  ComboBox& combo = *open_list_;
  std::optional<Long> picked;
  for (Long i = 0; i < combo.ListCount(); ++i) {
    ImGui::PushID(static_cast<int>(i));
    if (ImGui::Selectable(combo.List(i).c_str(), i == combo.ListIndex()))
      picked = i;
    list_entries_.push_back({ImGui::GetItemRectMin(), ImGui::GetItemRectMax()});
    ImGui::PopID();
  }
  ImGui::EndPopup();
  // A picked entry closes the list by itself.
  if (picked) {
    open_list_ = nullptr;
    ComboBox* list = &combo;
    Long index = *picked;
    Act([list, index] {
      if (list->IsUsable() && index < list->ListCount())
        UserInput::Pick(*list, index);
    });
  }
}

void WidgetView::ShowToolTip() {
  if (!hovered_ || hover_time_ < kToolTipDelay || press_.widget || open_list_)
    return;
  const std::string& tip = hovered_->ToolTip();
  if (!tip.empty()) ImGui::SetTooltip("%s", tip.c_str());
}

}  // namespace morvel::imgui
