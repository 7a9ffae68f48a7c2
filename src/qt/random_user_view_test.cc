// The Qt view of a panel that the random user plays with: every change the
// model goes through, however unlikely, reaches the QWidgets without a
// failure, and after each step every QWidget is shown or hidden, enabled or
// disabled, as its model widget is.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "qt/widget_view.h"
#include "random_user/random_user_testing.h"

namespace morvel::qt {
namespace {

namespace ru = morvel::random_user;

// The first widget whose view disagrees with it, or empty.
std::string FirstOutOfStep(const WidgetView& view, const WidgetTree& tree) {
  for (const auto& w : tree.All()) {
    QWidget* q = view.ViewOf(*w);
    if (!q || w.get() == tree.Root()) continue;
    const std::string name = w->DisplayName();
    if (q->isHidden() == w->Visible()) return name + " Visible";
    if (q->testAttribute(Qt::WA_ForceDisabled) == w->Enabled())
      return name + " Enabled";
    if (auto* combo = qobject_cast<QComboBox*>(q)) {
      const auto& model = static_cast<const ComboBox&>(*w);
      if (combo->count() != model.ListCount() ||
          combo->currentIndex() != model.ListIndex())
        return name + " ListIndex";
    } else if (auto* slider = qobject_cast<QSlider*>(q)) {
      if (slider->value() != static_cast<const Slider&>(*w).Value())
        return name + " Value";
    } else if (auto* box = qobject_cast<QCheckBox*>(q)) {
      static constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked,
                                                   Qt::PartiallyChecked};
      if (box->checkState() !=
          kStates[static_cast<const CheckBox&>(*w).Value()])
        return name + " Value";
    } else if (auto* text = dynamic_cast<const TextWidget*>(w.get())) {
      auto* edit = qobject_cast<QLineEdit*>(q);
      if (!edit) edit = q->findChild<QLineEdit*>();
      if (edit && edit->text() != QString::fromStdString(text->Text()))
        return name + " Text";
    }
  }
  return {};
}

TEST(RandomUserViewTest, TheViewKeepsUpWithARandomRun) {
  FixedScreenMetrics metrics(15, 15);
  std::unique_ptr<WidgetView> view;
  Properties* shown = nullptr;
  std::string out_of_step;
  long long steps = 0;

  ru::Options options;
  options.scenes = ru::ProjectScenes();
  options.panel_created = [&](Properties& panel) {
    view = std::make_unique<WidgetView>(panel.Widgets(),
                                        *panel.Widgets().Root(), metrics);
    view->RootWidget()->resize(270, 650);
    view->RootWidget()->show();
    shown = &panel;
  };
  options.panel_destroying = [&](Properties&) {
    view.reset();
    shown = nullptr;
  };
  options.after_step = [&] {
    ++steps;
    if (!view) return;
    view->Flush();
    QApplication::processEvents();
    if (out_of_step.empty()) {
      std::string wrong = FirstOutOfStep(*view, shown->Widgets());
      if (!wrong.empty())
        out_of_step = "step " + std::to_string(steps) + ": " + wrong;
    }
  };
  ru::SeededChoices choices(11);
  ru::RandomUser user(options, choices);
  ASSERT_EQ(ru::PlaySteps(user, 1500), "");
  EXPECT_EQ(out_of_step, "");
  EXPECT_GT(user.stats().protocol.applies, 200);
}

}  // namespace
}  // namespace morvel::qt
