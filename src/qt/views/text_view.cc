#include <QWidget>

#include "qt/views/text_editor.h"
#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A plain text box or the maker's text field: the line edit alone.
class TextView final : public View<QWidget, TextWidget> {
 public:
  TextView(WidgetView& owner, Widget& model, QWidget* parent)
      : View(owner, model, parent),
        edit_(new TextEditor(owner, Model(), this)) {
    setFocusProxy(edit_);
  }
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
        if (Model().Visible()) raise();
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
  TextEditor* edit_;
};

}  // namespace

const ViewMaker kTextView = MakerOf<TextView>;

}  // namespace morvel::qt
