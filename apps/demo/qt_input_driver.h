#ifndef MORVEL_APPS_DEMO_QT_INPUT_DRIVER_H_
#define MORVEL_APPS_DEMO_QT_INPUT_DRIVER_H_

#include <QPoint>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "qt/widget_view.h"
#include "scenario/input_driver.h"

class QLineEdit;
class QWidget;

// Plays a scenario's user actions on the real Qt widgets: mouse presses on
// check boxes, buttons, picture boxes and grid cells, key presses in the
// fields, a pick from a list's popup, a slider drag. The model hears about
// them only through the Qt adapter, exactly as it hears about a person.
//
// Where a person could not do it (a hidden or disabled widget, a value the
// widget does not offer) the driver asks the model to try, so the refusal is
// the same error the headless runner reports. An error the panel raised
// while handling the input is caught by the adapter at the event loop and
// rethrown here, once the input has been handled.
namespace morvel::demo {

class QtInputDriver final : public scenario::InputDriver {
 public:
  // `view_for` finds the view that shows a widget (the panel's, or the tip
  // window's); null when none does.
  explicit QtInputDriver(std::function<qt::WidgetView*(const Widget&)> view_for)
      : view_for_(std::move(view_for)) {}

  void Click(Widget& widget) override;
  void MoveSlider(Slider& slider, Long position) override;
  void Pick(ComboBox& combo, Long index) override;
  void Check(CheckBox& box, Integer value) override;
  void Type(TextWidget& field, std::string_view text) override;
  void Commit(TextWidget& field, std::optional<std::string> text) override;
  void Activate(UpDownText& field) override;
  void SelectText(TextWidget& field, Long start, Long length) override;
  void Step(UpDownText& field, int direction) override;
  void Focus(Widget& widget) override;
  void Blur(Widget& widget) override;
  void ClickCell(FlexGrid& grid, Long row, Long col) override;
  void Key(Properties& panel, Integer key_code) override;

 private:
  qt::WidgetView& ViewOf(const Widget& widget) const;
  // Runs `input` with the view's error callback catching; rethrows the
  // first error the model raised.
  void Drive(qt::WidgetView& view,
             const std::function<void(bool& stop)>& input);
  void Drive(qt::WidgetView& view, const std::function<void()>& input);
  // The model does what a person cannot (a hidden or disabled widget, a
  // value the widget does not offer), so its refusal is the error the
  // headless runner reports.
  void ByModel(qt::WidgetView& view, Widget& widget,
               const std::function<void()>& action);
  // The line edit a person types into; null, after `by_model` has run by
  // the model, when the field offers none a person can reach.
  QLineEdit* EditFor(qt::WidgetView& view, TextWidget& field,
                     const std::function<void()>& by_model);

  std::function<qt::WidgetView*(const Widget&)> view_for_;
};

// Presses and releases the left button at `pos` (the widget's centre when
// null) and sends key presses, as the window system would deliver them.
void SendClick(QWidget* widget, std::optional<QPoint> pos = std::nullopt);
void SendKey(QWidget* widget, int key, const QString& text,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_QT_INPUT_DRIVER_H_
