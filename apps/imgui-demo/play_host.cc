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
    : WindowPlayHost(clipboard_, &message_box_, &ui.Events()),
      ui_(ui),
      screen_(screen),
      driver_(screen, [this] { screen_.Frame([this] { Draw(); }); },
              [this](const Widget& widget) { return ViewFor(widget); }) {
  // The host answers the panel's requests as it does for a person, except
  // that an operation runs through the scenario's scene.
  ui_.run_operation = [this](const std::string& operation) {
    ApplyOperation(operation);
  };
  auto lend = [this](const std::function<void()>& draw_modal) {
    return Lend(draw_modal);
  };
  ui_.SetFrameLender(lend);
  modals_.SetLender(lend);
}

PlayHost::~PlayHost() {
  ui_.run_operation = nullptr;
  ui_.SetFrameLender(nullptr);
}

void PlayHost::Draw() {
  ui_.Draw();
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

void PlayHost::ShowScene(const std::shared_ptr<MemSceneGraph>& graph,
                         const std::shared_ptr<Applier>& applier) {
  ui_.AttachScene(graph, applier, "");
}

void PlayHost::OpenPanel(Long inner_height, Long outer_height, Long width) {
  ui_.FixPanel(inner_height, outer_height, width);
  ui_.CreatePanel(&services_.Events(), &services_.Messages(),
                  &services_.Settings(), &services_.GetClipboard());
  ui_.ResizePanel(inner_height, outer_height, width);
  screen_.Frame([this] { Draw(); });
}

void PlayHost::ClosePanel() { ui_.DetachPanel().reset(); }

void PlayHost::CloseTipWindow() { warning_window_.reset(); }

void PlayHost::SelectionChanged() { ui_.SelectionChangedElsewhere(); }

void PlayHost::Setup(const scenario::SetupArguments& arguments) {
  ui_.SetupOrThrow(arguments);
}

void PlayHost::Resize(Long inner_height, Long outer_height, Long width) {
  ui_.ResizePanel(inner_height, outer_height, width);
}

void PlayHost::Terminate() {
  // The container destroys the panel whatever its notification did.
  std::unique_ptr<imgui::PropertiesPanel> panel = ui_.DetachPanel();
  if (panel) panel->Terminate();
}

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
  if (ui_.Panel() && &widget.Tree() == &ui_.Panel()->Widgets())
    return &ui_.PanelHost()->view();
  if (warning_window_ && &widget.Tree() == &warning_->Widgets())
    return &warning_window_->View();
  return nullptr;
}

}  // namespace morvel::imgui_demo
