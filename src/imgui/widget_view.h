#ifndef MORVEL_IMGUI_WIDGET_VIEW_H_
#define MORVEL_IMGUI_WIDGET_VIEW_H_

#include <imgui.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/error.h"
#include "base/types.h"
#include "imgui/pictures.h"
#include "platform/platform.h"
#include "widgets/widget.h"

// The Dear ImGui view of a headless widget tree. Each frame Draw() paints
// the tree at its positions (twips through the screen metrics) and turns the
// person's mouse and keys of that frame into UserInput calls on the model,
// which is the only truth: nothing of a widget's state lives here but what
// ImGui needs between frames (a press or drag in progress, the open list,
// the text scrolled into view).
//
// The input of a frame is taken against the layout the frame painted and
// runs once the frame is over (RunPending(), which the panel calls when
// ImGui has rendered): a handler may then change anything (hide a frame,
// refill the grid) without pulling the ground from under the walk, and it
// may ask the person a modal question, whose window needs frames of its
// own, which cannot start inside another. The screen shows the result in
// the next frame.
namespace morvel::imgui {

// A rectangle in screen pixels.
struct Rect {
  ImVec2 min{0, 0}, max{0, 0};
  bool Empty() const { return max.x <= min.x || max.y <= min.y; }
  bool Contains(ImVec2 p) const {
    return p.x >= min.x && p.x < max.x && p.y >= min.y && p.y < max.y;
  }
  Rect Intersect(const Rect& other) const;
  ImVec2 Centre() const {
    return ImVec2((min.x + max.x) / 2, (min.y + max.y) / 2);
  }
};

class WidgetView final : public WidgetObserver {
 public:
  // The tree, the metrics and the pictures must outlive the view.
  WidgetView(WidgetTree& tree, Widget& root, const ScreenMetrics& metrics,
             PictureCache& pictures);
  ~WidgetView() override;
  WidgetView(const WidgetView&) = delete;
  WidgetView& operator=(const WidgetView&) = delete;

  // Paints the tree inside the current ImGui window with the root's corner
  // at the cursor, over `size` pixels, and handles this frame's input;
  // with `interactive` off (a modal answer is on screen) nothing reacts.
  void Draw(ImVec2 size, bool interactive = true);

  Widget& Root() const { return root_; }
  WidgetTree& Tree() const { return tree_; }

  // --- where the last frame showed things, for scripts that press the
  // mouse where a person would see them ---
  // A widget's visible part (cut by its frames); null when it was not on
  // screen (hidden, parked, out of its frame, no frame drawn yet).
  const Rect* VisibleRect(const Widget& widget) const;
  // The entries of the open drop-down list; empty when none is open.
  const ComboBox* OpenList() const { return open_list_; }
  const std::vector<Rect>& OpenListEntries() const { return list_entries_; }
  // A grid cell in view; null when it was scrolled out or cut off.
  std::optional<Rect> CellRect(const FlexGrid& grid, Long row, Long col) const;
  // The up (+1) or down (-1) step button of an up-down field.
  std::optional<Rect> StepButton(const UpDownText& field, int direction) const;
  // The point between two characters of a shown text widget (index 0:
  // before the first).
  std::optional<ImVec2> TextPoint(const TextWidget& field, Long index) const;

  // Every failure of the model while it handles input ends here: no
  // exception leaves Draw(). Without a handler errors go to standard error.
  std::function<void(const Error& error)> on_error;
  // The copy, cut and paste keys (67, 88, 86, with Control: 2) pressed
  // while a text widget of the tree has the focus: the panel's key-down
  // notification. Unset: the text widget copies, cuts and pastes itself
  // through `clipboard` (when set).
  std::function<void(Integer key_code, Integer shift)> on_key_down;
  Clipboard* clipboard = nullptr;
  // After each piece of input has been handled.
  std::function<void()> after_input;

  // The window the view is drawn in takes the keyboard in the next frame,
  // as a window a person clicks into does (the model's focus decides which
  // widget gets the keys).
  void TakeKeyboard() { want_keyboard_ = true; }

  // Pixels of a position or size in twips.
  float ToPixelsX(Long twips) const;
  float ToPixelsY(Long twips) const;

  // Queues one piece of input for the model; it runs in RunPending(), and
  // a failure goes to on_error.
  void Act(std::function<void()> action);
  // Runs the input queued by the last Draw(), in order. Does nothing when
  // called again from inside one of them (a modal answer's frames).
  void RunPending();
  bool HasPending() const { return !pending_.empty(); }

  void OnWidgetChanged(Widget& widget, WidgetProperty property) override;

  // --- the parts of the view (paint.cc, input.cc, text_edit.cc, grid.cc)
  // share these ---
  struct Placed {
    Widget* widget;
    Rect full;     // where the widget is
    Rect visible;  // what its frames let show
    bool usable;   // visible and enabled, and every frame around it
  };
  // The scroll bars and visible cells of a grid in the last frame.
  struct GridLayout {
    Rect cells;  // the area of the cells, without the scroll bars
    Rect vbar, hbar;
    std::vector<std::pair<Long, Rect>> rows;  // visible rows, top to bottom
    std::vector<std::pair<Long, Rect>> cols;  // visible columns
    Long max_top = 0, max_left = 0;  // the furthest scroll positions
  };
  // What the person's press is doing until the button comes up.
  struct Press {
    Widget* widget = nullptr;
    enum class Part {
      kBody,
      kStepUp,
      kStepDown,
      kCell,
      kVerticalBar,
      kHorizontalBar
    } part = Part::kBody;
    Long row = -1, col = -1;
    ImVec2 at;
    Long scroll_at_press = 0;
  };
  // A text widget being edited: where the selection is anchored and how
  // far its text is scrolled. Kept only for the focused one.
  struct TextState {
    const TextWidget* field = nullptr;
    Long anchor = 0;
    float scroll = 0;
    // The view itself is changing the text or the selection (a key, a
    // drag), not the panel's code.
    bool typing = false;
  };

  const std::vector<Placed>& PlacedWidgets() const { return placed_; }
  const Placed* Find(const Widget& widget) const;
  PictureCache& Pictures() const { return pictures_; }
  const ScreenMetrics& Metrics() const { return metrics_; }
  std::unordered_map<const FlexGrid*, GridLayout>& Grids() { return grids_; }
  const std::unordered_map<const FlexGrid*, GridLayout>& Grids() const {
    return grids_;
  }
  TextState& Text() { return text_; }
  const TextState& Text() const { return text_; }
  Press& CurrentPress() { return press_; }
  const Press& CurrentPress() const { return press_; }
  const Widget* Hovered() const { return hovered_; }
  bool HasKeyboard() const { return has_keyboard_; }

 private:
  void Paint(Widget& widget, ImVec2 parent_origin, const Rect& clip,
             bool usable);
  void HandleMouse(bool surface_hovered, bool pressed, bool released,
                   bool held);
  void HandlePress(const Placed* target, ImVec2 mouse);
  void HandleDrag(ImVec2 mouse);
  void HandleRelease(const Placed* target, ImVec2 mouse);
  void HandleKeys();
  void DrawOpenList();
  void ShowToolTip();
  void Report(const Error& error);
  // The text widget of this tree with the focus, if any.
  TextWidget* EditingField() const;

  WidgetTree& tree_;
  Widget& root_;
  const ScreenMetrics& metrics_;
  PictureCache& pictures_;

  std::vector<Placed> placed_;
  std::unordered_map<const FlexGrid*, GridLayout> grids_;
  const Widget* hovered_ = nullptr;
  float hover_time_ = 0;
  Press press_;
  TextState text_;
  ComboBox* open_list_ = nullptr;
  bool list_just_opened_ = false;
  Rect list_anchor_;
  std::vector<Rect> list_entries_;
  std::vector<std::function<void()>> pending_;
  bool running_ = false;
  // Shared with the input being run: a handler may destroy the view (a
  // host closing the window), and the loop running it must notice.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool has_keyboard_ = false;
  // The model moved the focus to one of its widgets: the ImGui window
  // takes the keyboard in the next frame, as a toolkit's would.
  bool want_keyboard_ = false;
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_WIDGET_VIEW_H_
