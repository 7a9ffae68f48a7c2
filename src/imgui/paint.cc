#include <algorithm>
#include <cmath>
#include <limits>

#include "imgui/view_internal.h"

// How each kind of widget looks. Everything is drawn from the model as it
// is now; the view keeps nothing of its own.
namespace morvel::imgui::internal {
namespace {

// Width of an up-down field's step buttons and of a drop-down's arrow.
constexpr float kStepWidth = 14.0f;

bool Focused(const WidgetView& view, const Widget& w) {
  return view.HasKeyboard() && w.Tree().Focused() == &w;
}

ImU32 TextColour(bool usable) {
  return StyleColour(usable ? ImGuiCol_Text : ImGuiCol_TextDisabled);
}

// A frame's colour for a widget: pressed, hovered or at rest.
ImU32 FrameColour(const WidgetView& view, const Widget& w, ImGuiCol rest,
                  ImGuiCol hovered, ImGuiCol active) {
  if (view.CurrentPress().widget == &w) return StyleColour(active);
  if (view.Hovered() == &w) return StyleColour(hovered);
  return StyleColour(rest);
}

void FocusRing(const WidgetView& view, const Widget& w, const Rect& r,
               ImDrawList& draw) {
  if (Focused(view, w))
    draw.AddRect(r.min, r.max, StyleColour(ImGuiCol_NavHighlight), 0, 0, 1.0f);
}

// Bold without a bold font: the text twice, a pixel apart.
void Heading(ImDrawList& draw, ImVec2 at, ImU32 colour, std::string_view text,
             float size) {
  ImFont* font = ImGui::GetFont();
  const char* b = text.data();
  const char* e = b + text.size();
  draw.AddText(font, size, at, colour, b, e);
  draw.AddText(font, size, ImVec2(at.x + 1, at.y), colour, b, e);
}

float TextWidth(std::string_view text, float size = 0) {
  ImFont* font = ImGui::GetFont();
  if (size <= 0) size = ImGui::GetFontSize();
  return font
      ->CalcTextSizeA(size, std::numeric_limits<float>::max(), 0, text.data(),
                      text.data() + text.size())
      .x;
}

// The right edge (pixels) a caption may run to: the next visible sibling on
// its line, or the parent's edge (the panel was laid out for a narrower
// font than this screen's).
float RightLimit(const WidgetView& view, const Placed& placed) {
  const Widget& w = *placed.widget;
  const Widget* parent = w.Parent();
  if (!parent) return placed.full.max.x;
  const WidgetView::Placed* frame = view.Find(*parent);
  float limit = frame ? frame->full.max.x : placed.full.max.x;
  const long long top = w.Top(), bottom = top + w.Height();
  for (const Widget* sibling : parent->Children()) {
    if (sibling == &w || !sibling->Visible() ||
        sibling->Kind() == WidgetKind::kImageList)
      continue;
    const long long s_top = sibling->Top(), s_bottom = s_top + sibling->Height();
    if (s_top >= bottom || s_bottom <= top || sibling->Left() <= w.Left())
      continue;
    float left = placed.full.min.x +
                 view.ToPixelsX(sibling->Left() - w.Left()) - 3.0f;
    limit = std::min(limit, left);
  }
  return std::max(limit, placed.full.max.x);
}

// A caption on one line, from `x` to no further than `room_end`.
void Caption(const WidgetView& view, const Placed& placed, float x,
             float room_end, ImU32 colour, ImDrawList& draw,
             bool heading = false) {
  std::string text = PlainCaption(placed.widget->Caption());
  if (text.empty()) return;
  float size = FittedSize(text, room_end - x);
  float y = (placed.full.min.y + placed.full.max.y - size) / 2;
  if (heading) y = placed.full.min.y;
  // The caption may run past the widget's own edge up to its neighbour.
  Rect box{ImVec2(x, placed.visible.min.y),
           ImVec2(std::max(room_end, x), placed.visible.max.y)};
  const WidgetView::Placed* frame =
      placed.widget->Parent() ? view.Find(*placed.widget->Parent()) : nullptr;
  if (frame) box = box.Intersect(frame->visible);
  draw.PushClipRect(box.min, box.max);
  if (heading) {
    Heading(draw, ImVec2(x, y), colour, text, size);
  } else {
    draw.AddText(ImGui::GetFont(), size, ImVec2(x, y), colour, text.data(),
                 text.data() + text.size());
  }
  draw.PopClipRect();
}

void PaintFrame(WidgetView& view, const Placed& placed,
                ImDrawList& draw) {
  const Widget& frame = *placed.widget;
  const Rect& r = placed.full;
  ImU32 rule = StyleColour(ImGuiCol_Separator);
  std::string caption = PlainCaption(frame.Caption());
  float line_height = ImGui::GetFontSize();
  if (!caption.empty()) {
    // A titled section: the caption and a rule beside it.
    ImVec2 at(r.min.x + 6, r.min.y);
    Heading(draw, at, TextColour(placed.usable), caption,
            ImGui::GetFontSize());
    float x = at.x + TextWidth(caption) + 6;
    draw.AddLine(ImVec2(x, r.min.y + line_height / 2),
                 ImVec2(r.max.x, r.min.y + line_height / 2), rule);
    return;
  }
  for (const Widget* child : frame.Children()) {
    if (child->Visible() && IsHeading(*child)) {
      // The heading label stands on the frame's top edge: the edge runs on
      // from its end.
      float x = r.min.x + view.ToPixelsX(child->Left()) +
                TextWidth(PlainCaption(child->Caption())) + 8;
      float y = r.min.y + view.ToPixelsY(child->Top()) + line_height / 2 + 1;
      draw.AddLine(ImVec2(x, y), ImVec2(r.max.x, y), rule);
      return;
    }
  }
  // A frame with nothing in it is a divider: only its top edge shows.
  if (frame.Children().empty())
    draw.AddLine(r.min, ImVec2(r.max.x, r.min.y), rule);
}

void PaintLabel(WidgetView& view, const Placed& placed,
                ImDrawList& draw) {
  const Widget& label = *placed.widget;
  std::string text = PlainCaption(label.Caption());
  if (text.empty()) return;
  const Rect& r = placed.full;
  ImU32 colour = TextColour(placed.usable);
  // A label designed for several lines wraps; one designed for one line
  // keeps to it.
  if (r.max.y - r.min.y >= 2 * ImGui::GetFontSize()) {
    draw.AddText(ImGui::GetFont(), ImGui::GetFontSize(), r.min, colour,
                 text.data(), text.data() + text.size(), r.max.x - r.min.x);
    return;
  }
  Caption(view, placed, r.min.x, RightLimit(view, placed), colour, draw,
          IsHeading(label));
}

void PaintCheckBox(WidgetView& view, const Placed& placed,
                   ImDrawList& draw) {
  const auto& box = static_cast<const CheckBox&>(*placed.widget);
  Rect square = CheckSquare(placed.full);
  draw.AddRectFilled(square.min, square.max,
                     FrameColour(view, box, ImGuiCol_FrameBg,
                                 ImGuiCol_FrameBgHovered,
                                 ImGuiCol_FrameBgActive));
  draw.AddRect(square.min, square.max, StyleColour(ImGuiCol_Border));
  if (box.Value() != 0) {
    // Grey (2) is the mixed state of a selection: the mark, dimmed on a
    // dimmed box.
    bool grey = box.Value() == 2;
    if (grey) {
      draw.AddRectFilled(ImVec2(square.min.x + 1, square.min.y + 1),
                         ImVec2(square.max.x - 1, square.max.y - 1),
                         StyleColour(ImGuiCol_TextDisabled, 0.35f));
    }
    float s = square.max.x - square.min.x;
    ImVec2 points[3] = {
        ImVec2(square.min.x + s * 0.22f, square.min.y + s * 0.52f),
        ImVec2(square.min.x + s * 0.42f, square.min.y + s * 0.72f),
        ImVec2(square.min.x + s * 0.78f, square.min.y + s * 0.28f)};
    ImU32 mark = grey || !placed.usable ? StyleColour(ImGuiCol_TextDisabled)
                                        : StyleColour(ImGuiCol_CheckMark);
    draw.AddPolyline(points, 3, mark, 0, std::max(1.5f, s / 7));
  }
  FocusRing(view, box, square, draw);
  Caption(view, placed, square.max.x + 4, RightLimit(view, placed),
          TextColour(placed.usable), draw);
}

void PaintButton(WidgetView& view, const Placed& placed,
                 ImDrawList& draw) {
  const Widget& button = *placed.widget;
  const Rect& r = placed.full;
  draw.AddRectFilled(r.min, r.max,
                     placed.usable
                         ? FrameColour(view, button, ImGuiCol_Button,
                                       ImGuiCol_ButtonHovered,
                                       ImGuiCol_ButtonActive)
                         : StyleColour(ImGuiCol_Button, 0.5f),
                     ImGui::GetStyle().FrameRounding);
  draw.AddRect(r.min, r.max, StyleColour(ImGuiCol_Border),
               ImGui::GetStyle().FrameRounding);
  std::string text = PlainCaption(button.Caption());
  float size = FittedSize(text, r.max.x - r.min.x - 6);
  float width = TextWidth(text, size);
  DrawTextIn(draw, r,
             ImVec2((r.min.x + r.max.x - width) / 2,
                    (r.min.y + r.max.y - size) / 2),
             TextColour(placed.usable), text, size);
  FocusRing(view, button, r, draw);
}

void PaintPicture(WidgetView& view, const Placed& placed, ImDrawList& draw) {
  const auto& box = static_cast<const PictureBox&>(*placed.widget);
  const Rect& r = placed.full;
  draw.AddRectFilled(r.min, r.max, ColourOf(box.BackColor()));
  if (!box.Picture().empty()) {
    const PictureCache::Texture& picture = view.Pictures().Get(box.Picture());
    ImVec2 at((r.min.x + r.max.x - picture.size.x) / 2,
              (r.min.y + r.max.y - picture.size.y) / 2);
    ImVec2 end(at.x + picture.size.x, at.y + picture.size.y);
    if (!picture.empty) {
      draw.AddImage(picture.id, at, end);
    } else if (picture.size.x > 0) {
      draw.AddRectFilled(at, end, picture.swatch);
    }
  }
  // A box of its own (a colour swatch) has a sunken edge; one that holds
  // other widgets is only their background.
  if (box.Children().empty())
    draw.AddRect(r.min, r.max, StyleColour(ImGuiCol_Border));
}

void PaintComboBox(WidgetView& view, const Placed& placed,
                   ImDrawList& draw) {
  const auto& combo = static_cast<const ComboBox&>(*placed.widget);
  const Rect& r = placed.full;
  draw.AddRectFilled(r.min, r.max,
                     FrameColour(view, combo, ImGuiCol_FrameBg,
                                 ImGuiCol_FrameBgHovered,
                                 ImGuiCol_FrameBgActive),
                     ImGui::GetStyle().FrameRounding);
  Rect arrow{ImVec2(r.max.x - kStepWidth - 2, r.min.y), r.max};
  draw.AddRectFilled(arrow.min, arrow.max,
                     FrameColour(view, combo, ImGuiCol_Button,
                                 ImGuiCol_ButtonHovered,
                                 ImGuiCol_ButtonActive));
  ImVec2 c = arrow.Centre();
  draw.AddTriangleFilled(ImVec2(c.x - 4, c.y - 2), ImVec2(c.x + 4, c.y - 2),
                         ImVec2(c.x, c.y + 3), TextColour(placed.usable));
  if (combo.ListIndex() >= 0 && combo.ListIndex() < combo.ListCount()) {
    const std::string& text = combo.List(combo.ListIndex());
    Rect room{r.min, ImVec2(arrow.min.x - 2, r.max.y)};
    DrawTextIn(draw, room,
               ImVec2(r.min.x + 4, (r.min.y + r.max.y - ImGui::GetFontSize()) / 2),
               TextColour(placed.usable), text);
  }
  FocusRing(view, combo, r, draw);
}

void PaintSlider(WidgetView& view, const Placed& placed,
                 ImDrawList& draw) {
  const auto& slider = static_cast<const Slider&>(*placed.widget);
  const Rect& r = placed.full;
  float mid = (r.min.y + r.max.y) / 2 - 3;
  ImU32 ink = StyleColour(placed.usable ? ImGuiCol_Border : ImGuiCol_TextDisabled);
  float x0 = SliderX(slider, r, slider.Min());
  float x1 = SliderX(slider, r, slider.Max());
  draw.AddRectFilled(ImVec2(std::min(x0, x1), mid - 2),
                     ImVec2(std::max(x0, x1), mid + 2),
                     StyleColour(ImGuiCol_FrameBg));
  // Tick marks below the track, no closer than three pixels apart.
  long long span = std::llabs(static_cast<long long>(slider.Max()) - slider.Min());
  long long step = std::max<long long>(1, slider.TickFrequency());
  float width = std::fabs(x1 - x0);
  if (span > 0 && width / (static_cast<float>(span) / step) >= 3) {
    for (long long v = 0; v <= span; v += step) {
      float x = x0 + (x1 - x0) * static_cast<float>(v) / span;
      draw.AddLine(ImVec2(x, mid + 6), ImVec2(x, mid + 9), ink);
    }
  }
  float hx = SliderX(slider, r, slider.Value());
  draw.AddRectFilled(ImVec2(hx - 4, mid - 7), ImVec2(hx + 4, mid + 5),
                     placed.usable
                         ? FrameColour(view, slider, ImGuiCol_SliderGrab,
                                       ImGuiCol_SliderGrabActive,
                                       ImGuiCol_SliderGrabActive)
                         : StyleColour(ImGuiCol_TextDisabled),
                     2.0f);
  FocusRing(view, slider, r, draw);
}

void PaintUpDown(WidgetView& view, const Placed& placed, ImDrawList& draw) {
  const auto& field = static_cast<const UpDownText&>(*placed.widget);
  PaintText(view, field, UpDownTextBox(placed.full), placed.usable, draw);
  for (int direction : {1, -1}) {
    Rect b = StepButtonRect(placed.full, direction);
    bool pressed =
        view.CurrentPress().widget == &field &&
        view.CurrentPress().part == (direction > 0
                                         ? WidgetView::Press::Part::kStepUp
                                         : WidgetView::Press::Part::kStepDown);
    draw.AddRectFilled(b.min, b.max,
                       StyleColour(pressed ? ImGuiCol_ButtonActive
                                           : ImGuiCol_Button));
    draw.AddRect(b.min, b.max, StyleColour(ImGuiCol_Border));
    ImVec2 c = b.Centre();
    float d = direction > 0 ? -1.0f : 1.0f;
    draw.AddTriangleFilled(ImVec2(c.x - 3, c.y - 1.5f * d),
                           ImVec2(c.x + 3, c.y - 1.5f * d),
                           ImVec2(c.x, c.y + 1.5f * d),
                           TextColour(placed.usable));
  }
}

}  // namespace

ImU32 StyleColour(ImGuiCol colour, float alpha) {
  return ImGui::GetColorU32(colour, alpha);
}

ImU32 ColourOf(Colour colour) {
  auto packed = static_cast<std::uint32_t>(colour);
  if (packed & 0x80000000u) {
    switch (packed & 0xFF) {
      case 0x05:  // window
        return StyleColour(ImGuiCol_FrameBg);
      case 0x08:  // window text
      case 0x0E:  // highlighted text
      case 0x12:  // button text
        return StyleColour(ImGuiCol_Text);
      case 0x0D:  // highlight
        return StyleColour(ImGuiCol_Header);
      case 0x10:  // button shadow
        return StyleColour(ImGuiCol_Border);
      case 0x18:  // info background
        return StyleColour(ImGuiCol_PopupBg);
      default:  // button face and the rest: the panel's own background
        return StyleColour(ImGuiCol_WindowBg);
    }
  }
  // Both keep red in the low byte.
  return (packed & 0x00FFFFFFu) | 0xFF000000u;
}

std::string PlainCaption(std::string_view caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

bool IsHeading(const Widget& label) {
  return label.Kind() == WidgetKind::kLabel && label.Parent() &&
         label.Parent()->Kind() == WidgetKind::kFrame && label.Top() <= 45 &&
         !label.Caption().empty();
}

float FittedSize(std::string_view text, float room) {
  float size = ImGui::GetFontSize();
  float width = TextWidth(text, size);
  if (width <= room || width <= 0) return size;
  return std::max(size * 0.85f, size * room / width);
}

void DrawTextIn(ImDrawList& draw, const Rect& box, ImVec2 at, ImU32 colour,
                std::string_view text, float size) {
  if (size <= 0) size = ImGui::GetFontSize();
  draw.PushClipRect(box.min, box.max, true);
  draw.AddText(ImGui::GetFont(), size, at, colour, text.data(),
               text.data() + text.size());
  draw.PopClipRect();
}

Rect UpDownTextBox(const Rect& full) {
  float button = std::min(kStepWidth, (full.max.x - full.min.x) / 3);
  return {full.min, ImVec2(full.max.x - button, full.max.y)};
}

Rect StepButtonRect(const Rect& full, int direction) {
  float button = std::min(kStepWidth, (full.max.x - full.min.x) / 3);
  float mid = std::floor((full.min.y + full.max.y) / 2);
  if (direction > 0)
    return {ImVec2(full.max.x - button, full.min.y), ImVec2(full.max.x, mid)};
  return {ImVec2(full.max.x - button, mid), full.max};
}

Rect CheckSquare(const Rect& full) {
  float s = std::min(full.max.y - full.min.y, ImGui::GetFontSize());
  float top = std::floor((full.min.y + full.max.y - s) / 2);
  return {ImVec2(full.min.x, top), ImVec2(full.min.x + s, top + s)};
}

float SliderX(const Slider& slider, const Rect& full, Long value) {
  float left = full.min.x + 6, right = full.max.x - 6;
  long long span = static_cast<long long>(slider.Max()) - slider.Min();
  if (span == 0 || right <= left) return left;
  double t = static_cast<double>(static_cast<long long>(value) - slider.Min()) /
             static_cast<double>(span);
  return left + static_cast<float>(std::clamp(t, 0.0, 1.0)) * (right - left);
}

Long SliderValueAt(const Slider& slider, const Rect& full, float x) {
  float left = full.min.x + 6, right = full.max.x - 6;
  long long span = static_cast<long long>(slider.Max()) - slider.Min();
  if (span == 0 || right <= left) return slider.Min();
  double t = std::clamp(static_cast<double>(x - left) / (right - left), 0.0, 1.0);
  return static_cast<Long>(slider.Min() +
                           std::llround(t * static_cast<double>(span)));
}

void PaintWidget(WidgetView& view, const Placed& placed, ImDrawList& draw) {
  using Painter = void (*)(WidgetView&, const Placed&, ImDrawList&);
  auto nothing = [](WidgetView&, const Placed&, ImDrawList&) {};
  auto text = [](WidgetView& v, const Placed& p, ImDrawList& d) {
    PaintText(v, static_cast<const TextWidget&>(*p.widget), p.full, p.usable, d);
  };
  auto grid = [](WidgetView& v, const Placed& p, ImDrawList& d) {
    PaintGrid(v, static_cast<FlexGrid&>(*p.widget), p, d);
  };
  // One painter a kind, in the order of WidgetKind. A form is the host's
  // window, an image list is never on screen.
  static const Painter kPainters[] = {
      nothing,       PaintFrame,  PaintLabel,   PaintCheckBox, PaintComboBox,
      PaintButton,   PaintPicture, PaintSlider, PaintUpDown,   text,
      text,          grid,        nothing};
  const auto kind = static_cast<std::size_t>(placed.widget->Kind());
  if (kind < std::size(kPainters)) kPainters[kind](view, placed, draw);
}

}  // namespace morvel::imgui::internal
