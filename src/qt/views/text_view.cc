#include <QWidget>

#include "qt/views/text_editor.h"
#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A plain text box or the maker's text field: the line edit alone.
class TextView final : public QWidget, public ViewBase {
 public:
  TextView(WidgetView& owner, TextWidget& model, QWidget* parent)
      : QWidget(parent),
        ViewBase(owner, model),
        text_(model),
        edit_(new TextEditor(owner, model, this)) {
    setFocusProxy(edit_);
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kText:
        edit_->SyncText();
        break;
      case WidgetProperty::kSelection:
        edit_->SyncSelection();
        break;
      case WidgetProperty::kVisible:
        // The in-place editor of the grid comes to the front when shown.
        if (text_.Visible()) raise();
        break;
      default:
        break;
    }
    SyncCommon(property);
  }
  void Resync() override { edit_->SyncText(); }
  void SetAccessibleName(const QString& name) override {
    ViewBase::SetAccessibleName(name);
    edit_->setAccessibleName(name);
  }

 protected:
  void resizeEvent(QResizeEvent*) override { edit_->setGeometry(rect()); }

 private:
  TextWidget& text_;
  TextEditor* edit_;
};

}  // namespace

ViewBase* MakeTextView(WidgetView& owner, TextWidget& model, QWidget* parent) {
  return new TextView(owner, model, parent);
}

}  // namespace morvel::qt
