#include "qt/views/view_base.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <limits>

#include "qt/qt_platform.h"

namespace morvel::qt {

int ToViewPos(const std::string& text, Long pos) {
  QString q = QString::fromStdString(text);
  int units = 0;
  for (Long i = 0; i < pos && units < q.size(); ++i) {
    units += (q.at(units).isHighSurrogate() && units + 1 < q.size()) ? 2 : 1;
  }
  return units;
}

Long ToModelPos(const QString& text, int pos) {
  return static_cast<Long>(text.left(pos).toUcs4().size());
}

QColor ToQColor(Colour colour) { return QColor::fromRgba(ColourToRgb(colour)); }

bool IsHeading(const Widget& label) {
  return label.Kind() == WidgetKind::kLabel && label.Parent() &&
         label.Parent()->Kind() == WidgetKind::kFrame && label.Top() <= 45 &&
         !label.Caption().empty();
}

QFont FittedFont(QFont base, const QString& text, int room) {
  if (text.isEmpty()) return base;
  for (int step = 0;
       step < 4 && QFontMetrics(base).horizontalAdvance(text) > room; ++step) {
    if (step < 2) {
      base.setLetterSpacing(QFont::PercentageSpacing, 100 - 5 * (step + 1));
    } else if (base.pixelSize() > 9) {
      base.setPixelSize(base.pixelSize() - 1);
    }
  }
  return base;
}

void ViewBase::SetAccessibleName(const QString& name) {
  if (Q()->accessibleName() != name) Q()->setAccessibleName(name);
}

void ViewBase::SyncCommon(WidgetProperty property) {
  QWidget* q = Q();
  bool is_root = &model_ == &owner_.Root();
  switch (property) {
    case WidgetProperty::kGeometry: {
      // The root's place is the host's; its size too unless the view
      // follows the model (see SetFollowRootSize).
      if (is_root) break;
      int x0 = owner_.ToPixelsX(model_.Left());
      int y0 = owner_.ToPixelsY(model_.Top());
      int x1 = owner_.ToPixelsX(static_cast<Long>(std::clamp<long long>(
          static_cast<long long>(model_.Left()) + model_.Width(),
          std::numeric_limits<Long>::min(), std::numeric_limits<Long>::max())));
      int y1 = owner_.ToPixelsY(static_cast<Long>(std::clamp<long long>(
          static_cast<long long>(model_.Top()) + model_.Height(),
          std::numeric_limits<Long>::min(), std::numeric_limits<Long>::max())));
      int width = std::max(0, x1 - x0);
      // The panel was laid out for a narrower font than this screen's: a
      // caption that does not fit takes the free room on its right, up to
      // the next widget, so that it stays readable and overlaps nothing.
      if (int wanted = WantedWidth(); wanted > width) {
        int room = owner_.ToPixelsX(owner_.RightLimit(model_)) - x0;
        width = std::max(width, std::min(wanted, room));
      }
      q->setGeometry(x0, y0, width, std::max(0, y1 - y0));
      break;
    }
    case WidgetProperty::kVisible:
      if (!is_root && model_.Kind() != WidgetKind::kImageList) {
        q->setVisible(model_.Visible());
      }
      break;
    case WidgetProperty::kValue:
      Resync();
      break;
    case WidgetProperty::kEnabled:
      q->setEnabled(model_.Enabled());
      break;
    case WidgetProperty::kToolTip:
      q->setToolTip(ToQ(model_.ToolTip()));
      break;
    case WidgetProperty::kFocus:
      // The model moved the focus here (a click it was told about, or the
      // panel giving a field the focus): the screen follows.
      if (model_.Tree().Focused() == &model_ && !q->hasFocus() &&
          (q->focusProxy() ? q->focusProxy() : q)->focusPolicy() !=
              Qt::NoFocus &&
          q->isVisibleTo(q->window())) {
        q->setFocus(Qt::OtherFocusReason);
      }
      break;
    default:
      break;
  }
}

}  // namespace morvel::qt
