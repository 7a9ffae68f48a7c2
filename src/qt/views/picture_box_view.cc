#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "qt/pictures.h"
#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A picture box: its back colour, its picture centred, a click reported.
class PictureView final : public View<QWidget, PictureBox> {
 public:
  using View::View;
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kBackColor ||
        property == WidgetProperty::kPicture ||
        property == WidgetProperty::kChildren) {
      update();
    }
    SyncCommon(property);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(Model().BackColor()));
    QPixmap pixmap = PictureFor(Model().Picture(), ToQ(owner_.PictureFolder()));
    if (!pixmap.isNull()) {
      QPoint at((width() - pixmap.width()) / 2,
                (height() - pixmap.height()) / 2);
      p.drawPixmap(at, pixmap);
    }
    // A box that holds other widgets is only their background; a box of its
    // own (a colour swatch) gets the sunken edge it was designed with.
    if (Model().Children().empty()) {
      p.setPen(palette().color(QPalette::Dark));
      p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton)
      return QWidget::mousePressEvent(event);
    event->accept();
    owner_.Act(Model(), [this] { UserInput::Click(Model()); });
  }
};

}  // namespace

const ViewMaker kPictureBoxView = MakerOf<PictureView>;

}  // namespace morvel::qt
