#include "imgui/modal.h"

#include <imgui.h>

namespace morvel::imgui {
namespace {

// A host that lends frames but never draws the modal in them would keep
// the panel waiting for ever; after this many frames the modal gives up.
constexpr int kFramesWithoutDrawing = 3;

}  // namespace

bool ModalLoop::Run(Modal& modal) {
  if (!lender_ || closing_) {
    modal.Cancel();
    return false;
  }
  stack_.push_back({&modal});
  const std::size_t index = stack_.size() - 1;
  int undrawn = 0;
  bool answered = false;
  while (true) {
    drawn_ = false;
    if (!lender_([this] { DrawModals(); })) {
      closing_ = true;
      break;
    }
    if (stack_[index].answered) {
      answered = true;
      break;
    }
    undrawn = drawn_ ? 0 : undrawn + 1;
    if (undrawn >= kFramesWithoutDrawing) break;
  }
  stack_.pop_back();
  if (!answered) modal.Cancel();
  // Back in the host's own loop: later modals may ask for frames again.
  if (stack_.empty()) closing_ = false;
  return answered;
}

void ModalLoop::DrawModals() {
  if (stack_.empty()) return;
  drawn_ = true;
  ImGui::PushID("morvel-modals");
  DrawFrom(0);
  ImGui::PopID();
}

void ModalLoop::DrawFrom(std::size_t index) {
  Open& open = stack_[index];
  const char* title = open.modal->Title();
  if (!open.opened) {
    ImGui::OpenPopup(title);
    open.opened = true;
  }
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(),
                          ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal(title, nullptr,
                              ImGuiWindowFlags_AlwaysAutoResize |
                                  ImGuiWindowFlags_NoSavedSettings)) {
    // Closed by someone else: open it again next frame.
    open.opened = false;
    return;
  }
  // Only the top modal answers; the ones below wait for it.
  bool top = index + 1 == stack_.size();
  if (!top) ImGui::BeginDisabled();
  if (open.modal->DrawBody() && top && !open.answered) {
    open.answered = true;
    ImGui::CloseCurrentPopup();
  }
  if (!top) ImGui::EndDisabled();
  if (index + 1 < stack_.size()) DrawFrom(index + 1);
  ImGui::EndPopup();
}

}  // namespace morvel::imgui
