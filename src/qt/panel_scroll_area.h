#ifndef MORVEL_QT_PANEL_SCROLL_AREA_H_
#define MORVEL_QT_PANEL_SCROLL_AREA_H_

#include <QScrollArea>
#include <functional>

#include "widgets/widget.h"

// The panel's surface in a vertical scroll area. The sections take the
// height the container reports when they load, and the panel was laid out
// for its designed height: a shorter window would cut off what stands low
// in a section (the custom fields, the material grid). So the panel is told
// the taller of the area's height and its designed one, and what stands
// below the area's bottom is reached with the scroll bar or the wheel. The
// wheel over a widget that has no use for it (a slider, list or field
// without the focus) scrolls the panel.
namespace morvel::qt {

class WidgetView;

class PanelScrollArea final : public QScrollArea, public WidgetObserver {
 public:
  // Shows `view`'s root widget; the tree and the view outlive the area.
  PanelScrollArea(WidgetTree& tree, WidgetView& view, QWidget* parent);
  ~PanelScrollArea() override;

  // The width (pixels) the panel can use: the area's, less the scroll bar
  // while one is shown.
  int VisibleWidth() const;
  // The height (pixels) the panel lays its sections out for: the area's,
  // and at least the panel's designed height.
  int LayoutHeight() const;
  // Sizes the surface to the visible width and to the taller of the area
  // and what the sections show, with the scroll bar when that is taller.
  void Fit();
  // The visible width changed because the scroll bar came or went: the
  // panel is told as of a resize. Posted to the event loop, since the
  // change is seen while the panel lays itself out.
  std::function<void()> on_width_changed;

  void OnWidgetChanged(Widget& widget, WidgetProperty property) override;

 private:
  // The bottom (pixels) of the lowest thing in view: frames parked to the
  // left count for nothing, a frame for no more than what it shows.
  int ContentHeight() const;

  WidgetTree& tree_;
  WidgetView& view_;
  int designed_height_;
  int last_width_ = -1;
  bool width_change_posted_ = false;
  bool fitting_ = false;
};

}  // namespace morvel::qt

#endif  // MORVEL_QT_PANEL_SCROLL_AREA_H_
