#include "imgui-demo/imgui_input_driver.h"

#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "imgui/view_internal.h"
#include "widgets/text_util.h"

namespace morvel::imgui_demo {

using imgui::Rect;
using imgui::WidgetView;

namespace {

constexpr Integer kKeyCopy = 67, kKeyCut = 88, kKeyPaste = 86;
// How far the driver scrolls a grid looking for a cell before it gives up
// and lets the model answer.
constexpr int kMaxScrollSteps = 4000;

bool InSliderRange(const Slider& slider, Long position) {
  return position >= std::min(slider.Min(), slider.Max()) &&
         position <= std::max(slider.Min(), slider.Max());
}

// ImWchar holds the characters a keyboard can send through ImGui; one past
// it (a character outside the basic plane with 16-bit ImWchar) has no key.
bool HasKey(std::uint32_t code_point) {
  return code_point >= 0x20 && code_point != 0x7F &&
         code_point <= static_cast<std::uint32_t>(
                           static_cast<ImWchar>(~ImWchar{0}));
}

}  // namespace

ImGuiInputDriver::ImGuiInputDriver(
    imgui::HeadlessScreen& screen, std::function<void()> frame,
    std::function<WidgetView*(const Widget&)> view_for)
    : screen_(screen), frame_(std::move(frame)), view_for_(std::move(view_for)) {}

WidgetView& ImGuiInputDriver::ViewOf(const Widget& widget) const {
  WidgetView* view = view_for_ ? view_for_(widget) : nullptr;
  if (!view) {
    RaiseError(kErrInvalidProcedureCall,
               widget.DisplayName() + " is not shown in any window");
  }
  return *view;
}

void ImGuiInputDriver::Frame() {
  frame_();
  ++frames_;
}

void ImGuiInputDriver::Drive(WidgetView& view,
                             const std::function<void()>& input) {
  std::optional<Error> caught;
  auto previous = view.on_error;
  view.on_error = [&caught](const Error& error) {
    if (!caught) caught = error;
  };
  try {
    // The layout of the frame before: where the person sees things now.
    Frame();
    input();
  } catch (...) {
    view.on_error = previous;
    throw;
  }
  view.on_error = previous;
  if (caught) throw *caught;
}

std::optional<ImVec2> ImGuiInputDriver::PointOn(
    const WidgetView& view, const Widget& widget,
    std::optional<Rect> area) const {
  const Rect* visible = view.VisibleRect(widget);
  if (!visible) return std::nullopt;
  Rect r = area ? visible->Intersect(*area) : *visible;
  if (r.Empty()) return std::nullopt;
  auto reaches = [&](ImVec2 p) {
    const auto& placed = view.PlacedWidgets();
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
      if (it->visible.Contains(p)) return it->widget == &widget;
    }
    return false;
  };
  // Whole pixels, as a mouse gives them: the centre first, then a grid.
  auto pixel = [](float x) { return std::floor(x); };
  ImVec2 centre(pixel(r.Centre().x), pixel(r.Centre().y));
  if (reaches(centre)) return centre;
  for (int i = 1; i < 8; ++i) {
    for (int j = 1; j < 8; ++j) {
      ImVec2 p(pixel(r.min.x + (r.max.x - r.min.x) * i / 8),
               pixel(r.min.y + (r.max.y - r.min.y) * j / 8));
      if (r.Contains(p) && reaches(p)) return p;
    }
  }
  return std::nullopt;
}

void ImGuiInputDriver::ByModel(const std::function<void()>& action) {
  ++counts_.model;
  action();
}

void ImGuiInputDriver::ClickAt(ImVec2 at) {
  ++counts_.screen;
  screen_.MoveMouse(at);
  Frame();
  screen_.MouseButton(true);
  Frame();
  screen_.MouseButton(false);
  Frame();
}

void ImGuiInputDriver::PressKey(imgui::Key key, bool ctrl) {
  ++counts_.screen;
  if (ctrl) screen_.Ctrl(true);
  screen_.KeyDown(key, true);
  Frame();
  screen_.KeyDown(key, false);
  if (ctrl) screen_.Ctrl(false);
  Frame();
}

void ImGuiInputDriver::FocusForKeys(WidgetView& view, TextWidget& field) {
  // Typing into a field that has not the focus: the field takes it as it
  // would from the host (no click, which would activate an up-down field).
  if (field.Tree().Focused() != &field) UserInput::Focus(field);
  view.TakeKeyboard();
  Frame();
}

void ImGuiInputDriver::Click(Widget& widget) {
  WidgetView& view = ViewOf(widget);
  Drive(view, [&] {
    bool clickable = widget.Kind() == WidgetKind::kButton ||
                     widget.Kind() == WidgetKind::kPictureBox ||
                     widget.Kind() == WidgetKind::kCheckBox;
    std::optional<ImVec2> at = PointOn(view, widget);
    // Let the model say why a person could not click it.
    if (!widget.IsUsable() || !clickable || !at) return ByModel([&] { UserInput::Click(widget); });
    ClickAt(*at);
  });
}

void ImGuiInputDriver::MoveSlider(Slider& slider, Long position) {
  WidgetView& view = ViewOf(slider);
  Drive(view, [&] {
    const WidgetView::Placed* placed = view.Find(slider);
    std::optional<ImVec2> at;
    if (placed && slider.IsUsable() && InSliderRange(slider, position)) {
      // The pixel that means that position, if the slider has one: a
      // slider narrower than its range skips some values, which a person
      // reaches with the keys and the driver through the model.
      float x = imgui::internal::SliderX(slider, placed->full, position);
      for (float dx : {0.0f, 1.0f, -1.0f, 2.0f, -2.0f}) {
        float px = std::floor(x) + dx;
        if (imgui::internal::SliderValueAt(slider, placed->full, px) ==
            position) {
          Rect column{ImVec2(px, placed->visible.min.y),
                      ImVec2(px + 1, placed->visible.max.y)};
          at = PointOn(view, slider, column);
          if (at) break;
        }
      }
    }
    if (!at) return ByModel([&] { UserInput::MoveSlider(slider, position); });
    ClickAt(*at);
  });
}

void ImGuiInputDriver::Pick(ComboBox& combo, Long index) {
  WidgetView& view = ViewOf(combo);
  Drive(view, [&] {
    std::optional<ImVec2> at = PointOn(view, combo);
    if (!at || !combo.IsUsable() || index < 0 || index >= combo.ListCount())
      return ByModel([&] { UserInput::Pick(combo, index); });
    // Open the list, then click the entry: what a person does.
    ClickAt(*at);
    Frame();  // a new popup is measured in its first frame, shown in the next
    const auto& entries = view.OpenListEntries();
    if (view.OpenList() != &combo ||
        static_cast<std::size_t>(index) >= entries.size()) {
      return ByModel([&] { UserInput::Pick(combo, index); });
    }
    ClickAt(ImVec2(std::floor(entries[index].Centre().x),
                   std::floor(entries[index].Centre().y)));
  });
}

void ImGuiInputDriver::Check(CheckBox& box, Integer value) {
  // A click reaches 1 from 0 or 2 and 0 from 1; anything else (checking a
  // checked box, clearing a grey one) is not one click: the model does it.
  bool one_click = box.IsUsable() && (value == 0 || value == 1) &&
                   box.Value() != value && !(box.Value() == 2 && value == 0);
  if (one_click) return Click(box);
  WidgetView& view = ViewOf(box);
  Drive(view, [&] { ByModel([&] { UserInput::Check(box, value); }); });
}

void ImGuiInputDriver::Type(TextWidget& field, std::string_view text) {
  WidgetView& view = ViewOf(field);
  Drive(view, [&] {
    if (!field.IsUsable() || !view.Find(field))
      return ByModel([&] { UserInput::Type(field, text); });
    FocusForKeys(view, field);
    scenario::TypeKeys(field, text, [&](std::uint32_t code_point,
                                        std::string_view key) {
      if (code_point == 8) {
        PressKey(imgui::Key::kBackspace);
      } else if (code_point == 27) {
        PressKey(imgui::Key::kEscape);
      } else if (HasKey(code_point)) {
        ++counts_.screen;
        screen_.Char(code_point);
        Frame();
      } else {
        // A control character has no key of its own on a keyboard.
        ByModel([&] { UserInput::Type(field, key); });
      }
    });
  });
}

void ImGuiInputDriver::Commit(TextWidget& field,
                              std::optional<std::string> text) {
  WidgetView& view = ViewOf(field);
  Drive(view, [&] {
    if (!field.IsUsable() || !view.Find(field))
      return ByModel([&] { UserInput::Commit(field, std::move(text)); });
    FocusForKeys(view, field);
    if (text) {
      // The whole text replaced at once, as a paste over a selection does
      // (no key filter sees a paste).
      UserInput::Edit(field, *text, CharCount(*text));
    }
    if (field.Kind() == WidgetKind::kTextBox) {
      // A plain text box has no Enter of its own: its edit ends when the
      // focus leaves it.
      return ByModel([&] { UserInput::Commit(field, std::nullopt); });
    }
    PressKey(imgui::Key::kEnter);
  });
}

void ImGuiInputDriver::Activate(UpDownText& field) {
  WidgetView& view = ViewOf(field);
  Drive(view, [&] {
    const WidgetView::Placed* placed = view.Find(field);
    std::optional<ImVec2> at;
    if (placed)
      at = PointOn(view, field, imgui::internal::UpDownTextBox(placed->full));
    if (!field.IsUsable() || !at || field.Tree().Focused() == &field)
      return ByModel([&] { UserInput::Activate(field); });
    // Clicking into the field activates it.
    ClickAt(*at);
  });
}

void ImGuiInputDriver::SelectText(TextWidget& field, Long start, Long length) {
  WidgetView& view = ViewOf(field);
  Drive(view, [&] {
    // Only what a person can reach: the focus goes there first, or the
    // model refuses.
    FocusForKeys(view, field);
    if (start < 0 || length < 0) RaiseError(kErrInvalidPropertyValue);
    Long count = CharCount(field.Text());
    Long from = std::min(start, count);
    Long to = static_cast<Long>(
        std::min<long long>(static_cast<long long>(start) + length, count));
    std::optional<ImVec2> a = view.TextPoint(field, from);
    std::optional<ImVec2> b = view.TextPoint(field, to);
    if (!a || !b) return ByModel([&] { field.SetSelection(start, length); });
    // A drag over the text, from `start` for `length` characters.
    ++counts_.screen;
    screen_.MoveMouse(ImVec2(std::floor(a->x), std::floor(a->y)));
    Frame();
    screen_.MouseButton(true);
    Frame();
    screen_.MoveMouse(ImVec2(std::floor(b->x), std::floor(b->y)));
    Frame();
    screen_.MouseButton(false);
    Frame();
  });
}

void ImGuiInputDriver::Step(UpDownText& field, int direction) {
  WidgetView& view = ViewOf(field);
  Drive(view, [&] {
    std::optional<Rect> button;
    if (direction != 0) button = view.StepButton(field, direction);
    std::optional<ImVec2> at;
    if (button) at = PointOn(view, field, *button);
    if (!field.IsUsable() || !at) return ByModel([&] { UserInput::Step(field, direction); });
    ClickAt(*at);
  });
}

void ImGuiInputDriver::Focus(Widget& widget) {
  WidgetView& view = ViewOf(widget);
  Drive(view, [&] {
    // The focus given as the host or the keyboard gives it: no click,
    // which would activate an up-down field.
    ByModel([&] { UserInput::Focus(widget); });
    view.TakeKeyboard();
    Frame();
  });
}

void ImGuiInputDriver::Blur(Widget& widget) {
  WidgetView& view = ViewOf(widget);
  // The focus goes elsewhere, as when the host takes it: not a click on
  // the panel, which would commit what was typed.
  Drive(view, [&] { ByModel([&] { UserInput::Blur(widget); }); });
}

void ImGuiInputDriver::ClickCell(FlexGrid& grid, Long row, Long col) {
  WidgetView& view = ViewOf(grid);
  Drive(view, [&] {
    bool person = grid.IsUsable() && view.Find(grid) &&
                  row >= grid.FixedRows() && row < grid.Rows() &&
                  col >= grid.FixedCols() && col < grid.Cols();
    if (!person) return ByModel([&] { UserInput::ClickCell(grid, row, col); });
    // A cell out of view is scrolled to first, with the wheel over the
    // grid, as a person would; one partly in view is clicked where it
    // shows.
    std::optional<ImVec2> over = PointOn(view, grid);
    for (int step = 0; over && step < kMaxScrollSteps &&
                       !view.CellRect(grid, row, col);
         ++step) {
      const WidgetView::GridLayout& layout = view.Grids().at(&grid);
      bool row_shown = std::any_of(layout.rows.begin(), layout.rows.end(),
                                   [&](const auto& r) { return r.first == row; });
      bool col_shown = std::any_of(layout.cols.begin(), layout.cols.end(),
                                   [&](const auto& c) { return c.first == col; });
      float down = row_shown ? 0.0f : (row < grid.TopRow() ? 1.0f : -1.0f);
      float sideways = col_shown ? 0.0f : (col < grid.LeftCol() ? 1.0f : -1.0f);
      Long top = grid.TopRow(), left = grid.LeftCol();
      ++counts_.screen;
      screen_.MoveMouse(*over);
      screen_.Wheel(down, sideways);
      Frame();
      Frame();
      if (grid.TopRow() == top && grid.LeftCol() == left) break;  // stuck
    }
    std::optional<Rect> cell = view.CellRect(grid, row, col);
    std::optional<ImVec2> at;
    if (cell) at = PointOn(view, grid, *cell);
    if (!at) return ByModel([&] { UserInput::ClickCell(grid, row, col); });
    ClickAt(*at);
  });
}

void ImGuiInputDriver::Key(Properties& panel, Integer key_code) {
  WidgetView& view = ViewOf(*panel.Widgets().Root());
  Drive(view, [&] {
    auto* field = dynamic_cast<TextWidget*>(panel.Widgets().Focused());
    bool clipboard_key =
        key_code == kKeyCopy || key_code == kKeyCut || key_code == kKeyPaste;
    if (!clipboard_key || !field || !field->IsUsable() || !view.Find(*field)) {
      // The container's key-down notification: the window hands the key to
      // the panel whichever of its widgets has the focus.
      return ByModel([&] { panel.KeyDown(key_code, 0); });
    }
    view.TakeKeyboard();
    Frame();
    PressKey(key_code == kKeyCopy  ? imgui::Key::kC
             : key_code == kKeyCut ? imgui::Key::kX
                                   : imgui::Key::kV,
             true);
  });
}

}  // namespace morvel::imgui_demo
