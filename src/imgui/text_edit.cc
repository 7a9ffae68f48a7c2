#include <algorithm>
#include <limits>

#include "imgui/imgui_input.h"
#include "imgui/view_internal.h"
#include "widgets/text_util.h"

// Text widgets: typed characters go key by key through the model (and its
// key filter), as they would from any keyboard; the caret, the selection and
// the deletions that are no typing are set on the model directly, as a text
// box's own editing would.
namespace morvel::imgui::internal {
namespace {

constexpr float kPadding = 3.0f;
constexpr Integer kKeyCopy = 67, kKeyCut = 88, kKeyPaste = 86, kControl = 2;

// While the view moves the caret or edits the text itself, the model's
// notifications are its own doing, not the panel's code.
class Typing {
 public:
  explicit Typing(WidgetView& view) : state_(view.Text()) {
    state_.typing = true;
  }
  ~Typing() { state_.typing = false; }

 private:
  WidgetView::TextState& state_;
};

float Width(std::string_view text) {
  return ImGui::GetFont()
      ->CalcTextSizeA(ImGui::GetFontSize(), std::numeric_limits<float>::max(),
                      0, text.data(), text.data() + text.size())
      .x;
}

float Scroll(const WidgetView& view, const TextWidget& field) {
  return view.Text().field == &field ? view.Text().scroll : 0.0f;
}

void Select(WidgetView& view, TextWidget& field, Long anchor, Long caret) {
  Typing typing(view);
  view.Text().anchor = anchor;
  Long start = std::min(anchor, caret);
  field.SetSelection(start, std::max(anchor, caret) - start);
}

// Where the caret is: the end of the selection away from its anchor.
Long Caret(const WidgetView& view, const TextWidget& field) {
  Long start = field.SelStart(), end = field.SelStart() + field.SelLength();
  return view.Text().anchor == end ? start : end;
}

void TypeInto(WidgetView& view, TextWidget& field, std::string keys) {
  view.Act([&field, keys = std::move(keys)] {
    // A handler may disable or hide the field while the person types; the
    // remaining keys then reach nothing.
    if (field.IsUsable()) UserInput::Type(field, keys);
  });
}

void Commit(WidgetView& view, TextWidget& field) {
  view.Act([&field] {
    if (field.IsUsable()) UserInput::Commit(field, std::nullopt);
  });
}

// A person's edit that is no typed key (a deletion, a paste): the new text
// through the model, which then commits it when the field is left.
void ReplaceSelection(WidgetView& view, TextWidget& field,
                      const std::string& with) {
  const std::string& text = field.Text();
  std::size_t from = ByteOffset(text, field.SelStart());
  std::size_t to = ByteOffset(text, field.SelStart() + field.SelLength());
  std::string edited = text.substr(0, from) + with + text.substr(to);
  Typing typing(view);
  UserInput::Edit(field, std::move(edited),
                  field.SelStart() + CharCount(with));
}

// Copy, cut and paste: the panel's key-down when it listens, else the
// field's own.
void ClipboardKey(WidgetView& view, TextWidget& field, Integer code) {
  view.Act([&view, &field, code] {
    if (view.on_key_down) {
      view.on_key_down(code, kControl);
      return;
    }
    if (!view.clipboard) return;
    if (code != kKeyPaste) view.clipboard->SetText(field.SelectedText());
    if (code != kKeyCopy) {
      ReplaceSelection(view, field,
                       code == kKeyPaste ? view.clipboard->GetText() : "");
    }
  });
}

enum class Move { kLeft, kRight, kHome, kEnd, kAll };

void MoveCaret(WidgetView& view, TextWidget& field, Move move) {
  bool extend = ShiftHeld();
  view.Act([&view, &field, move, extend] {
    Long length = CharCount(field.Text());
    Long caret = Caret(view, field);
    if (move == Move::kAll) return Select(view, field, 0, length);
    Long to = move == Move::kLeft    ? caret - 1
              : move == Move::kRight ? caret + 1
              : move == Move::kHome  ? 0
                                     : length;
    to = std::clamp<Long>(to, 0, length);
    Select(view, field, extend ? view.Text().anchor : to, to);
  });
}

}  // namespace

Rect TextBoxOf(const TextWidget& field, const Rect& full) {
  return field.Kind() == WidgetKind::kUpDownText ? UpDownTextBox(full) : full;
}

float TextX(const WidgetView& view, const TextWidget& field, const Rect& box,
            Long index) {
  const std::string& text = field.Text();
  std::string_view prefix(text.data(), ByteOffset(text, index));
  return box.min.x + kPadding - Scroll(view, field) + Width(prefix);
}

Long TextIndexAt(const WidgetView& view, const TextWidget& field,
                 const Rect& box, float x) {
  const std::string& text = field.Text();
  float left = box.min.x + kPadding - Scroll(view, field);
  float advance = 0;
  Long index = 0;
  for (std::size_t pos = 0; pos < text.size(); ++index) {
    std::uint32_t code_point = 0;
    std::size_t length = DecodeUtf8(text, pos, code_point);
    float width = Width(std::string_view(text).substr(pos, length));
    // Past the middle of a character is after it.
    if (x < left + advance + width / 2) return index;
    advance += width;
    pos += length;
  }
  return index;
}

void PaintText(WidgetView& view, const TextWidget& field, const Rect& box,
               bool usable, ImDrawList& draw) {
  bool editing = view.Text().field == &field && view.HasKeyboard() &&
                 field.Tree().Focused() == &field;
  draw.AddRectFilled(box.min, box.max,
                     StyleColour(ImGuiCol_FrameBg, usable ? 1.0f : 0.5f));
  draw.AddRect(box.min, box.max,
               StyleColour(editing ? ImGuiCol_NavHighlight : ImGuiCol_Border));
  const std::string& text = field.Text();
  float inner = box.max.x - box.min.x - 2 * kPadding;
  if (editing) {
    // Keep the caret in view.
    float& scroll = view.Text().scroll;
    std::string_view before(text.data(),
                            ByteOffset(text, Caret(view, field)));
    float caret = Width(before);
    if (caret - scroll > inner) scroll = caret - inner;
    if (caret < scroll) scroll = caret;
    scroll = std::max(0.0f, scroll);
  }
  float y = (box.min.y + box.max.y - ImGui::GetFontSize()) / 2;
  Rect inside{ImVec2(box.min.x + 1, box.min.y + 1),
              ImVec2(box.max.x - 1, box.max.y - 1)};
  draw.PushClipRect(inside.min, inside.max, true);
  if (editing && field.SelLength() > 0) {
    float x0 = TextX(view, field, box, field.SelStart());
    float x1 = TextX(view, field, box, field.SelStart() + field.SelLength());
    draw.AddRectFilled(ImVec2(x0, y), ImVec2(x1, y + ImGui::GetFontSize()),
                       StyleColour(ImGuiCol_TextSelectedBg));
  }
  draw.AddText(ImGui::GetFont(), ImGui::GetFontSize(),
               ImVec2(box.min.x + kPadding - Scroll(view, field), y),
               StyleColour(usable ? ImGuiCol_Text : ImGuiCol_TextDisabled),
               text.data(), text.data() + text.size());
  if (editing) {
    float x = TextX(view, field, box, Caret(view, field));
    draw.AddLine(ImVec2(x, y), ImVec2(x, y + ImGui::GetFontSize()),
                 StyleColour(ImGuiCol_Text));
  }
  draw.PopClipRect();
}

void PressText(WidgetView& view, TextWidget& field, const Rect& box,
               ImVec2 mouse) {
  if (field.Tree().Focused() != &field) {
    // Clicking into a field gives it the focus; an up-down field is then
    // activated, and the click leaves the selection the activation made
    // (the whole value, ready to be typed over).
    view.Act([&field] {
      if (!field.IsUsable()) return;
      UserInput::Focus(field);
      auto* up_down = dynamic_cast<UpDownText*>(&field);
      if (up_down && field.Tree().Focused() == &field)
        UserInput::Activate(*up_down);
    });
    return;
  }
  Long at = TextIndexAt(view, field, box, mouse.x);
  bool extend = ShiftHeld();
  view.Act([&view, &field, at, extend] {
    Select(view, field, extend ? view.Text().anchor : at, at);
  });
}

void DragText(WidgetView& view, TextWidget& field, const Rect& box,
              ImVec2 mouse) {
  if (field.Tree().Focused() != &field) return;
  Long at = TextIndexAt(view, field, box, mouse.x);
  if (at == Caret(view, field)) return;
  view.Act([&view, &field, at] {
    if (field.Tree().Focused() == &field)
      Select(view, field, view.Text().anchor, at);
  });
}

void LeaveText(WidgetView& view, TextWidget& field) {
  // The model commits what the person changed as the field loses the
  // focus.
  view.Act([&field] { UserInput::Blur(field); });
}

void TextKeys(WidgetView& view, TextWidget& field) {
  auto* up_down = dynamic_cast<UpDownText*>(&field);
  if (CtrlHeld()) {
    if (Pressed(Key::kC)) ClipboardKey(view, field, kKeyCopy);
    if (Pressed(Key::kX)) ClipboardKey(view, field, kKeyCut);
    if (Pressed(Key::kV)) ClipboardKey(view, field, kKeyPaste);
    if (Pressed(Key::kA)) MoveCaret(view, field, Move::kAll);
    return;
  }
  if (Pressed(Key::kEnter)) {
    // The up-down field and the text field commit on Enter; in a plain text
    // box Enter means nothing.
    if (field.Commits()) Commit(view, field);
    return;
  }
  // Escape is a key the field's filter sees; a field puts back its
  // committed text.
  if (Pressed(Key::kEscape)) TypeInto(view, field, "\x1b");
  if (up_down && (Pressed(Key::kUp) || Pressed(Key::kDown))) {
    int direction = Pressed(Key::kUp) ? 1 : -1;
    view.Act([up_down, direction] {
      if (up_down->IsUsable()) UserInput::Step(*up_down, direction);
    });
    return;
  }
  // Backspace is a key the field's filter sees, like a character.
  if (Pressed(Key::kBackspace)) TypeInto(view, field, "\b");
  if (Pressed(Key::kDelete)) {
    view.Act([&view, &field] {
      Long caret = Caret(view, field);
      if (!field.IsUsable() ||
          (field.SelLength() == 0 && caret >= CharCount(field.Text())))
        return;
      if (field.SelLength() == 0) Select(view, field, caret, caret + 1);
      ReplaceSelection(view, field, "");
    });
  }
  if (Pressed(Key::kLeft)) MoveCaret(view, field, Move::kLeft);
  if (Pressed(Key::kRight)) MoveCaret(view, field, Move::kRight);
  if (Pressed(Key::kHome)) MoveCaret(view, field, Move::kHome);
  if (Pressed(Key::kEnd)) MoveCaret(view, field, Move::kEnd);

  for (ImWchar c : ImGui::GetIO().InputQueueCharacters) {
    if (c < 0x20 || c == 0x7F) continue;
    std::string key;
    AppendUtf8(key, c);
    TypeInto(view, field, std::move(key));
  }
}

}  // namespace morvel::imgui::internal
