#include <algorithm>
#include <limits>

#include "memscene/mem_utilities.h"
#include "random_user/hostile_text.h"
#include "random_user/random_user_impl.h"

// What the person does: any widget of the panel, through UserInput, as a
// person would reach it. Mostly widgets that are on screen and enabled;
// now and then any widget at all, which UserInput must refuse cleanly.
namespace morvel::random_user {
namespace {

// What a person can act on: whatever takes the focus, and the picture
// boxes, which take clicks without it.
bool Interactive(const Widget& widget) {
  return widget.CanFocus() || widget.Kind() == WidgetKind::kPictureBox;
}

// A person sees only what is in view: a parked frame stands far to the
// left of the panel, and so does everything inside it.
bool InView(const Widget& widget) {
  for (const Widget* w = &widget; w; w = w->Parent()) {
    if (w->Left() <= -20000) return false;
  }
  return true;
}

Long Clamp(std::int64_t value) {
  return static_cast<Long>(
      std::clamp<std::int64_t>(value, std::numeric_limits<Long>::min(),
                               std::numeric_limits<Long>::max()));
}

}  // namespace

void RandomUser::Impl::ScriptChoosers() {
  // What the choosers answer if the action opens one: a colour (mostly
  // accepted, sometimes out of the 24-bit range) and a map file.
  std::shared_ptr<MemDialogUtility> dialogs = ThreadDialogUtility();
  dialogs->ClearAnswers();
  static constexpr Long kResults[] = {5, 5, 5, 2, 0, -1};
  static constexpr Long kOddColours[] = {-1, 0x1000000, 0x7FFFFFFF,
                                         std::numeric_limits<Long>::min()};
  const Long colour = choices.OneIn(6)
                          ? choices.Pick(kOddColours)
                          : static_cast<Long>(choices.Below(0x1000000));
  dialogs->AnswerColour(choices.Pick(kResults), colour);
  dialogs->AnswerMapFile(ChosenPath(choices));
}

std::optional<Error> RandomUser::Impl::UserStep() {
  static scenario::ModelInputDriver model_input;
  scenario::InputDriver& input = options.input ? *options.input : model_input;
  ++stats.user_actions;
  if (!panel) return MakePanel();
  const auto& all = panel->Widgets().All();
  // Mostly what is in view and enabled; now and then a widget of a parked
  // frame (which a toolkit might still let through), or anything at all.
  const bool in_view_only = !choices.OneIn(10);
  candidates.clear();
  for (const auto& w : all) {
    if (!Interactive(*w) || !w->IsUsable() ||
        (in_view_only && !InView(*w)))
      continue;
    // A grid without material rows offers no cell to click.
    if (auto* grid = dynamic_cast<FlexGrid*>(w.get());
        grid && grid->Rows() <= grid->FixedRows())
      continue;
    candidates.push_back(w.get());
  }
  // With nothing to act on, a person picks something else in the host.
  if (candidates.empty() && !choices.OneIn(4)) {
    --stats.user_actions;
    return HostStep();
  }
  Widget* target;
  Widget* focused = panel->Widgets().Focused();
  if (focused && dynamic_cast<TextWidget*>(focused) && focused->IsUsable() &&
      choices.OneIn(2)) {
    // People type where the cursor is: the field they just clicked, the
    // cell editor the grid just opened.
    target = focused;
  } else if (candidates.empty() || choices.OneIn(10)) {
    target = all[choices.Below(static_cast<std::uint32_t>(all.size()))].get();
  } else {
    target = candidates[choices.Below(
        static_cast<std::uint32_t>(candidates.size()))];
  }
  Widget& w = *target;
  StepContext context{false, w.Name(), Notification::kNone, {}};
  if (auto* field = dynamic_cast<TextWidget*>(focused);
      field && field != target && field->Commits() && field->Edited() &&
      field->IsUsable()) {
    context.leaving = field->Name();
  }
  auto act = [&](Notification notification, const std::string& said,
                 const std::function<void()>& body) {
    context.notification = notification;
    Say(said + " " + w.DisplayName());
    return Play(context, body);
  };
  ScriptChoosers();

  switch (w.Kind()) {
    case WidgetKind::kCheckBox: {
      auto& box = static_cast<CheckBox&>(w);
      if (choices.OneIn(2))
        return act(Notification::kClick, "click", [&] { input.Click(box); });
      const auto value = static_cast<Integer>(choices.Below(3));
      return act(Notification::kClick, "check " + std::to_string(value),
                 [&] { input.Check(box, value); });
    }
    case WidgetKind::kComboBox: {
      auto& combo = static_cast<ComboBox&>(w);
      const Long index =
          choices.OneIn(8)
              ? static_cast<Long>(choices.Between(-2, combo.ListCount() + 1))
              : static_cast<Long>(
                    choices.Between(0, std::max(0, combo.ListCount() - 1)));
      return act(Notification::kClick, "pick " + std::to_string(index),
                 [&] { input.Pick(combo, index); });
    }
    case WidgetKind::kSlider: {
      auto& slider = static_cast<Slider&>(w);
      const std::int64_t low = std::min(slider.Min(), slider.Max());
      const std::int64_t high = std::max(slider.Min(), slider.Max());
      const Long position = choices.OneIn(10)
                                ? Clamp(choices.Between(low - 2, high + 2))
                                : Clamp(choices.Between(low, high));
      return act(Notification::kChange, "move " + std::to_string(position),
                 [&] { input.MoveSlider(slider, position); });
    }
    case WidgetKind::kUpDownText:
    case WidgetKind::kTextField:
    case WidgetKind::kTextBox: {
      auto& field = static_cast<TextWidget&>(w);
      const bool up_down = w.Kind() == WidgetKind::kUpDownText;
      const bool text_box = w.Kind() == WidgetKind::kTextBox;
      const Notification commit =
          text_box ? Notification::kFocus : Notification::kValueCommitted;
      switch (choices.Below(up_down ? 9 : 7)) {
        case 0:
        case 1: {
          std::string text = TextFor(choices, field);
          return act(Notification::kKeyPress,
                     "type \"" + Excerpt(text, 20) + "\" into",
                     [&] { input.Type(field, text); });
        }
        case 2:
        case 3: {
          std::string text = TextFor(choices, field);
          return act(commit, "commit \"" + Excerpt(text, 20) + "\" in",
                     [&] { input.Commit(field, text); });
        }
        case 4:
          return act(commit, "commit", [&] { input.Commit(field, {}); });
        case 5: {
          const auto length = static_cast<Long>(field.Text().size());
          const Long start = static_cast<Long>(choices.Between(0, length));
          const Long count = static_cast<Long>(choices.Between(0, length));
          return act(Notification::kFocus,
                     "select " + std::to_string(start) + "+" +
                         std::to_string(count) + " of",
                     [&] { input.SelectText(field, start, count); });
        }
        case 6:
          if (choices.OneIn(2))
            return act(Notification::kFocus, "focus",
                       [&] { input.Focus(field); });
          // Taking the focus away commits an edit in the field itself.
          if (focused == &field && field.Commits() && field.Edited() &&
              field.IsUsable()) {
            context.leaving = field.Name();
          }
          return act(Notification::kFocus, "blur", [&] { input.Blur(field); });
        case 7:
          return act(Notification::kActivated, "activate",
                     [&] { input.Activate(static_cast<UpDownText&>(field)); });
        default: {
          const int direction = choices.OneIn(2) ? 1 : -1;
          return act(Notification::kValueCommitted,
                     direction > 0 ? "step up" : "step down", [&] {
                       input.Step(static_cast<UpDownText&>(field), direction);
                     });
        }
      }
    }
    case WidgetKind::kFlexGrid: {
      auto& grid = static_cast<FlexGrid&>(w);
      Long row, col;
      if (choices.OneIn(10)) {
        row = static_cast<Long>(choices.Between(-1, grid.Rows()));
        col = static_cast<Long>(choices.Between(-1, grid.Cols()));
      } else {
        row = static_cast<Long>(choices.Between(
            grid.FixedRows(), std::max(grid.FixedRows(), grid.Rows() - 1)));
        col = static_cast<Long>(choices.Between(
            grid.FixedCols(), std::max(grid.FixedCols(), grid.Cols() - 1)));
      }
      return act(
          Notification::kCellClicked,
          "cell " + std::to_string(row) + " " + std::to_string(col) + " of",
          [&] { input.ClickCell(grid, row, col); });
    }
    default:
      // Buttons and picture boxes are clicked; frames, labels and image
      // lists refuse both a click and the focus.
      if (choices.OneIn(4) && !w.CanFocus())
        return act(Notification::kFocus, "focus", [&] { input.Focus(w); });
      return act(Notification::kClick, "click", [&] { input.Click(w); });
  }
}

}  // namespace morvel::random_user
