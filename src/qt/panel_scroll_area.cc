#include "qt/panel_scroll_area.h"

#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "qt/widget_view.h"

namespace morvel::qt {

PanelScrollArea::PanelScrollArea(WidgetTree& tree, WidgetView& view,
                                 QWidget* parent)
    : QScrollArea(parent),
      tree_(tree),
      view_(view),
      designed_height_(view.ToPixelsY(view.Root().Height())) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWidgetResizable(false);
  // The panel is the surface's background; so is the area's.
  setBackgroundRole(QPalette::Window);
  setWidget(view_.RootWidget());
  tree_.AddObserver(this);
}

PanelScrollArea::~PanelScrollArea() {
  tree_.RemoveObserver(this);
  // The view owns its surface and deletes it with itself.
  takeWidget();
}

int PanelScrollArea::LayoutHeight() const {
  return std::max(height(), designed_height_);
}

int PanelScrollArea::VisibleWidth() const {
  int bar = verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
                ? verticalScrollBar()->sizeHint().width()
                : 0;
  return std::max(0, width() - bar);
}

namespace {

// A frame shows only its heading and the rule along its top edge: what
// stands in it is its extent, not its designed height (a divider frame is
// 20000 twips tall and shows one line).
constexpr long long kRuleTwips = 30;

// The lowest point (twips, from the root's top) of what a person sees of
// `widget`'s children: visible ones, not parked left of the panel, clipped
// by the frames they stand in.
long long Extent(const Widget& widget, long long top, long long left,
                 long long clip) {
  long long bottom = top;
  for (const Widget* child : widget.Children()) {
    if (!child->Visible() || child->Kind() == WidgetKind::kImageList) continue;
    const long long child_left = left + child->Left();
    if (child_left + child->Width() <= 0) continue;  // parked
    const long long child_top = top + child->Top();
    const long long child_clip =
        std::min(clip, child_top + static_cast<long long>(child->Height()));
    long long child_bottom = child_clip;
    if (child->Kind() == WidgetKind::kFrame) {
      child_bottom = std::max(std::min(child_top + kRuleTwips, child_clip),
                              Extent(*child, child_top, child_left, child_clip));
    }
    bottom = std::max(bottom, std::min(child_bottom, clip));
  }
  return bottom;
}

}  // namespace

int PanelScrollArea::ContentHeight() const {
  const long long bottom =
      Extent(view_.Root(), 0, 0, std::numeric_limits<long long>::max());
  return view_.ToPixelsY(static_cast<Long>(
      std::clamp<long long>(bottom, 0, std::numeric_limits<Long>::max())));
}

void PanelScrollArea::Fit() {
  if (fitting_) return;
  fitting_ = true;
  const int content = ContentHeight();
  const bool scroll = content > height();
  setVerticalScrollBarPolicy(scroll ? Qt::ScrollBarAlwaysOn
                                    : Qt::ScrollBarAlwaysOff);
  const int visible_width = VisibleWidth();
  if (QWidget* surface = widget()) {
    surface->resize(visible_width, std::max(height(), content));
  }
  fitting_ = false;
  if (last_width_ >= 0 && visible_width != last_width_ && on_width_changed &&
      !width_change_posted_) {
    width_change_posted_ = true;
    QPointer<PanelScrollArea> self(this);
    QTimer::singleShot(0, this, [self] {
      if (!self) return;
      self->width_change_posted_ = false;
      self->on_width_changed();
    });
  }
  last_width_ = visible_width;
}

void PanelScrollArea::OnWidgetChanged(Widget& widget, WidgetProperty property) {
  if (widget.Parent() != &view_.Root()) return;
  if (property == WidgetProperty::kGeometry ||
      property == WidgetProperty::kVisible) {
    Fit();
  }
}

}  // namespace morvel::qt
