#ifndef MORVEL_IMGUI_WARN_WINDOW_H_
#define MORVEL_IMGUI_WARN_WINDOW_H_

#include <imgui.h>

#include <string>

#include "imgui/frame_hook.h"
#include "imgui/modal.h"
#include "imgui/pictures.h"
#include "imgui/widget_view.h"
#include "platform/platform.h"
#include "warn/frm_warn.h"

// The tip window on screen: the frmWarn model drawn by a widget view, in
// an ImGui window of its own. Whichever way it closes (OK, the window's
// close button, the host's window closing), the model is unloaded and so
// stores the person's choice.
namespace morvel::imgui {

class WarnWindow {
 public:
  // `warn`, `metrics` and `pictures` must outlive the window.
  WarnWindow(frmWarn& warn, const ScreenMetrics& metrics,
             PictureCache& pictures);

  // The window: its widgets at the cursor, in the form's size. Called
  // between Begin and End of a window of the caller's.
  void DrawContent(bool interactive = true);
  // A window of its own, as long as the model is loaded; its close button
  // unloads the model. `id` keeps two tips apart.
  void DrawWindow(const char* id = "##morvel-tip");
  ImVec2 Size() const;
  // The form's caption, "Tip".
  std::string Title() const;

  WidgetView& View() { return view_; }
  frmWarn& Model() { return warn_; }

 private:
  frmWarn& warn_;
  WidgetView view_;
  AfterRender after_render_;
};

// The tip as a modal answer (what a host shows on evtReqWarn): loads the
// model and stays until OK unloads it; when no frame can be had it is
// unloaded all the same.
class WarnModal final : public Modal {
 public:
  explicit WarnModal(WarnWindow& window);
  const char* Title() const override { return title_.c_str(); }
  bool DrawBody() override;
  void Cancel() override;

 private:
  WarnWindow& window_;
  std::string title_;
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_WARN_WINDOW_H_
