#ifndef MORVEL_QT_VIEWS_TEXT_EDITOR_H_
#define MORVEL_QT_VIEWS_TEXT_EDITOR_H_

#include <QLineEdit>

#include "qt/views/view_base.h"
#include "qt/widget_view.h"
#include "widgets/widget.h"

// The line edit of a text box, a text field or an up-down field. Typed
// characters go key by key through the model (and its key filter), Escape
// too; other editing (deleting, moving the caret) is done by the line edit
// and copied into the model as the person's edit. The model decides what
// leaving the field means (a field commits what the person changed).
namespace morvel::qt {

class TextEditor final : public QLineEdit {
 public:
  TextEditor(WidgetView& owner, TextWidget& model, QWidget* parent);

  // Model to view.
  void SyncText();
  void SyncSelection();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void CommitNow();
  // View to model: the line edit changed the text (a deletion, an undo).
  void PushText();
  void PushSelection();
  // A typed key (a character, or 8 for Backspace) through the model.
  void TypeKey(const QString& typed);

  WidgetView& owner_;
  TextWidget& text_;
  UpDownText* up_down_;
  bool keep_selection_ = false;
  bool pushing_ = false;
};

// The view of a text widget (`Shown`: a text box, a text field or an up-down
// field): a line edit that takes its focus and its accessible name, and
// shows the model's text and selection.
template <class Shown>
class EditorView : public View<QWidget, Shown> {
 public:
  EditorView(WidgetView& owner, Widget& model, QWidget* parent)
      : View<QWidget, Shown>(owner, model, parent),
        edit_(new TextEditor(owner, this->Model(), this)) {
    this->setFocusProxy(edit_);
  }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kText) edit_->SyncText();
    if (property == WidgetProperty::kSelection) edit_->SyncSelection();
    this->SyncCommon(property);
  }
  void Resync() override { edit_->SyncText(); }
  void SetAccessibleName(const QString& name) override {
    ViewBase::SetAccessibleName(name);
    edit_->setAccessibleName(name);
  }

 protected:
  TextEditor* const edit_;
};

}  // namespace morvel::qt

#endif  // MORVEL_QT_VIEWS_TEXT_EDITOR_H_
