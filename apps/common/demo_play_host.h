#ifndef MORVEL_APPS_COMMON_DEMO_PLAY_HOST_H_
#define MORVEL_APPS_COMMON_DEMO_PLAY_HOST_H_

#include <memory>
#include <string>

#include "scenario/play_host.h"

namespace morvel::demo {

// `--play` in a demo: what both demos' play hosts do alike with their
// window. The window's panel is the scenario's; it is made, sized and
// dropped through the calls both windows offer (Panel, FixPanel,
// CreatePanel, ResizePanel, DetachPanel, AttachScene, SetupOrThrow, Events
// and run_operation). `kTerminate` is the front end's own terminate, called
// on a panel taken out of the window. The derived host brings the input
// driver, the tip's window and how the window shows a change.
template <class Window, auto kTerminate>
class DemoPlayHost : public scenario::WindowPlayHost {
 public:
  Properties* Panel() override { return window_.Panel(); }
  void Setup(const scenario::SetupArguments& arguments) override {
    window_.SetupOrThrow(arguments);
  }
  void Resize(Long inner_height, Long outer_height, Long width) override {
    window_.ResizePanel(inner_height, outer_height, width);
  }
  void Terminate() override {
    // The container destroys the panel whatever its notification did.
    if (auto panel = window_.DetachPanel()) ((*panel).*kTerminate)();
  }

 protected:
  DemoPlayHost(Window& window, Clipboard& clipboard,
               MessageBoxService* message_box)
      : WindowPlayHost(clipboard, message_box, &window.Events()),
        window_(window) {
    // The window answers the panel's requests as it does for a person,
    // except that an operation runs through the scenario's scene.
    window_.run_operation = [this](const std::string& operation) {
      ApplyOperation(operation);
    };
  }
  ~DemoPlayHost() override { window_.run_operation = nullptr; }

  void ShowScene(const std::shared_ptr<MemSceneGraph>& graph,
                 const std::shared_ptr<Applier>& applier) override {
    window_.AttachScene(graph, applier, {});
  }
  void OpenPanel(Long inner_height, Long outer_height, Long width) override {
    window_.FixPanel(inner_height, outer_height, width);
    window_.CreatePanel(&services_.Events(), &services_.Messages(),
                        &services_.Settings(), &services_.GetClipboard());
    window_.ResizePanel(inner_height, outer_height, width);
    ShowChanges();
  }
  void ClosePanel() override { window_.DetachPanel().reset(); }
  // Lets the window show what changed: Qt's pending events, or a frame.
  virtual void ShowChanges() = 0;

  Window& window_;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_COMMON_DEMO_PLAY_HOST_H_
