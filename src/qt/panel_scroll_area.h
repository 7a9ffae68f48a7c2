#ifndef MORVEL_QT_PANEL_SCROLL_AREA_H_
#define MORVEL_QT_PANEL_SCROLL_AREA_H_

#include <QScrollArea>
#include <functional>

#include "widgets/widget.h"

// The panel's surface in a vertical scroll area. The panel lays its
// sections out for the height the container reports (the area's own), and
// what stands below that (a long material grid, the custom fields of a
// short window) is reached with the scroll bar or the wheel. The wheel over
// a widget that has no use for it (a slider, list or field without the
// focus) scrolls the panel.
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
  // Sizes the surface to the visible width and to the taller of the area
  // and the sections in view, showing the scroll bar when they are taller.
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
  int last_width_ = -1;
  bool width_change_posted_ = false;
  bool fitting_ = false;
};

}  // namespace morvel::qt

#endif  // MORVEL_QT_PANEL_SCROLL_AREA_H_
