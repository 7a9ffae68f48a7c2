#ifndef MORVEL_QT_VIEWS_VIEW_BASE_H_
#define MORVEL_QT_VIEWS_VIEW_BASE_H_

#include <QColor>
#include <QFont>
#include <QString>
#include <QWheelEvent>
#include <string>

#include "base/types.h"
#include "qt/widget_view.h"
#include "widgets/widget.h"

class QWidget;

// What every Qt view of a model widget shares. Each widget kind has its own
// view in this folder (check_box_view.cc, grid_view.cc, ...); MakeView
// (view_factory.h) picks one by kind.
namespace morvel::qt {

class ViewBase {
 public:
  ViewBase(WidgetView& owner, Widget& model) : owner_(owner), model_(model) {}
  virtual ~ViewBase() = default;
  ViewBase(const ViewBase&) = delete;
  ViewBase& operator=(const ViewBase&) = delete;

  virtual QWidget* Q() = 0;
  // Copies one aspect of the model into the Qt widget.
  virtual void Sync(WidgetProperty property) { SyncCommon(property); }
  // Copies the state that input may have changed on the Qt side (a check
  // mark, a slider position, a text), after the model had its say.
  virtual void Resync() {}
  // Work deferred to the next flush.
  virtual void Refresh() {}
  // The width (pixels) the caption needs on one line, when it may take more
  // room than designed; 0 when the widget keeps its designed width.
  virtual int WantedWidth() { return 0; }
  // The name screen readers announce; a view made of parts names the part
  // that takes the focus too.
  virtual void SetAccessibleName(const QString& name);
  Widget& Model() const { return model_; }
  WidgetView& Owner() const { return owner_; }

 protected:
  // Geometry, visibility, enabled state, tool tip, focus and the value
  // (through Resync): the same for every kind.
  void SyncCommon(WidgetProperty property);
  WidgetView& owner_;
  Widget& model_;
};

// The Qt widget `QtWidget` showing a model widget of class `Shown`: the
// part every view of one kind writes the same way. `Model()` is the model
// widget as its own class.
template <class QtWidget, class Shown = Widget>
class View : public QtWidget, public ViewBase {
 public:
  View(WidgetView& owner, Widget& model, QWidget* parent)
      : QtWidget(parent), ViewBase(owner, model) {}
  QWidget* Q() final { return this; }
  Shown& Model() const { return static_cast<Shown&>(model_); }
};

// A list or a slider on the panel's long page takes the focus by a click or
// the tab key; a wheel turned over it while it does not have the focus
// scrolls the page, not its value.
template <class Base>
class FocusedWheelView : public Base {
 public:
  FocusedWheelView(WidgetView& owner, Widget& model, QWidget* parent)
      : Base(owner, model, parent) {
    this->setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (this->hasFocus()) {
      Base::wheelEvent(event);
    } else {
      event->ignore();
    }
  }
};

inline QString ToQ(const std::string& text) {
  return QString::fromStdString(text);
}

// Positions in the model's texts count characters (code points); Qt counts
// UTF-16 units, two for a character outside the basic plane.
int ToViewPos(const std::string& text, Long pos);
Long ToModelPos(const QString& text, int pos);

QColor ToQColor(Colour colour);

// A label at the top of a frame is the frame's heading (the panel's sections
// are frames whose first label names them).
bool IsHeading(const Widget& label);

// The panel was laid out for another font than this screen's: a one-line
// caption that does not fit `room` pixels is set a little tighter, then a
// pixel smaller, rather than cut. Returns `base` when it fits.
QFont FittedFont(QFont base, const QString& text, int room);

// What a grid cell `cell_width` pixels wide shows of `text`: all of it,
// with smaller margins and in a tighter or smaller `font` when it must be;
// cut short with an ellipsis only when even that does not fit. `font` and
// `margin` (each side) become what to draw it with.
QString ShownCellText(QFont& font, const QString& text, int cell_width,
                      int& margin);

}  // namespace morvel::qt

#endif  // MORVEL_QT_VIEWS_VIEW_BASE_H_
