#include "imgui-demo/play_host.h"

#include <cmath>

#include "imgui/pictures.h"
#include "platform/headless.h"
#include "scenario/scene_state.h"

namespace morvel::imgui_demo {
namespace {

// The tip window's pictures: none drawn on a headless screen.
imgui::PictureCache& TipPictures() {
  static imgui::PictureCache pictures(nullptr);
  return pictures;
}

FixedScreenMetrics& Metrics() {
  static FixedScreenMetrics metrics(15, 15);
  return metrics;
}

}  // namespace

PlayHost::PlayHost(DemoUi& ui, imgui::HeadlessScreen& screen)
    : DemoPlayHost(ui, clipboard_, &message_box_),
      screen_(screen),
      driver_(screen, [this] { screen_.Frame([this] { Draw(); }); },
              [this](const Widget& widget) { return ViewFor(widget); }) {
  auto lend = [this](const std::function<void()>& draw_modal) {
    return Lend(draw_modal);
  };
  window_.SetFrameLender(lend);
  modals_.SetLender(lend);
}

PlayHost::~PlayHost() { window_.SetFrameLender(nullptr); }

void PlayHost::Draw() {
  window_.Draw();
  if (warning_window_) warning_window_->DrawWindow();
  if (draw_modal_) draw_modal_();
}

bool PlayHost::Lend(const std::function<void()>& draw_modal) {
  draw_modal_ = draw_modal;
  // A new window is measured in its first frame and shown in the next.
  screen_.Frame([this] { Draw(); });
  screen_.Frame([this] { Draw(); });
  // The person reads the message and presses its OK button.
  imgui::Modal* top = modals_.Top();
  auto button = top ? top->AnswerButton() : std::nullopt;
  if (button) {
    ImVec2 at(std::floor((button->first.x + button->second.x) / 2),
              std::floor((button->first.y + button->second.y) / 2));
    screen_.MoveMouse(at);
    screen_.Frame([this] { Draw(); });
    screen_.MouseButton(true);
    screen_.Frame([this] { Draw(); });
    screen_.MouseButton(false);
    screen_.Frame([this] { Draw(); });
    ++answered_;
  }
  draw_modal_ = nullptr;
  return true;
}

void PlayHost::ShowChanges() { screen_.Frame([this] { Draw(); }); }

void PlayHost::CloseTipWindow() { warning_window_.reset(); }

void PlayHost::SelectionChanged() { window_.SelectionChangedElsewhere(); }

void PlayHost::LoadWarning(const std::string& application_key,
                           const std::string& warning,
                           const std::string& registry_entry) {
  // One tip at a time: an open one is closed first.
  warning_window_.reset();
  if (warning_) warning_->Unload();
  warning_ = std::make_unique<frmWarn>(&services_.Settings(), application_key,
                                       warning, registry_entry);
  warning_->Load();
  warning_window_ =
      std::make_unique<imgui::WarnWindow>(*warning_, Metrics(), TipPictures());
  screen_.Frame([this] { Draw(); });
}

void PlayHost::UnloadWarning() {
  // Closed other than by its OK button: the window's close.
  if (warning_) warning_->Unload();
}

imgui::WidgetView* PlayHost::ViewFor(const Widget& widget) {
  if (window_.Panel() && &widget.Tree() == &window_.Panel()->Widgets())
    return &window_.PanelHost()->view();
  if (warning_window_ && &widget.Tree() == &warning_->Widgets())
    return &warning_window_->View();
  return nullptr;
}

}  // namespace morvel::imgui_demo
