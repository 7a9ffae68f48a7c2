#ifndef MORVEL_IMGUI_VIEW_INTERNAL_H_
#define MORVEL_IMGUI_VIEW_INTERNAL_H_

#include <imgui.h>

#include <string>
#include <string_view>

#include "imgui/widget_view.h"

// What the files of the view (widget_view.cc, paint.cc, text_edit.cc,
// grid.cc) share: colours, geometry of the widgets' parts, and the painting
// and input of each kind.
namespace morvel::imgui::internal {

using Placed = WidgetView::Placed;

// A packed colour 0x00BBGGRR as ImGui's (which keeps red in the low byte
// too); the system colours the widgets start with (0x800000nn) as the
// style's colours, so a panel looks at home in the host's theme.
ImU32 ColourOf(Colour colour);
ImU32 StyleColour(ImGuiCol colour, float alpha = 1.0f);

// "&OK" -> "OK", "&&" -> "&".
std::string PlainCaption(std::string_view caption);
// A label at the top of a frame is the frame's heading.
bool IsHeading(const Widget& label);

// A text that does not fit `room` pixels is drawn a little smaller (down
// to 85 %), then cut; returns the font size to draw it with.
float FittedSize(std::string_view text, float room);
// Text in a box, cut to it.
void DrawTextIn(ImDrawList& draw, const Rect& box, ImVec2 at, ImU32 colour,
                std::string_view text, float size = 0);

// ------------------------------------------------------------- painting
void PaintWidget(WidgetView& view, const Placed& placed, ImDrawList& draw);
void PaintGrid(WidgetView& view, FlexGrid& grid, const Placed& placed,
               ImDrawList& draw);

// The parts of an up-down field: the text box and the two step buttons.
Rect UpDownTextBox(const Rect& full);
Rect StepButtonRect(const Rect& full, int direction);
// The check box's square.
Rect CheckSquare(const Rect& full);
// The slider's handle position and the value under a pixel.
float SliderX(const Slider& slider, const Rect& full, Long value);
Long SliderValueAt(const Slider& slider, const Rect& full, float x);

// ---------------------------------------------------------- text editing
// The box the text of a text widget is drawn in.
Rect TextBoxOf(const TextWidget& field, const Rect& full);
void PaintText(WidgetView& view, const TextWidget& field, const Rect& box,
               bool usable, ImDrawList& draw);
// Pixel x of the boundary before character `index`, and the character
// boundary nearest to a pixel x.
float TextX(const WidgetView& view, const TextWidget& field, const Rect& box,
            Long index);
Long TextIndexAt(const WidgetView& view, const TextWidget& field,
                 const Rect& box, float x);
// The mouse pressed / dragged in a text widget.
void PressText(WidgetView& view, TextWidget& field, const Rect& box,
               ImVec2 mouse);
void DragText(WidgetView& view, TextWidget& field, const Rect& box,
              ImVec2 mouse);
// This frame's keys and characters for the focused text widget.
void TextKeys(WidgetView& view, TextWidget& field);
// The person leaves the field (a click elsewhere): what was typed is
// committed first, then the focus goes.
void LeaveText(WidgetView& view, TextWidget& field);

// ------------------------------------------------------------ the grid
// What part of the grid is under a point: a cell (row, col >= 0), a scroll
// bar, or nothing.
WidgetView::Press GridPartAt(const WidgetView& view, const FlexGrid& grid,
                             ImVec2 at);
// A drag of a scroll bar's thumb from the press.
void DragGridBar(WidgetView& view, FlexGrid& grid, ImVec2 mouse);
// A press on a bar off its thumb pages; a line of the wheel scrolls three
// rows (or one column).
void PageGrid(WidgetView& view, FlexGrid& grid, const WidgetView::Press& press);
void ScrollGrid(WidgetView& view, FlexGrid& grid, float down, float sideways);

}  // namespace morvel::imgui::internal

#endif  // MORVEL_IMGUI_VIEW_INTERNAL_H_
