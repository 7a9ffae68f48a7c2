#include "demo/qt_input_driver.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <memory>

#include "platform/headless.h"
#include "qt/qt_testing.h"
#include "scenario/input_driver_testing.h"

namespace morvel::demo {
namespace {

// The Qt front end: the widgets on screen, a person's actions as mouse and
// key events on them.
class QtFrontEnd {
 public:
  QtFrontEnd()
      : driver_([this](const Widget& widget) -> qt::WidgetView* {
          return &widget.Tree() == &tree_ ? view_.get() : nullptr;
        }) {
    testing::BuildInputRulesTree(tree_);
    view_ = std::make_unique<qt::WidgetView>(tree_, *tree_.Root(), metrics_);
    EXPECT_TRUE(qt::testing::ShowActive(view_->RootWidget(), 267, 400));
  }
  WidgetTree& Tree() { return tree_; }
  scenario::InputDriver& Driver() { return driver_; }
  qt::WidgetView& View() { return *view_; }

 private:
  FixedScreenMetrics metrics_{15, 15};
  WidgetTree tree_;
  std::unique_ptr<qt::WidgetView> view_;
  QtInputDriver driver_;
};

}  // namespace
}  // namespace morvel::demo

namespace morvel::testing {
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, InputRulesTest, demo::QtFrontEnd);
}  // namespace morvel::testing

namespace morvel::demo {
namespace {

// Counts the input events a Qt widget receives, to tell real input from the
// driver's fall-back to the model.
class InputCounter : public QObject {
 public:
  int presses = 0;
  int keys = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) ++presses;
    if (event->type() == QEvent::KeyPress) ++keys;
    return false;
  }
};

TEST(QtInputDriverTest, PersonsActionsAreRealEventsOnTheWidgets) {
  QtFrontEnd screen;
  auto& box = screen.Tree().Get<CheckBox>("chkHide");
  auto& mirror = screen.Tree().Get<ComboBox>("cboMirror");
  InputCounter on_box, on_list;
  screen.View().Find("chkHide")->installEventFilter(&on_box);
  auto* list = qobject_cast<QComboBox*>(screen.View().Find("cboMirror"));
  list->view()->installEventFilter(&on_list);

  screen.Driver().Click(box);
  screen.Driver().Pick(mirror, 2);
  // A click is one mouse press on the box; a pick one key in the popup.
  EXPECT_EQ(on_box.presses, 1);
  EXPECT_EQ(box.Value(), 1);
  EXPECT_EQ(on_list.keys, 1);
  EXPECT_EQ(mirror.ListIndex(), 2);
  EXPECT_EQ(list->currentIndex(), 2);

  // What a person cannot reach gets no event: the model refuses it.
  box.SetEnabled(false);
  EXPECT_THROW(screen.Driver().Click(box), Error);
  EXPECT_EQ(on_box.presses, 1);
  list->view()->removeEventFilter(&on_list);
}

}  // namespace
}  // namespace morvel::demo
