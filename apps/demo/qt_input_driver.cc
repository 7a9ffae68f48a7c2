#include "demo/qt_input_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QTableView>
#include <QToolButton>
#include <algorithm>

#include "base/error.h"

namespace morvel::demo {
namespace {

// The line edit of a field's view.
QLineEdit* EditorOf(QWidget* view) {
  if (!view) return nullptr;
  if (auto* edit = qobject_cast<QLineEdit*>(view)) return edit;
  return view->findChild<QLineEdit*>();
}

// Characters of the model's text to UTF-16 units of the line edit's.
int ViewPosition(const QString& text, Long characters) {
  int units = 0;
  for (Long i = 0; i < characters && units < text.size(); ++i) {
    units +=
        (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
  }
  return units;
}

bool InSliderRange(const Slider& slider, Long position) {
  return position >= std::min(slider.Min(), slider.Max()) &&
         position <= std::max(slider.Min(), slider.Max());
}

}  // namespace

void SendClick(QWidget* widget, std::optional<QPoint> pos) {
  QPoint at = pos ? *pos : widget->rect().center();
  QPointF global = widget->mapToGlobal(QPointF(at));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global,
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global,
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

void SendKey(QWidget* widget, int key, const QString& text,
             Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

qt::WidgetView& QtInputDriver::ViewOf(const Widget& widget) const {
  qt::WidgetView* view = view_for_ ? view_for_(widget) : nullptr;
  if (!view) {
    RaiseError(kErrInvalidProcedureCall,
               widget.DisplayName() + " is not shown in any window");
  }
  return *view;
}

void QtInputDriver::Drive(qt::WidgetView& view,
                          const std::function<void(bool& stop)>& input) {
  std::optional<Error> caught;
  auto previous = view.on_error;
  view.on_error = [&caught](const Error& error, const Widget*) {
    if (!caught) caught = error;
  };
  bool stop = false;
  try {
    input(stop);
  } catch (...) {
    view.on_error = previous;
    throw;
  }
  view.on_error = previous;
  view.Flush();
  if (caught) throw *caught;
}

void QtInputDriver::Drive(qt::WidgetView& view,
                          const std::function<void()>& input) {
  Drive(view, [&input](bool&) { input(); });
}

void QtInputDriver::ByModel(qt::WidgetView& view, Widget& widget,
                            const std::function<void()>& action) {
  Drive(view, [&] { view.Act(widget, action); });
}

QLineEdit* QtInputDriver::EditFor(qt::WidgetView& view, TextWidget& field,
                                  const std::function<void()>& by_model) {
  QLineEdit* edit = EditorOf(view.ViewOf(field));
  if (edit && field.IsUsable()) return edit;
  ByModel(view, field, by_model);
  return nullptr;
}

void QtInputDriver::Click(Widget& widget) {
  qt::WidgetView& view = ViewOf(widget);
  bool clickable = widget.Kind() == WidgetKind::kButton ||
                   widget.Kind() == WidgetKind::kPictureBox ||
                   widget.Kind() == WidgetKind::kCheckBox;
  if (!widget.IsUsable() || !clickable) {
    // Let the model say why a person could not click it.
    ByModel(view, widget, [&] { UserInput::Click(widget); });
    return;
  }
  QWidget* target = view.ViewOf(widget);
  Drive(view, [&] {
    if (auto* box = qobject_cast<QCheckBox*>(target)) {
      // On the box's indicator, where a click always lands on the box.
      QPoint indicator(std::min(8, box->width() / 2), box->height() / 2);
      SendClick(box, indicator);
    } else {
      SendClick(target);
    }
  });
}

void QtInputDriver::MoveSlider(Slider& slider, Long position) {
  qt::WidgetView& view = ViewOf(slider);
  auto* q = qobject_cast<QSlider*>(view.ViewOf(slider));
  if (!q || !slider.IsUsable() || !InSliderRange(slider, position) ||
      slider.Value() == position) {
    ByModel(view, slider, [&] { UserInput::MoveSlider(slider, position); });
    return;
  }
  // A drag of the handle straight to the position: one move, one change.
  Drive(view, [&] {
    q->setSliderDown(true);
    q->setSliderPosition(position);
    q->setSliderDown(false);
  });
}

void QtInputDriver::Pick(ComboBox& combo, Long index) {
  qt::WidgetView& view = ViewOf(combo);
  auto* q = qobject_cast<QComboBox*>(view.ViewOf(combo));
  if (!q || !combo.IsUsable() || index < 0 || index >= combo.ListCount()) {
    ByModel(view, combo, [&] { UserInput::Pick(combo, index); });
    return;
  }
  // Open the list, move to the entry, press Enter: what a person does.
  Drive(view, [&] {
    q->showPopup();
    QAbstractItemView* list = q->view();
    list->setCurrentIndex(q->model()->index(index, q->modelColumn()));
    SendKey(list, Qt::Key_Return, "\r");
    if (q->view()->isVisible()) q->hidePopup();
  });
}

void QtInputDriver::Check(CheckBox& box, Integer value) {
  // A click reaches 1 from 0 or 2 and 0 from 1; anything else (checking a
  // checked box, clearing a grey one) is not one click: the model does it.
  bool one_click = box.IsUsable() && (value == 0 || value == 1) &&
                   box.Value() != value && !(box.Value() == 2 && value == 0);
  if (!one_click) {
    qt::WidgetView& view = ViewOf(box);
    ByModel(view, box, [&] { UserInput::Check(box, value); });
    return;
  }
  Click(box);
}

void QtInputDriver::Type(TextWidget& field, std::string_view text) {
  qt::WidgetView& view = ViewOf(field);
  QLineEdit* edit = EditFor(view, field, [&] { UserInput::Type(field, text); });
  if (!edit) return;
  // Typing into a field gives it the focus first.
  ByModel(view, field, [&] { UserInput::Focus(field); });
  scenario::TypeKeys(
      field, text, [&](std::uint32_t code_point, std::string_view key) {
        QString character =
            QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
        Drive(view, [&] {
          if (code_point == 8) {
            SendKey(edit, Qt::Key_Backspace, QString(QChar(8)));
          } else if (code_point == 27) {
            SendKey(edit, Qt::Key_Escape, QString(QChar(27)));
          } else if (code_point >= 0x20 && code_point != 0x7F &&
                     !character.isEmpty() && character.at(0).isPrint()) {
            SendKey(edit, Qt::Key_unknown, character);
          } else {
            // A control character has no key of its own on a keyboard.
            view.Act(field, [&] { UserInput::Type(field, key); });
          }
        });
      });
}

void QtInputDriver::Commit(TextWidget& field, std::optional<std::string> text) {
  qt::WidgetView& view = ViewOf(field);
  QLineEdit* edit =
      EditFor(view, field, [&] { UserInput::Commit(field, text); });
  if (!edit) return;
  ByModel(view, field, [&] { UserInput::Focus(field); });
  if (text) {
    // The whole text replaced at once, as a paste over a selection does.
    Drive(view, [&] {
      edit->selectAll();
      edit->insert(QString::fromStdString(*text));
    });
  }
  Drive(view, [&] {
    if (field.Kind() == WidgetKind::kTextBox) {
      // A plain text box has no Enter of its own: its edit ends when the
      // focus leaves it.
      view.Act(field, [&] { UserInput::Commit(field, std::nullopt); });
    } else {
      SendKey(edit, Qt::Key_Return, "\r");
    }
  });
}

void QtInputDriver::Activate(UpDownText& field) {
  qt::WidgetView& view = ViewOf(field);
  QLineEdit* edit = EditorOf(view.ViewOf(field));
  if (!edit || !field.IsUsable() || edit->hasFocus() ||
      !edit->window()->isActiveWindow()) {
    ByModel(view, field, [&] { UserInput::Activate(field); });
    return;
  }
  // Clicking into the field activates it.
  Drive(view, [&] { edit->setFocus(Qt::MouseFocusReason); });
}

void QtInputDriver::SelectText(TextWidget& field, Long start, Long length) {
  qt::WidgetView& view = ViewOf(field);
  QLineEdit* edit = EditorOf(view.ViewOf(field));
  // Only what a person can reach: the focus goes there first, or the model
  // refuses.
  ByModel(view, field, [&] { UserInput::Focus(field); });
  if (start < 0 || length < 0 || !edit) {
    Drive(view, [&] {
      view.Act(field, [&] {
        if (start < 0 || length < 0) RaiseError(kErrInvalidPropertyValue);
        field.SetSelection(start, length);
      });
    });
    return;
  }
  // A drag over the text, from `start` for `length` characters.
  Drive(view, [&] {
    QString text = edit->text();
    int from = ViewPosition(text, start);
    long long end = static_cast<long long>(start) + length;
    int to = ViewPosition(
        text, static_cast<Long>(std::min<long long>(end, 0x7FFFFFFF)));
    if (to > from) {
      edit->setSelection(from, to - from);
    } else {
      edit->deselect();
      edit->setCursorPosition(from);
    }
  });
}

void QtInputDriver::Step(UpDownText& field, int direction) {
  qt::WidgetView& view = ViewOf(field);
  QToolButton* button = nullptr;
  if (QWidget* q = view.ViewOf(field)) {
    for (QToolButton* b : q->findChildren<QToolButton*>()) {
      if (b->arrowType() == (direction > 0 ? Qt::UpArrow : Qt::DownArrow))
        button = b;
    }
  }
  // A step button dimmed at its bound is not pressed by a person; the model
  // still answers for the field.
  if (!button || !button->isEnabled() || !field.IsUsable() || direction == 0) {
    ByModel(view, field, [&] { UserInput::Step(field, direction); });
    return;
  }
  Drive(view, [&] { SendClick(button); });
}

void QtInputDriver::Focus(Widget& widget) {
  qt::WidgetView& view = ViewOf(widget);
  QLineEdit* edit = EditorOf(view.ViewOf(widget));
  bool text = dynamic_cast<TextWidget*>(&widget) != nullptr;
  if (text && edit && widget.IsUsable() && !edit->hasFocus() &&
      edit->window()->isActiveWindow()) {
    Drive(view, [&] { edit->setFocus(Qt::OtherFocusReason); });
  }
  if (widget.Tree().Focused() != &widget) {
    ByModel(view, widget, [&] { UserInput::Focus(widget); });
  }
}

void QtInputDriver::Blur(Widget& widget) {
  qt::WidgetView& view = ViewOf(widget);
  QWidget* q = view.ViewOf(widget);
  if (q && q->hasFocus()) {
    // The focus goes to the panel's surface, as after a click on it.
    Drive(view, [&] { view.RootWidget()->setFocus(Qt::OtherFocusReason); });
  }
  if (widget.Tree().Focused() == &widget) {
    ByModel(view, widget, [&] { UserInput::Blur(widget); });
  }
}

void QtInputDriver::ClickCell(FlexGrid& grid, Long row, Long col) {
  qt::WidgetView& view = ViewOf(grid);
  auto* table = qobject_cast<QTableView*>(view.ViewOf(grid));
  view.Flush();
  // Rows under the fixed header are the table's rows; the header row itself
  // is not a cell a person clicks.
  Long header = grid.FixedRows() > 0 ? 1 : 0;
  if (!table || !grid.IsUsable() || row < header || row >= grid.Rows() ||
      col < 0 || col >= grid.Cols() ||
      table->model()->rowCount() != grid.Rows() - header) {
    ByModel(view, grid, [&] { UserInput::ClickCell(grid, row, col); });
    return;
  }
  QModelIndex index = table->model()->index(row - header, col);
  // A cell out of view is scrolled to first, as a person would; one partly
  // in view is clicked where it shows.
  if (!table->viewport()->rect().intersects(table->visualRect(index))) {
    table->scrollTo(index);
  }
  QRect cell = table->visualRect(index);
  if (!cell.isValid() || !table->viewport()->rect().intersects(cell)) {
    ByModel(view, grid, [&] { UserInput::ClickCell(grid, row, col); });
    return;
  }
  QRect visible = cell.intersected(table->viewport()->rect());
  Drive(view, [&] { SendClick(table->viewport(), visible.center()); });
}

void QtInputDriver::Key(Properties& panel, Integer key_code) {
  // The container's key-down notification: the window hands the key to the
  // panel whichever of its widgets has the focus.
  qt::WidgetView& view = ViewOf(*panel.Widgets().Root());
  Drive(view, [&] { view.ContainerKeyDown(key_code, 0); });
}

}  // namespace morvel::demo
