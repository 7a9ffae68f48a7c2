#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A frame with a caption is drawn as a titled section: the caption and a
// rule beside it. A frame without caption and without children is the
// panel's divider: only its top edge shows. Other frames are plain
// containers.
class FrameView final : public View<QWidget> {
 public:
  using View::View;
  const Widget* Heading() const {
    for (const Widget* child : model_.Children()) {
      if (IsHeading(*child) && child->Visible()) return child;
    }
    return nullptr;
  }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption ||
        property == WidgetProperty::kChildren) {
      update();
    }
    SyncCommon(property);
  }

 protected:
  // A click on a frame is a click on the panel: the panel's surface takes
  // the focus, and the field that had it (an edit laid over the material
  // grid) ends its edit, as it would anywhere else.
  void mousePressEvent(QMouseEvent* event) override {
    if (QWidget* surface = owner_.RootWidget();
        surface && surface->focusPolicy() != Qt::NoFocus &&
        !surface->hasFocus()) {
      surface->setFocus(Qt::MouseFocusReason);
    }
    QWidget::mousePressEvent(event);
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QColor rule = palette().color(QPalette::Mid);
    QString caption = ToQ(PlainCaption(model_.Caption()));
    if (!caption.isEmpty()) {
      QFont font = p.font();
      font.setBold(true);
      p.setFont(font);
      QFontMetrics fm(font);
      int y = fm.ascent();
      p.setPen(
          palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                          QPalette::WindowText));
      p.drawText(QPoint(6, y), caption);
      int x = 6 + fm.horizontalAdvance(caption) + 6;
      int line_y = fm.height() / 2;
      p.setPen(rule);
      p.drawLine(x, line_y, width(), line_y);
    } else if (const Widget* heading = Heading()) {
      // The heading label stands on the frame's top edge: the edge runs on
      // from its end.
      QWidget* label = owner_.ViewOf(*heading);
      if (label && label->isVisible()) {
        int text_width =
            QFontMetrics(label->font())
                .horizontalAdvance(static_cast<QLabel*>(label)->text());
        int x = label->x() + text_width + 8;
        int y = label->y() + QFontMetrics(label->font()).height() / 2 + 1;
        p.setPen(rule);
        p.drawLine(x, y, width(), y);
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(x, y + 1, width(), y + 1);
      }
    } else if (model_.Children().empty()) {
      p.setPen(rule);
      p.drawLine(0, 0, width(), 0);
      p.setPen(palette().color(QPalette::Light));
      p.drawLine(0, 1, width(), 1);
    }
  }
};

}  // namespace

const ViewMaker kFrameView = MakerOf<FrameView>;

}  // namespace morvel::qt
