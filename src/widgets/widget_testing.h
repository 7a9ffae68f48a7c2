#ifndef MORVEL_WIDGETS_WIDGET_TESTING_H_
#define MORVEL_WIDGETS_WIDGET_TESTING_H_

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "widgets/widget.h"

// Test helpers: one log that records observer notifications and handler
// calls in the order they happen, so tests can assert exact event order.
namespace morvel::testing {

inline const char* PropertyName(WidgetProperty property) {
  switch (property) {
    case WidgetProperty::kGeometry:
      return "Geometry";
    case WidgetProperty::kVisible:
      return "Visible";
    case WidgetProperty::kEnabled:
      return "Enabled";
    case WidgetProperty::kCaption:
      return "Caption";
    case WidgetProperty::kToolTip:
      return "ToolTip";
    case WidgetProperty::kValue:
      return "Value";
    case WidgetProperty::kRange:
      return "Range";
    case WidgetProperty::kItems:
      return "Items";
    case WidgetProperty::kText:
      return "Text";
    case WidgetProperty::kSelection:
      return "Selection";
    case WidgetProperty::kBackColor:
      return "BackColor";
    case WidgetProperty::kPicture:
      return "Picture";
    case WidgetProperty::kGrid:
      return "Grid";
    case WidgetProperty::kCurrentCell:
      return "CurrentCell";
    case WidgetProperty::kRedraw:
      return "Redraw";
    case WidgetProperty::kFocus:
      return "Focus";
    case WidgetProperty::kChildren:
      return "Children";
  }
  return "?";
}

// Records "notify NAME Property" for every observer call and whatever the
// handlers wired through Handler() add ("click NAME", ...).
class EventLog : public WidgetObserver {
 public:
  explicit EventLog(WidgetTree& tree) : tree_(tree) { tree_.AddObserver(this); }
  ~EventLog() override { tree_.RemoveObserver(this); }

  void OnWidgetChanged(Widget& widget, WidgetProperty property) override {
    if (record_notifications_) {
      entries_.push_back("notify " + widget.DisplayName() + " " +
                         PropertyName(property));
    }
  }

  // A handler that appends `entry` when it runs.
  std::function<void()> Handler(std::string entry) {
    return [this, entry = std::move(entry)] { entries_.push_back(entry); };
  }
  void Add(std::string entry) { entries_.push_back(std::move(entry)); }

  // Only the handler entries, for tests about events rather than views.
  void IgnoreNotifications() { record_notifications_ = false; }

  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(entries_);
    return out;
  }

 private:
  WidgetTree& tree_;
  bool record_notifications_ = true;
  std::vector<std::string> entries_;
};

// Runs `body`, expecting a morvel::Error with this number and description.
template <class F>
void ExpectError(F&& body, Long number, const std::string& description) {
  try {
    body();
    ADD_FAILURE() << "expected error " << number << " \"" << description
                  << "\", nothing was raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), number) << e.Description();
    EXPECT_EQ(e.Description(), description);
  }
}

}  // namespace morvel::testing

#endif  // MORVEL_WIDGETS_WIDGET_TESTING_H_
