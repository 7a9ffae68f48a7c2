// The random user's person at the real widgets: every click, drag, pick and
// key goes to the Qt views as the window system delivers it, and reaches
// the panel only through the Qt adapter. The panel's invariants must hold
// exactly as they do headless.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "demo/qt_input_driver.h"
#include "platform/headless.h"
#include "qt/widget_view.h"
#include "random_user/random_user_testing.h"

namespace morvel::demo {
namespace {

namespace ru = morvel::random_user;

TEST(RandomUserQtInputTest, RealInputKeepsEveryInvariant) {
  FixedScreenMetrics metrics(15, 15);
  std::unique_ptr<qt::WidgetView> view;
  QtInputDriver input([&](const Widget& widget) -> qt::WidgetView* {
    return view && &widget.Tree() == &view->Root().Tree() ? view.get()
                                                          : nullptr;
  });
  ru::Options options;
  options.scenes = ru::ProjectScenes();
  options.input = &input;
  options.panel_created = [&](Properties& panel) {
    view = std::make_unique<qt::WidgetView>(panel.Widgets(),
                                            *panel.Widgets().Root(), metrics);
    view->RootWidget()->resize(270, 650);
    view->RootWidget()->show();
  };
  options.panel_destroying = [&](Properties&) { view.reset(); };
  options.after_step = [] { QApplication::processEvents(); };

  ru::SeededChoices choices(5);
  ru::RandomUser user(options, choices);
  ASSERT_EQ(ru::PlaySteps(user, 1500), "");
  EXPECT_GT(user.stats().protocol.applies, 200);
}

}  // namespace
}  // namespace morvel::demo
