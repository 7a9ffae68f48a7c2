#include "qt/views/text_editor.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <algorithm>
#include <limits>

#include "qt/views/view_base.h"

namespace morvel::qt {

TextEditor::TextEditor(WidgetView& owner, TextWidget& model, QWidget* parent)
    : QLineEdit(parent),
      owner_(owner),
      text_(model),
      up_down_(dynamic_cast<UpDownText*>(&model)) {
  setContextMenuPolicy(Qt::NoContextMenu);
  setDragEnabled(false);
  setAcceptDrops(false);
  QObject::connect(this, &QLineEdit::textEdited,
                   [this](const QString&) { PushText(); });
  QObject::connect(this, &QLineEdit::selectionChanged,
                   [this] { PushSelection(); });
  QObject::connect(this, &QLineEdit::cursorPositionChanged,
                   [this](int, int) { PushSelection(); });
}

void TextEditor::SyncText() {
  QSignalBlocker block(this);
  QString text = ToQ(text_.Text());
  if (this->text() != text) setText(text);
  SyncSelection();
}

void TextEditor::SyncSelection() {
  QSignalBlocker block(this);
  if (window()->focusWidget() != this && text_.Tree().Focused() != &text_) {
    // A field nobody is typing in shows the start of its text: a number
    // too long for it reads by its leading figures ("0.78539"), never by
    // its tail ("53982"). The caret the model keeps comes back with the
    // focus. (A field clicked in a window that is not yet active is its
    // window's focus, though not yet the application's: it is typed in.)
    if (hasSelectedText() || cursorPosition() != 0) {
      deselect();
      setCursorPosition(0);
    }
    return;
  }
  const std::string& text = text_.Text();
  int start = ToViewPos(text, text_.SelStart());
  int end = ToViewPos(
      text, static_cast<Long>(std::min<long long>(
                static_cast<long long>(text_.SelStart()) + text_.SelLength(),
                std::numeric_limits<Long>::max())));
  if (end > start) {
    if (selectionStart() != start || selectedText().size() != end - start) {
      setSelection(start, end - start);
    }
  } else if (hasSelectedText() || cursorPosition() != start) {
    deselect();
    setCursorPosition(start);
  }
}

void TextEditor::keyPressEvent(QKeyEvent* event) {
  if (owner_.on_key_down && (event->matches(QKeySequence::Copy) ||
                             event->matches(QKeySequence::Cut) ||
                             event->matches(QKeySequence::Paste))) {
    Integer code = event->matches(QKeySequence::Copy)  ? 67
                   : event->matches(QKeySequence::Cut) ? 88
                                                       : 86;
    PushSelection();
    owner_.Act(text_, [this, code] { owner_.on_key_down(code, 2); });
    event->accept();
    return;
  }
  if (up_down_ &&
      (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
    int direction = event->key() == Qt::Key_Up ? 1 : -1;
    owner_.Act(text_,
               [this, direction] { UserInput::Step(*up_down_, direction); });
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // The up-down field and the text field commit on Enter; in a plain
    // text box Enter means nothing (its edit ends when it loses focus).
    if (text_.Commits()) CommitNow();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    // A key the field's filter sees; a field puts its committed text back.
    TypeKey(QString(QChar(27)));
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Backspace &&
      !(event->modifiers() & Qt::ControlModifier)) {
    // Backspace is a key the field's filter sees, like a character.
    TypeKey(QString(QChar(8)));
    event->accept();
    return;
  }
  QString typed = event->text();
  bool printable =
      !typed.isEmpty() &&
      !(event->modifiers() &
        (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
      std::all_of(typed.begin(), typed.end(),
                  [](QChar c) { return c.isPrint(); });
  if (printable) {
    TypeKey(typed);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TextEditor::TypeKey(const QString& typed) {
  PushSelection();
  owner_.Act(text_,
             [this, &typed] { UserInput::Type(text_, typed.toStdString()); });
}

void TextEditor::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() == Qt::PopupFocusReason ||
      event->reason() == Qt::ActiveWindowFocusReason) {
    return;
  }
  // Clicking or tabbing into an up-down field activates it; the focus
  // given by code does not.
  bool by_person = event->reason() == Qt::MouseFocusReason ||
                   event->reason() == Qt::TabFocusReason ||
                   event->reason() == Qt::BacktabFocusReason ||
                   event->reason() == Qt::ShortcutFocusReason;
  owner_.Act(text_, [this, by_person] {
    if (!text_.IsUsable()) return;
    if (text_.Tree().Focused() != &text_) UserInput::Focus(text_);
    if (up_down_ && by_person) UserInput::Activate(*up_down_);
  });
  // The click that brought the focus must not undo the selection the
  // activation made (the whole value, ready to be typed over).
  keep_selection_ = event->reason() == Qt::MouseFocusReason;
}

void TextEditor::mousePressEvent(QMouseEvent* event) {
  if (keep_selection_) {
    keep_selection_ = false;
    event->accept();
    return;
  }
  QLineEdit::mousePressEvent(event);
}

void TextEditor::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  keep_selection_ = false;
  if (event->reason() == Qt::PopupFocusReason ||
      event->reason() == Qt::ActiveWindowFocusReason) {
    return;
  }
  // The model commits what the person changed as the field loses the
  // focus, however it was left; what the commit's handlers do may take
  // this editor away.
  QPointer<TextEditor> self(this);
  owner_.Act(text_, [this] {
    if (text_.Tree().Focused() == &text_) UserInput::Blur(text_);
  });
  if (self) SyncSelection();
}

void TextEditor::CommitNow() {
  owner_.Act(text_, [this] {
    if (text_.IsUsable()) UserInput::Commit(text_, std::nullopt);
  });
}

void TextEditor::PushText() {
  if (owner_.Syncing()) return;
  QString now = text();
  int caret = cursorPosition();
  owner_.Act(text_, [this, &now, caret] {
    UserInput::Edit(text_, now.toStdString(), ToModelPos(now, caret));
  });
}

void TextEditor::PushSelection() {
  if (owner_.Syncing() || pushing_) return;
  pushing_ = true;
  QString now = text();
  Long start = 0, length = 0;
  if (hasSelectedText()) {
    int s = selectionStart();
    start = ToModelPos(now, s);
    length =
        ToModelPos(now, s + static_cast<int>(selectedText().size())) - start;
  } else {
    start = ToModelPos(now, cursorPosition());
  }
  if (start != text_.SelStart() || length != text_.SelLength()) {
    Quietly([&] { text_.SetSelection(start, length); });
  }
  pushing_ = false;
}

}  // namespace morvel::qt
