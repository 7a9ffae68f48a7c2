#include <QWidget>

#include "qt/views/text_editor.h"
#include "qt/views/view_factory.h"

namespace morvel::qt {
namespace {

// A plain text box or the maker's text field: the line edit alone.
class TextView final : public EditorView<TextWidget> {
 public:
  using EditorView::EditorView;
  void Sync(WidgetProperty property) override {
    // The in-place editor of the grid comes to the front when shown.
    if (property == WidgetProperty::kVisible && Model().Visible()) raise();
    EditorView::Sync(property);
  }

 protected:
  void resizeEvent(QResizeEvent*) override { edit_->setGeometry(rect()); }
};

}  // namespace

const ViewMaker kTextView = MakerOf<TextView>;

}  // namespace morvel::qt
