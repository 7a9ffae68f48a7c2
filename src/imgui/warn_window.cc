#include "imgui/warn_window.h"

#include "imgui/view_internal.h"

namespace morvel::imgui {

WarnWindow::WarnWindow(frmWarn& warn, const ScreenMetrics& metrics,
                       PictureCache& pictures)
    : warn_(warn),
      view_(warn.Widgets(), *warn.Widgets().Root(), metrics, pictures),
      after_render_([this] { view_.RunPending(); }) {
  // The tip swallows its own failures; anything the view still reports is
  // of no concern to the person either.
  view_.on_error = [](const Error&) {};
}

ImVec2 WarnWindow::Size() const {
  const Widget& form = *warn_.Widgets().Root();
  return ImVec2(view_.ToPixelsX(form.Width()), view_.ToPixelsY(form.Height()));
}

std::string WarnWindow::Title() const {
  return internal::PlainCaption(warn_.Widgets().Root()->Caption());
}

void WarnWindow::DrawContent(bool interactive) {
  after_render_.Attach();
  view_.Draw(Size(), interactive);
}

void WarnWindow::DrawWindow(const char* id) {
  if (!warn_.IsLoaded()) return;
  bool open = true;
  std::string title = Title() + id;
  ImGui::SetNextWindowSize(ImVec2(0, 0));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  if (ImGui::Begin(title.c_str(), &open,
                   ImGuiWindowFlags_AlwaysAutoResize |
                       ImGuiWindowFlags_NoSavedSettings |
                       ImGuiWindowFlags_NoCollapse)) {
    DrawContent();
  }
  ImGui::End();
  ImGui::PopStyleVar();
  // Closed other than by OK: the choice is kept all the same.
  if (!open) warn_.Unload();
}

WarnModal::WarnModal(WarnWindow& window)
    : window_(window), title_(window.Title() + "##morvel-tip-modal") {
  window_.Model().Load();
}

bool WarnModal::DrawBody() {
  window_.DrawContent();
  return !window_.Model().IsLoaded();
}

void WarnModal::Cancel() { window_.Model().Unload(); }

}  // namespace morvel::imgui
