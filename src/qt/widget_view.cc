#include "qt/widget_view.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "base/numbers.h"
#include "qt/pictures.h"
#include "qt/qt_platform.h"

namespace morvel::qt {

// The part every Qt widget of the view shares: the model widget it shows and
// the view it belongs to.
class ViewBase {
 public:
  ViewBase(WidgetView& owner, Widget& model) : owner_(owner), model_(model) {}
  virtual ~ViewBase() = default;
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
  Widget& Model() const { return model_; }
  WidgetView& Owner() const { return owner_; }

 protected:
  void SyncCommon(WidgetProperty property);
  WidgetView& owner_;
  Widget& model_;
};

namespace {

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

// Positions in the model's texts count characters (code points); Qt counts
// UTF-16 units, two for a character outside the basic plane.
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

// A label at the top of a frame is the frame's heading (the panel's sections
// are frames whose first label names them).
bool IsHeading(const Widget& label) {
  return label.Kind() == WidgetKind::kLabel && label.Parent() &&
         label.Parent()->Kind() == WidgetKind::kFrame && label.Top() <= 45 &&
         !label.Caption().empty();
}

// Sets `slot` to `value` for the length of a scope and puts the old value
// back however the scope is left, an exception included: an error in a sync
// or a handler must never leave the view deaf to input.
template <class T>
class ScopedValue {
 public:
  ScopedValue(T& slot, T value) : slot_(slot), saved_(slot) { slot_ = value; }
  ~ScopedValue() { slot_ = saved_; }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& slot_;
  T saved_;
};

// ------------------------------------------------------------------ form

class FormView final : public QWidget, public ViewBase {
 public:
  FormView(WidgetView& owner, Widget& model, QWidget* parent)
      : QWidget(parent), ViewBase(owner, model) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption) {
      setWindowTitle(ToQ(PlainCaption(model_.Caption())));
    }
    SyncCommon(property);
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    owner_.Resized();
  }
  // Keys reach the host's key handler when the form itself has the
  // keyboard. A copy key pressed over a check box or a list is not passed
  // on: the panel would empty the clipboard for a widget that has no text to
  // copy. (The text widgets pass their copy, cut and paste keys on
  // themselves.)
  void keyPressEvent(QKeyEvent* event) override {
    Integer code = KeyCode(*event);
    bool control = event->modifiers() & Qt::ControlModifier;
    if (owner_.on_key_down && &model_ == &owner_.Root() && code != 0 &&
        hasFocus()) {
      Integer shift = static_cast<Integer>(
          ((event->modifiers() & Qt::ShiftModifier) ? 1 : 0) |
          (control ? 2 : 0) | ((event->modifiers() & Qt::AltModifier) ? 4 : 0));
      owner_.Act(model_,
                 [this, code, shift] { owner_.on_key_down(code, shift); });
      event->accept();
      return;
    }
    QWidget::keyPressEvent(event);
  }

 private:
  // The key codes of letters and digits are their upper-case characters.
  static Integer KeyCode(const QKeyEvent& event) {
    int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) ||
        (key >= Qt::Key_0 && key <= Qt::Key_9)) {
      return static_cast<Integer>(key);
    }
    return 0;
  }
};

// ------------------------------------------------------------------ frame

// A frame with a caption is drawn as a titled section: the caption and a
// rule beside it. A frame without caption and without children is the
// panel's divider: only its top edge shows. Other frames are plain
// containers.
class FrameView final : public QWidget, public ViewBase {
 public:
  FrameView(WidgetView& owner, Widget& model, QWidget* parent)
      : QWidget(parent), ViewBase(owner, model) {}
  const Widget* Heading() const {
    for (const Widget* child : model_.Children()) {
      if (IsHeading(*child) && child->Visible()) return child;
    }
    return nullptr;
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption ||
        property == WidgetProperty::kChildren) {
      update();
    }
    SyncCommon(property);
  }

 protected:
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

// ------------------------------------------------------------------ label

class LabelView final : public QLabel, public ViewBase {
 public:
  LabelView(WidgetView& owner, Widget& model, QWidget* parent)
      : QLabel(parent), ViewBase(owner, model) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  QWidget* Q() override { return this; }
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
  // A one-line caption that still does not fit its room is set a little
  // tighter, then a pixel smaller, rather than cut.
  void Fit() {
    QFont fitted = BaseFont();
    bool multi = MultiLine(QFontMetrics(fitted));
    setWordWrap(multi);
    if (!multi && !text().isEmpty()) {
      for (int step = 0;
           step < 4 && QFontMetrics(fitted).horizontalAdvance(text()) > width();
           ++step) {
        if (step < 2) {
          fitted.setLetterSpacing(QFont::PercentageSpacing,
                                  100 - 5 * (step + 1));
        } else if (fitted.pixelSize() > 9) {
          fitted.setPixelSize(fitted.pixelSize() - 1);
        }
      }
    }
    if (fitted != font()) setFont(fitted);
  }
};

// ------------------------------------------------------------------ check box

class CheckBoxView final : public QCheckBox, public ViewBase {
 public:
  CheckBoxView(WidgetView& owner, CheckBox& model, QWidget* parent)
      : QCheckBox(parent), ViewBase(owner, model), box_(model) {
    setTristate(true);
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kCaption:
        setText(ToQ(box_.Caption()));
        SyncCommon(WidgetProperty::kGeometry);
        Fit();
        return;
      case WidgetProperty::kValue:
        Resync();
        break;
      default:
        break;
    }
    SyncCommon(property);
    if (property == WidgetProperty::kGeometry) Fit();
  }
  int WantedWidth() override {
    if (text().isEmpty()) return 0;
    return Chrome() + QFontMetrics(BaseFont()).horizontalAdvance(PlainText());
  }
  // As a label does: a caption that does not fit its room is set a little
  // tighter, then a pixel smaller, rather than cut.
  void Fit() {
    QFont fitted = BaseFont();
    if (!text().isEmpty()) {
      int chrome = Chrome();
      for (int step = 0;
           step < 4 &&
           chrome + QFontMetrics(fitted).horizontalAdvance(PlainText()) >
               width();
           ++step) {
        if (step < 2) {
          fitted.setLetterSpacing(QFont::PercentageSpacing,
                                  100 - 5 * (step + 1));
        } else if (fitted.pixelSize() > 9) {
          fitted.setPixelSize(fitted.pixelSize() - 1);
        }
      }
    }
    if (fitted != font()) setFont(fitted);
  }
  void Resync() override {
    QSignalBlocker block(this);
    switch (box_.Value()) {
      case 1:
        setCheckState(Qt::Checked);
        break;
      case 2:
        setCheckState(Qt::PartiallyChecked);
        break;
      default:
        setCheckState(Qt::Unchecked);
        break;
    }
  }

 protected:
  QFont BaseFont() const {
    return parentWidget() ? parentWidget()->font() : font();
  }
  QString PlainText() const { return ToQ(PlainCaption(box_.Caption())); }
  // The indicator and the space beside it.
  int Chrome() const {
    return sizeHint().width() - fontMetrics().horizontalAdvance(PlainText());
  }
  // A click goes to the model, which decides the next value (a grey box
  // becomes checked); the view then shows what the model holds.
  void nextCheckState() override {
    owner_.Act(box_, [this] { UserInput::Click(box_); });
  }

 private:
  CheckBox& box_;
};

// ------------------------------------------------------------------ combo box

class ComboView final : public QComboBox, public ViewBase {
 public:
  ComboView(WidgetView& owner, ComboBox& model, QWidget* parent)
      : QComboBox(parent), ViewBase(owner, model), combo_(model) {
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QComboBox::activated, [this](int index) {
      if (owner_.Syncing()) return;
      owner_.Act(combo_, [this, index] { UserInput::Pick(combo_, index); });
    });
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kItems: {
        QSignalBlocker block(this);
        clear();
        for (const std::string& item : combo_.Items()) addItem(ToQ(item));
        setCurrentIndex(combo_.ListIndex());
        break;
      }
      case WidgetProperty::kValue:
        Resync();
        break;
      default:
        break;
    }
    SyncCommon(property);
  }
  void Resync() override {
    QSignalBlocker block(this);
    if (count() != combo_.ListCount()) {
      clear();
      for (const std::string& item : combo_.Items()) addItem(ToQ(item));
    }
    setCurrentIndex(combo_.ListIndex());
  }

 protected:
  // A wheel turned over a list that does not have the focus scrolls the
  // panel, not the value: the panel is a long page of lists.
  void wheelEvent(QWheelEvent* event) override {
    if (hasFocus()) {
      QComboBox::wheelEvent(event);
    } else {
      event->ignore();
    }
  }

 private:
  ComboBox& combo_;
};

// ------------------------------------------------------------------ button

class ButtonView final : public QPushButton, public ViewBase {
 public:
  ButtonView(WidgetView& owner, Button& model, QWidget* parent)
      : QPushButton(parent), ViewBase(owner, model), button_(model) {
    setAutoDefault(false);
    QObject::connect(this, &QPushButton::clicked, [this] {
      if (owner_.Syncing()) return;
      owner_.Act(button_, [this] { UserInput::Click(button_); });
    });
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    if (property == WidgetProperty::kCaption) setText(ToQ(button_.Caption()));
    SyncCommon(property);
  }

 private:
  Button& button_;
};

// ------------------------------------------------------------------ picture
// box

class PictureView final : public QWidget, public ViewBase {
 public:
  PictureView(WidgetView& owner, PictureBox& model, QWidget* parent)
      : QWidget(parent), ViewBase(owner, model), box_(model) {}
  QWidget* Q() override { return this; }
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
    p.fillRect(rect(), ToQColor(box_.BackColor()));
    QPixmap pixmap = PictureFor(box_.Picture(), ToQ(owner_.PictureFolder()));
    if (!pixmap.isNull()) {
      QPoint at((width() - pixmap.width()) / 2,
                (height() - pixmap.height()) / 2);
      p.drawPixmap(at, pixmap);
    }
    // A box that holds other widgets is only their background; a box of its
    // own (a colour swatch) gets the sunken edge it was designed with.
    if (box_.Children().empty()) {
      p.setPen(palette().color(QPalette::Dark));
      p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton)
      return QWidget::mousePressEvent(event);
    event->accept();
    owner_.Act(box_, [this] { UserInput::Click(box_); });
  }

 private:
  PictureBox& box_;
};

// ------------------------------------------------------------------ slider

class SliderView final : public QSlider, public ViewBase {
 public:
  SliderView(WidgetView& owner, Slider& model, QWidget* parent)
      : QSlider(Qt::Horizontal, parent),
        ViewBase(owner, model),
        slider_(model) {
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QSlider::valueChanged, [this](int value) {
      if (owner_.Syncing()) return;
      owner_.Act(slider_,
                 [this, value] { UserInput::MoveSlider(slider_, value); });
    });
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kRange:
        SyncRange();
        break;
      case WidgetProperty::kValue:
        Resync();
        break;
      case WidgetProperty::kGeometry:
        SyncCommon(property);
        SyncTicks();
        return;
      default:
        break;
    }
    SyncCommon(property);
  }
  void Resync() override {
    QSignalBlocker block(this);
    setValue(slider_.Value());
  }

 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (hasFocus()) {
      QSlider::wheelEvent(event);
    } else {
      event->ignore();
    }
  }

 private:
  void SyncRange() {
    QSignalBlocker block(this);
    Long lo = std::min(slider_.Min(), slider_.Max());
    Long hi = std::max(slider_.Min(), slider_.Max());
    // A range given high to low runs from right to left, as it was designed.
    setInvertedAppearance(slider_.Min() > slider_.Max());
    setRange(lo, hi);
    setSingleStep(std::max<Long>(1, slider_.SmallChange()));
    setPageStep(std::max<Long>(1, slider_.LargeChange()));
    setValue(slider_.Value());
    SyncTicks();
  }
  void SyncTicks() {
    // A range may span the whole of Long: its width needs 64 bits.
    long long frequency = slider_.TickFrequency();
    long long span =
        std::llabs(static_cast<long long>(slider_.Max()) - slider_.Min());
    // Ticks closer than three pixels are a grey smear: leave them out.
    bool room = height() >= 24 && frequency > 0 && span > 0 &&
                width() / std::max<long long>(1, span / frequency) >= 3;
    setTickPosition(room ? QSlider::TicksBelow : QSlider::NoTicks);
    setTickInterval(std::max<Long>(1, frequency));
  }
  Slider& slider_;
};

// ------------------------------------------------------------------ text

// The line edit of a text box, a text field or an up-down field. Typed
// characters go key by key through the model (and its key filter); other
// editing (deleting, moving the caret) is done by the line edit and copied
// into the model.
class TextEditor final : public QLineEdit {
 public:
  TextEditor(WidgetView& owner, TextWidget& model, QWidget* parent)
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

  // Model to view.
  void SyncText() {
    QSignalBlocker block(this);
    QString text = ToQ(text_.Text());
    if (this->text() != text) setText(text);
    if (owner_.Acting() != &text_) dirty_ = false;
    SyncSelection();
  }
  void SyncSelection() {
    QSignalBlocker block(this);
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

 protected:
  void keyPressEvent(QKeyEvent* event) override {
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
      dirty_ = false;
      event->accept();
      return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      // The up-down field and the text field commit on Enter; in a plain
      // text box Enter means nothing (its edit ends when it loses focus).
      if (Commits()) CommitNow();
      event->accept();
      return;
    }
    QString typed = event->text();
    if (event->key() == Qt::Key_Backspace &&
        !(event->modifiers() & Qt::ControlModifier)) {
      // Backspace is a key the field's filter sees, like a character.
      typed = QString(QChar(8));
      PushSelection();
      owner_.Act(text_, [this, &typed] {
        UserInput::Type(text_, typed.toStdString());
      });
      dirty_ = true;
      event->accept();
      return;
    }
    bool printable =
        !typed.isEmpty() &&
        !(event->modifiers() &
          (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        std::all_of(typed.begin(), typed.end(),
                    [](QChar c) { return c.isPrint(); });
    if (printable) {
      PushSelection();
      owner_.Act(text_, [this, &typed] {
        UserInput::Type(text_, typed.toStdString());
      });
      dirty_ = true;
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

  void focusInEvent(QFocusEvent* event) override {
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

  void mousePressEvent(QMouseEvent* event) override {
    if (keep_selection_) {
      keep_selection_ = false;
      event->accept();
      return;
    }
    QLineEdit::mousePressEvent(event);
  }

  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    keep_selection_ = false;
    if (event->reason() == Qt::PopupFocusReason ||
        event->reason() == Qt::ActiveWindowFocusReason) {
      return;
    }
    // A person who typed a value and clicks or tabs elsewhere means it.
    bool by_person = event->reason() == Qt::MouseFocusReason ||
                     event->reason() == Qt::TabFocusReason ||
                     event->reason() == Qt::BacktabFocusReason;
    if (dirty_ && by_person && Commits()) CommitNow();
    owner_.Act(text_, [this] {
      if (text_.Tree().Focused() == &text_) UserInput::Blur(text_);
    });
  }

 private:
  bool Commits() const { return text_.Kind() != WidgetKind::kTextBox; }
  void CommitNow() {
    dirty_ = false;
    owner_.Act(text_, [this] {
      if (text_.IsUsable()) UserInput::Commit(text_, std::nullopt);
    });
  }
  // View to model: the line edit changed the text (a deletion, an undo).
  void PushText() {
    if (owner_.Syncing()) return;
    dirty_ = true;
    QString now = text();
    int caret = cursorPosition();
    owner_.Act(text_, [this, &now, caret] {
      std::string value = now.toStdString();
      Long pos = ToModelPos(now, caret);
      text_.SetText(value);
      text_.SetSelection(pos, 0);
    });
  }
  void PushSelection() {
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

  WidgetView& owner_;
  TextWidget& text_;
  UpDownText* up_down_;
  bool dirty_ = false;
  bool keep_selection_ = false;
  bool pushing_ = false;
};

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
  TextEditor* Editor() const { return edit_; }
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

 protected:
  void resizeEvent(QResizeEvent*) override { edit_->setGeometry(rect()); }

 private:
  TextWidget& text_;
  TextEditor* edit_;
};

// The up-down field: the line edit with two step buttons on its right.
class UpDownView final : public QWidget, public ViewBase {
 public:
  UpDownView(WidgetView& owner, UpDownText& model, QWidget* parent)
      : QWidget(parent),
        ViewBase(owner, model),
        field_(model),
        edit_(new TextEditor(owner, model, this)),
        up_(new QToolButton(this)),
        down_(new QToolButton(this)) {
    setFocusProxy(edit_);
    for (QToolButton* b : {up_, down_}) {
      b->setAutoRepeat(true);
      b->setFocusPolicy(Qt::NoFocus);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAccessibleName(QStringLiteral("Increase"));
    down_->setAccessibleName(QStringLiteral("Decrease"));
    QObject::connect(up_, &QToolButton::clicked, [this] { Step(1); });
    QObject::connect(down_, &QToolButton::clicked, [this] { Step(-1); });
  }
  QWidget* Q() override { return this; }
  TextEditor* Editor() const { return edit_; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kText:
        edit_->SyncText();
        SyncButtons();
        break;
      case WidgetProperty::kSelection:
        edit_->SyncSelection();
        break;
      case WidgetProperty::kRange:
        SyncButtons();
        break;
      default:
        break;
    }
    SyncCommon(property);
  }
  void Resync() override {
    edit_->SyncText();
    SyncButtons();
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    int button_width = std::min(16, width() / 3);
    int h = height();
    edit_->setGeometry(0, 0, width() - button_width, h);
    up_->setGeometry(width() - button_width, 0, button_width, h / 2);
    down_->setGeometry(width() - button_width, h / 2, button_width, h - h / 2);
  }

 private:
  void Step(int direction) {
    owner_.Act(field_,
               [this, direction] { UserInput::Step(field_, direction); });
  }
  // A step button is dimmed once the value stands at that bound.
  void SyncButtons() {
    double value = 0;
    bool known = Quietly([&] { value = TextToDouble(field_.Text()); });
    double lo = std::min(field_.MinValue(), field_.MaxValue());
    double hi = std::max(field_.MinValue(), field_.MaxValue());
    up_->setEnabled(!known || value < hi);
    down_->setEnabled(!known || value > lo);
  }
  UpDownText& field_;
  TextEditor* edit_;
  QToolButton* up_;
  QToolButton* down_;
};

// ------------------------------------------------------------------ grid

// Alignment codes of the grid: 0-2 left, 3-5 centre, 6-8 right (top, centre,
// bottom within each); 9 general (numbers right, text left). Code 0, the
// default of every cell, is shown centred vertically like the rest.
Qt::Alignment GridAlignment(Integer code, const QString& text) {
  Qt::Alignment vertical = Qt::AlignVCenter;
  if (code >= 1 && code <= 8) {
    int v = code % 3;
    vertical = v == 0   ? Qt::AlignTop
               : v == 1 ? Qt::AlignVCenter
                        : Qt::AlignBottom;
  }
  if (code == 0) vertical = Qt::AlignVCenter;
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (code >= 3 && code <= 5) horizontal = Qt::AlignHCenter;
  if (code >= 6 && code <= 8) horizontal = Qt::AlignRight;
  if (code == 9) {
    bool number = false;
    text.toDouble(&number);
    horizontal = number ? Qt::AlignRight : Qt::AlignLeft;
  }
  return horizontal | vertical;
}

class GridModel final : public QAbstractTableModel {
 public:
  GridModel(WidgetView& owner, FlexGrid& grid, QObject* parent)
      : QAbstractTableModel(parent), owner_(owner), grid_(grid) {
    Capture();
  }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : std::max(0, rows_ - header_rows_);
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : cols_;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    return Cell(index.row() + header_rows_, index.column(), role);
  }
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override {
    if (orientation != Qt::Horizontal || header_rows_ == 0) return {};
    return Cell(0, section, role);
  }
  int HeaderRows() const { return header_rows_; }
  // Whether the grid's shape moved away from the model's.
  bool Stale() const {
    int header = grid_.FixedRows() > 0 && grid_.Rows() > 0 ? 1 : 0;
    return grid_.Rows() != rows_ || grid_.Cols() != cols_ ||
           header != header_rows_;
  }
  void CellChanged(Long row, Long col) {
    if (row < header_rows_) {
      emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
      QModelIndex at = index(row - header_rows_, col);
      emit dataChanged(at, at);
    }
  }
  // Brings the model's shape up to the grid's; true when it changed.
  bool Reshape() {
    int rows = grid_.Rows(), cols = grid_.Cols();
    int header = grid_.FixedRows() > 0 && rows > 0 ? 1 : 0;
    if (rows == rows_ && cols == cols_ && header == header_rows_) {
      if (rowCount() > 0 && cols_ > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, cols_ - 1));
      }
      if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
      return false;
    }
    beginResetModel();
    Capture();
    endResetModel();
    return true;
  }

 private:
  void Capture() {
    rows_ = grid_.Rows();
    cols_ = grid_.Cols();
    header_rows_ = grid_.FixedRows() > 0 && rows_ > 0 ? 1 : 0;
  }
  QVariant Cell(int row, int col, int role) const {
    if (row < 0 || row >= grid_.Rows() || col < 0 || col >= grid_.Cols())
      return {};
    switch (role) {
      case Qt::DisplayRole:
        return ToQ(grid_.TextMatrix(row, col));
      case Qt::DecorationRole: {
        QPixmap pixmap = PictureFor(grid_.CellPictureAt(row, col),
                                    ToQ(owner_.PictureFolder()));
        if (pixmap.isNull()) return {};
        return pixmap;
      }
      case Qt::BackgroundRole: {
        Colour colour = grid_.CellBackColorAt(row, col);
        if (colour != 0) return ToQColor(colour);
        if (col < grid_.FixedCols())
          return ToQColor(static_cast<Colour>(0x8000000F));
        return {};
      }
      case Qt::TextAlignmentRole:
        return static_cast<int>(GridAlignment(grid_.CellAlignmentAt(row, col),
                                              ToQ(grid_.TextMatrix(row, col))));
      case Qt::ToolTipRole:
      case Qt::AccessibleTextRole: {
        const std::string& picture = grid_.CellPictureAt(row, col);
        QString text = ToQ(grid_.TextMatrix(row, col));
        if (row == 0 && picture.rfind("image:", 0) == 0) {
          return ImageListMeaning(ToQ(picture.substr(6)).toInt());
        }
        if (!text.isEmpty()) return text;
        if (!picture.empty()) {
          std::string path;
          int size = 0;
          if (ParseThumbnail(picture, &path, &size)) return ToQ(path);
        }
        if (role == Qt::AccessibleTextRole &&
            grid_.CellBackColorAt(row, col) != 0) {
          return QColor::fromRgba(ColourToRgb(grid_.CellBackColorAt(row, col)))
              .name();
        }
        return {};
      }
      default:
        return {};
    }
  }

  WidgetView& owner_;
  FlexGrid& grid_;
  int rows_ = 0, cols_ = 0, header_rows_ = 0;
};

// Cells: the colour, the picture centred, the text as the cell aligns it.
class GridDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid())
      p->fillRect(option.rect, background.value<QColor>());
    QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.isValid()) {
      QPixmap pixmap = decoration.value<QPixmap>();
      QSize fit = pixmap.size().boundedTo(option.rect.size() - QSize(1, 1));
      if (fit != pixmap.size()) {
        pixmap =
            pixmap.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      }
      QPoint at(option.rect.x() + (option.rect.width() - pixmap.width()) / 2,
                option.rect.y() + (option.rect.height() - pixmap.height()) / 2);
      p->drawPixmap(at, pixmap);
    }
    QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
      auto alignment =
          static_cast<Qt::Alignment>(index.data(Qt::TextAlignmentRole).toInt());
      p->setPen(option.palette.color(QPalette::Text));
      p->setFont(option.font);
      p->drawText(option.rect.adjusted(4, 0, -4, 0), alignment,
                  option.fontMetrics.elidedText(text, Qt::ElideRight,
                                                option.rect.width() - 8));
    }
  }
};

// The fixed header row: pictures centred, captions centred.
class GridHeader final : public QHeaderView {
 public:
  explicit GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

 protected:
  void paintSection(QPainter* p, const QRect& rect,
                    int section) const override {
    if (!rect.isValid()) return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = section;
    option.text.clear();
    option.icon = QIcon();
    option.sortIndicator = QStyleOptionHeader::None;
    style()->drawControl(QStyle::CE_HeaderSection, &option, p, this);
    QAbstractItemModel* m = model();
    if (!m) return;
    QVariant decoration =
        m->headerData(section, Qt::Horizontal, Qt::DecorationRole);
    if (decoration.isValid()) {
      QPixmap pixmap = decoration.value<QPixmap>();
      p->drawPixmap(rect.x() + (rect.width() - pixmap.width()) / 2,
                    rect.y() + (rect.height() - pixmap.height()) / 2, pixmap);
    }
    QString text =
        m->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
      p->setPen(palette().color(QPalette::ButtonText));
      p->drawText(
          rect.adjusted(2, 0, -2, 0), Qt::AlignCenter,
          fontMetrics().elidedText(text, Qt::ElideRight, rect.width() - 4));
    }
  }
};

class GridView final : public QTableView, public ViewBase {
 public:
  GridView(WidgetView& owner, FlexGrid& model, QWidget* parent)
      : QTableView(parent),
        ViewBase(owner, model),
        grid_(model),
        model_(new GridModel(owner, model, this)) {
    setHorizontalHeader(new GridHeader(this));
    setModel(model_);
    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    QObject::connect(this, &QTableView::clicked,
                     [this](const QModelIndex& index) {
                       if (owner_.Syncing() || !index.isValid()) return;
                       Long row = index.row() + model_->HeaderRows();
                       Long col = index.column();
                       owner_.Act(grid_, [this, row, col] {
                         UserInput::ClickCell(grid_, row, col);
                       });
                     });
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty property) override {
    switch (property) {
      case WidgetProperty::kGrid:
        // One cell: repaint it now. Structure (counts, sizes, everything at
        // once): rebuild once the burst of changes is over.
        if (grid_.Redraw() && grid_.ChangedRow() >= 0 && !model_->Stale()) {
          model_->CellChanged(grid_.ChangedRow(), grid_.ChangedCol());
        } else {
          owner_.ScheduleFlush(this);
        }
        break;
      case WidgetProperty::kRedraw:
        // While the grid is being filled nothing is painted; the fill is
        // shown in one piece when drawing is switched on again.
        viewport()->setUpdatesEnabled(grid_.Redraw());
        if (grid_.Redraw()) owner_.ScheduleFlush(this);
        break;
      default:
        break;
    }
    SyncCommon(property);
  }
  void Refresh() override {
    if (!grid_.Redraw()) return;
    model_->Reshape();
    QHeaderView* columns = horizontalHeader();
    for (Long c = 0; c < grid_.Cols(); ++c) {
      int width = owner_.ToPixelsX(grid_.ColWidth(c));
      if (columns->sectionSize(c) != width) columns->resizeSection(c, width);
    }
    int header_rows = model_->HeaderRows();
    columns->setVisible(header_rows > 0);
    if (header_rows > 0) {
      int designed = owner_.ToPixelsY(grid_.RowHeight(0));
      // The header keeps its designed height unless the captions would not
      // fit in it.
      int needed = fontMetrics().height() + 4;
      columns->setFixedHeight(std::max(designed, needed));
    }
    // Rows share one height almost always: that height becomes the
    // default, and only the rows that differ get their own.
    QHeaderView* rows = verticalHeader();
    Long count = grid_.Rows() - header_rows;
    if (count > 0) {
      int common = std::max(1, owner_.ToPixelsY(grid_.RowHeight(header_rows)));
      if (rows->defaultSectionSize() != common)
        rows->setDefaultSectionSize(common);
      for (Long r = 0; r < count; ++r) {
        int height =
            std::max(1, owner_.ToPixelsY(grid_.RowHeight(r + header_rows)));
        if (rows->sectionSize(r) != height) rows->resizeSection(r, height);
      }
    }
    viewport()->update();
  }

 private:
  FlexGrid& grid_;
  GridModel* model_;
};

// The image list is never on screen; it gets an invisible stand-in so that
// every model widget has a Qt widget.
class HiddenView final : public QWidget, public ViewBase {
 public:
  HiddenView(WidgetView& owner, Widget& model, QWidget* parent)
      : QWidget(parent), ViewBase(owner, model) {
    hide();
  }
  QWidget* Q() override { return this; }
  void Sync(WidgetProperty) override {}
};

}  // namespace

// ------------------------------------------------------------------ ViewBase

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

// ------------------------------------------------------------------ WidgetView

WidgetView::WidgetView(WidgetTree& tree, Widget& root,
                       const ScreenMetrics& metrics, QWidget* parent)
    : tree_(tree),
      root_(root),
      metrics_(metrics),
      state_(std::make_shared<State>()) {
  Build(root_, parent);
  root_view_ = views_.at(&root_)->Q();
  // The panel's layout was made for an 8 point font; the same size on this
  // screen keeps the captions in the room they were given.
  QFont font = root_view_->font();
  font.setPixelSize(
      std::max(9, static_cast<int>(std::lround(
                      160.0 / std::max<Long>(1, metrics_.TwipsPerPixelY())))));
  root_view_->setFont(font);
  for (auto& [widget, view] : views_) {
    if (widget->Kind() == WidgetKind::kLabel ||
        widget->Kind() == WidgetKind::kCheckBox) {
      view->Sync(WidgetProperty::kGeometry);
    }
  }
  tree_.AddObserver(this);
  Flush();
}

WidgetView::~WidgetView() {
  state_->alive = false;
  tree_.RemoveObserver(this);
  // The Qt widgets call back into this view: they go with it.
  QPointer<QWidget> root = root_view_;
  views_.clear();
  delete root.data();
}

QWidget* WidgetView::RootWidget() const { return root_view_; }

void WidgetView::SetFollowRootSize(bool on) {
  follow_root_size_ = on;
  if (on && root_view_) {
    root_view_->resize(ToPixelsX(root_.Width()), ToPixelsY(root_.Height()));
  }
}

QWidget* WidgetView::ViewOf(const Widget& widget) const {
  auto it = views_.find(&widget);
  if (it == views_.end() || widget.Kind() == WidgetKind::kImageList)
    return nullptr;
  return it->second->Q();
}

Widget* WidgetView::ModelOf(const QWidget* view) const {
  for (const QWidget* w = view; w; w = w->parentWidget()) {
    if (auto* base = dynamic_cast<const ViewBase*>(w)) {
      // Only views of this tree count.
      auto it = views_.find(&base->Model());
      if (it != views_.end() && it->second == base) return &base->Model();
      return nullptr;
    }
  }
  return nullptr;
}

QWidget* WidgetView::Find(std::string_view display_name) const {
  Widget* widget = tree_.FindByDisplayName(display_name);
  return widget ? ViewOf(*widget) : nullptr;
}

int WidgetView::ToPixelsX(Long twips) const {
  Long tpp = std::max<Long>(1, metrics_.TwipsPerPixelX());
  return static_cast<int>(std::lround(static_cast<double>(twips) / tpp));
}

int WidgetView::ToPixelsY(Long twips) const {
  Long tpp = std::max<Long>(1, metrics_.TwipsPerPixelY());
  return static_cast<int>(std::lround(static_cast<double>(twips) / tpp));
}

Long WidgetView::RightLimit(const Widget& widget) const {
  const Widget* parent = widget.Parent();
  long long limit = parent ? parent->Width() : std::numeric_limits<Long>::max();
  const long long left = widget.Left();
  const long long top = widget.Top();
  const long long bottom = top + widget.Height();
  if (parent) {
    for (const Widget* sibling : parent->Children()) {
      if (sibling == &widget || !sibling->Visible() ||
          sibling->Kind() == WidgetKind::kImageList) {
        continue;
      }
      const long long s_top = sibling->Top();
      const long long s_bottom = s_top + sibling->Height();
      if (s_top >= bottom || s_bottom <= top || sibling->Left() <= left)
        continue;
      // A little air between a caption and the next widget.
      limit = std::min<long long>(limit, sibling->Left() - 45);
    }
  }
  return static_cast<Long>(
      std::clamp<long long>(limit, left, std::numeric_limits<Long>::max()));
}

void WidgetView::SetPictureFolder(const QString& folder) {
  picture_folder_ = folder.toStdString();
  if (root_view_) root_view_->update();
}

void WidgetView::Build(Widget& widget, QWidget* parent_view) {
  ViewBase* view = nullptr;
  switch (widget.Kind()) {
    case WidgetKind::kForm:
      view = new FormView(*this, widget, parent_view);
      break;
    case WidgetKind::kFrame:
      view = new FrameView(*this, widget, parent_view);
      break;
    case WidgetKind::kLabel:
      view = new LabelView(*this, widget, parent_view);
      break;
    case WidgetKind::kCheckBox:
      view =
          new CheckBoxView(*this, static_cast<CheckBox&>(widget), parent_view);
      break;
    case WidgetKind::kComboBox:
      view = new ComboView(*this, static_cast<ComboBox&>(widget), parent_view);
      break;
    case WidgetKind::kButton:
      view = new ButtonView(*this, static_cast<Button&>(widget), parent_view);
      break;
    case WidgetKind::kPictureBox:
      view =
          new PictureView(*this, static_cast<PictureBox&>(widget), parent_view);
      break;
    case WidgetKind::kSlider:
      view = new SliderView(*this, static_cast<Slider&>(widget), parent_view);
      break;
    case WidgetKind::kUpDownText:
      view =
          new UpDownView(*this, static_cast<UpDownText&>(widget), parent_view);
      break;
    case WidgetKind::kTextField:
    case WidgetKind::kTextBox:
      view = new TextView(*this, static_cast<TextWidget&>(widget), parent_view);
      break;
    case WidgetKind::kFlexGrid:
      view = new GridView(*this, static_cast<FlexGrid&>(widget), parent_view);
      break;
    case WidgetKind::kImageList:
      view = new HiddenView(*this, widget, parent_view);
      break;
  }
  views_[&widget] = view;
  view->Q()->setObjectName(ToQ(widget.DisplayName()));
  if (&widget == &root_) root_view_ = view->Q();
  SyncAll(*view);
  for (Widget* child : widget.Children()) {
    if (!views_.count(child)) Build(*child, view->Q());
  }
  if (widget.Kind() == WidgetKind::kLabel && widget.Parent()) {
    RefreshAccessibleNames(*widget.Parent());
  }
}

void WidgetView::SyncAll(ViewBase& view) {
  ScopedValue syncing(state_->syncing, state_->syncing + 1);
  for (WidgetProperty property :
       {WidgetProperty::kGeometry, WidgetProperty::kCaption,
        WidgetProperty::kToolTip, WidgetProperty::kRange,
        WidgetProperty::kItems, WidgetProperty::kValue, WidgetProperty::kText,
        WidgetProperty::kSelection, WidgetProperty::kBackColor,
        WidgetProperty::kPicture, WidgetProperty::kGrid,
        WidgetProperty::kRedraw, WidgetProperty::kEnabled,
        WidgetProperty::kVisible}) {
    view.Sync(property);
  }
  view.Q()->setAccessibleName(ToQ(AccessibleNameOf(view.Model())));
  if (auto* text = dynamic_cast<TextView*>(&view)) {
    text->Editor()->setAccessibleName(view.Q()->accessibleName());
  } else if (auto* up_down = dynamic_cast<UpDownView*>(&view)) {
    up_down->Editor()->setAccessibleName(view.Q()->accessibleName());
  }
}

void WidgetView::OnWidgetChanged(Widget& widget, WidgetProperty property) {
  auto it = views_.find(&widget);
  if (it == views_.end()) {
    // A widget created after the view was built: mirror it when it belongs
    // under this view's root.
    Widget* parent = widget.Parent();
    if (!parent) return;
    auto parent_view = views_.find(parent);
    if (parent_view == views_.end()) return;
    ScopedValue syncing(state_->syncing, state_->syncing + 1);
    Build(widget, parent_view->second->Q());
    return;
  }
  ScopedValue syncing(state_->syncing, state_->syncing + 1);
  ViewBase& view = *it->second;
  if (property == WidgetProperty::kChildren) {
    for (Widget* child : widget.Children()) {
      if (!views_.count(child)) Build(*child, view.Q());
    }
  }
  if (&widget == &root_ && follow_root_size_ &&
      property == WidgetProperty::kGeometry) {
    root_view_->resize(ToPixelsX(root_.Width()), ToPixelsY(root_.Height()));
  }
  view.Sync(property);
  if ((property == WidgetProperty::kGeometry ||
       property == WidgetProperty::kVisible) &&
      widget.Parent()) {
    // A sibling that moved or appeared may take or give room to a caption.
    for (Widget* sibling : widget.Parent()->Children()) {
      if (sibling == &widget) continue;
      if (sibling->Kind() != WidgetKind::kLabel &&
          sibling->Kind() != WidgetKind::kCheckBox)
        continue;
      if (auto found = views_.find(sibling); found != views_.end()) {
        found->second->Sync(WidgetProperty::kGeometry);
      }
    }
  }
  switch (property) {
    case WidgetProperty::kCaption:
    case WidgetProperty::kToolTip:
      if (widget.Kind() == WidgetKind::kLabel && widget.Parent()) {
        RefreshAccessibleNames(*widget.Parent());
      } else {
        view.Q()->setAccessibleName(ToQ(AccessibleNameOf(widget)));
      }
      break;
    case WidgetProperty::kGeometry:
      if (widget.Kind() == WidgetKind::kLabel && widget.Parent()) {
        RefreshAccessibleNames(*widget.Parent());
      }
      break;
    default:
      break;
  }
}

void WidgetView::RefreshAccessibleNames(Widget& parent) {
  for (Widget* child : parent.Children()) {
    auto it = views_.find(child);
    if (it == views_.end()) continue;
    QString name = ToQ(AccessibleNameOf(*child));
    QWidget* q = it->second->Q();
    if (q->accessibleName() != name) q->setAccessibleName(name);
    if (auto* text = dynamic_cast<TextView*>(it->second)) {
      text->Editor()->setAccessibleName(name);
    } else if (auto* up_down = dynamic_cast<UpDownView*>(it->second)) {
      up_down->Editor()->setAccessibleName(name);
    }
  }
}

std::string WidgetView::AccessibleNameOf(const Widget& widget) const {
  std::string caption = PlainCaption(widget.Caption());
  while (!caption.empty() && caption.front() == ' ') caption.erase(0, 1);
  if (!caption.empty()) return caption;
  // The label that names a field stands on its left, on the same line; a
  // grid or a list may have its label just above it instead.
  if (Widget* parent = widget.Parent()) {
    const Widget* best = nullptr;
    long long best_distance = 0;
    const long long top = widget.Top();
    const long long bottom = top + widget.Height();
    const long long left = widget.Left();
    const long long right = left + widget.Width();
    const long long middle = (top + bottom) / 2;
    for (Widget* sibling : parent->Children()) {
      if (sibling == &widget || sibling->Kind() != WidgetKind::kLabel) continue;
      if (PlainCaption(sibling->Caption()).find_first_not_of(' ') ==
          std::string::npos) {
        continue;
      }
      const long long s_top = sibling->Top();
      const long long s_bottom = s_top + sibling->Height();
      const long long s_left = sibling->Left();
      const long long s_right = s_left + sibling->Width();
      const long long s_middle = (s_top + s_bottom) / 2;
      std::optional<long long> distance;
      bool same_line = (middle >= s_top && middle <= s_bottom) ||
                       (s_middle >= top && s_middle <= bottom);
      if (same_line && s_right <= left + 120) {
        distance = std::max(0LL, left - s_right);
      } else if (s_bottom <= top + 60 && top - s_bottom <= 400 &&
                 s_left < right && s_right > left) {
        distance =
            100000 +
            std::max(0LL, top - s_bottom);  // above: only when none beside
      }
      if (distance && (!best || *distance < best_distance)) {
        best = sibling;
        best_distance = *distance;
      }
    }
    if (best) {
      std::string name = PlainCaption(best->Caption());
      name.erase(0, name.find_first_not_of(' '));
      while (!name.empty() && (name.back() == ':' || name.back() == ' '))
        name.pop_back();
      if (widget.Index() >= 0) {
        // Elements of an array beside one label: "Count 1", "Count 2"...
        std::size_t count = 0;
        for (Widget* element : widget.Tree().Array(widget.Name())) {
          if (element->Parent() == parent && element->Top() == widget.Top())
            ++count;
        }
        if (count > 1) name += " " + std::to_string(widget.Index() + 1);
      }
      return name;
    }
  }
  // A section frame is named by its heading.
  for (const Widget* child : widget.Children()) {
    if (IsHeading(*child)) {
      std::string name = PlainCaption(child->Caption());
      name.erase(0, name.find_first_not_of(' '));
      if (!name.empty()) return name;
    }
  }
  if (!widget.ToolTip().empty()) return widget.ToolTip();
  return ReadableName(widget);
}

std::string ReadableName(const Widget& widget) {
  // "fraShapeProperties" -> "Shape Properties": the kind prefix goes, the
  // words come apart.
  const std::string& name = widget.Name();
  std::size_t start = 0;
  while (start < name.size() &&
         std::islower(static_cast<unsigned char>(name[start])))
    ++start;
  if (start == name.size() || start > 3) start = 0;
  std::string out;
  for (std::size_t i = start; i < name.size(); ++i) {
    char c = name[i];
    if (i > start && std::isupper(static_cast<unsigned char>(c)) &&
        std::islower(static_cast<unsigned char>(name[i - 1]))) {
      out += ' ';
    }
    out += c;
  }
  if (widget.Index() >= 0) out += " " + std::to_string(widget.Index() + 1);
  return out;
}

void WidgetView::Act(Widget& widget, const std::function<void()>& action) {
  // Nothing reaches the model while the view copies it, or once the view is
  // going (Qt's farewell focus events are not a person's input).
  if (state_->syncing > 0 || !state_->alive) return;
  // Held by this call: the handler may destroy the view.
  std::shared_ptr<State> state = state_;
  {
    ScopedValue acting(state->acting, &widget);
    Guarded(action);
    if (!state->alive) return;
    // The Qt widget shows the model again, whatever the handler did (or
    // failed to do); a failure here is the host's to hear about too.
    auto it = views_.find(&widget);
    if (it != views_.end()) {
      ViewBase* view = it->second;
      Guarded([&] {
        ScopedValue syncing(state->syncing, state->syncing + 1);
        view->Resync();
      });
    }
  }
  if (!state->acting) {
    Guarded([this] { Flush(); });
    if (!state->alive) return;
    if (after_input) Guarded(after_input);
  }
}

void WidgetView::Guarded(const std::function<void()>& step) {
  std::shared_ptr<State> state = state_;
  try {
    step();
  } catch (const Error& error) {
    if (state->alive) {
      Report(error);
    } else {
      std::fprintf(stderr, "%s\n", error.ToString().c_str());
    }
  } catch (...) {
    Error error = CurrentAsError("");
    if (state->alive) {
      Report(error);
    } else {
      std::fprintf(stderr, "%s\n", error.ToString().c_str());
    }
  }
}

void WidgetView::ContainerKeyDown(Integer key_code, Integer shift) {
  if (!on_key_down) return;
  Act(root_, [this, key_code, shift] { on_key_down(key_code, shift); });
}

void WidgetView::Report(const Error& error) {
  if (on_error) {
    on_error(error);
  } else {
    std::fprintf(stderr, "%s\n", error.ToString().c_str());
  }
}

void WidgetView::ScheduleFlush(ViewBase* view) {
  pending_.insert(view);
  if (flush_scheduled_ || !root_view_) return;
  flush_scheduled_ = true;
  std::shared_ptr<State> state = state_;
  // Posted to the event loop, which no exception may reach.
  QTimer::singleShot(0, root_view_, [this, state] {
    if (state->alive) Guarded([this] { Flush(); });
  });
}

void WidgetView::Flush() {
  flush_scheduled_ = false;
  if (pending_.empty()) return;
  std::unordered_set<ViewBase*> pending;
  pending.swap(pending_);
  ScopedValue syncing(state_->syncing, state_->syncing + 1);
  for (ViewBase* view : pending) view->Refresh();
}

void WidgetView::Resized() {
  // Called from Qt's resize event, which no exception may reach.
  if (on_resize && state_->syncing == 0) Guarded(on_resize);
}

std::string PlainCaption(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace morvel::qt
