#include <QFontMetrics>
#include <QLabel>

#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A label: plain text, a heading in bold, one line fitted to its room or
// wrapped when it was designed for several.
class LabelView final : public View<QLabel> {
 public:
  LabelView(WidgetView& owner, Widget& model, QWidget* parent)
      : View(owner, model, parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption) {
      setText(ToQ(PlainCaption(model_.Caption())));
      SyncCommon(WidgetProperty::kGeometry);
      Fit();
      if (parentWidget()) parentWidget()->update();
      return;
    }
    SyncCommon(property);
    if (property == WidgetProperty::kGeometry) Fit();
  }
  int WantedWidth() override {
    // Only a one-line label grows; a label designed for several lines wraps.
    QFontMetrics metrics(BaseFont());
    if (text().isEmpty() || MultiLine(metrics)) return 0;
    return metrics.horizontalAdvance(text()) + 2;
  }

 private:
  QFont BaseFont() const {
    QFont base = parentWidget() ? parentWidget()->font() : font();
    base.setBold(IsHeading(model_));
    return base;
  }
  bool MultiLine(const QFontMetrics& metrics) const {
    return owner_.ToPixelsY(model_.Height()) >= 2 * metrics.height();
  }
  void Fit() {
    QFont base = BaseFont();
    bool multi = MultiLine(QFontMetrics(base));
    setWordWrap(multi);
    QFont fitted = multi ? base : FittedFont(base, text(), width());
    if (fitted != font()) setFont(fitted);
  }
};

}  // namespace

const ViewMaker kLabelView = MakerOf<LabelView>;

}  // namespace morvel::qt
