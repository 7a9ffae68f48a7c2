#ifndef MORVEL_IMGUI_MODAL_H_
#define MORVEL_IMGUI_MODAL_H_

#include <imgui.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "imgui/frame_lender.h"

// Modal answers in an immediate-mode UI. The panel asks for a colour, a map
// file or an OK synchronously, from inside an editor, and waits for the
// answer, as QDialog::exec waits in a nested event loop. ImGui has no loop
// of its own to nest: the host lends the panel whole frames of its own loop
// (frame_lender.h) and the panel runs them until the person has answered.
namespace morvel::imgui {

// A question on screen until it is answered.
class Modal {
 public:
  virtual ~Modal() = default;
  // The window's title (also its ImGui identity).
  virtual const char* Title() const = 0;
  // Draws the window's content; true once the person has answered.
  virtual bool DrawBody() = 0;
  // No more frames can be had: end without an answer.
  virtual void Cancel() {}
  // Where the last frame showed the button that answers (OK), for a script
  // that answers as a person would; none by default.
  virtual std::optional<std::pair<ImVec2, ImVec2>> AnswerButton() const {
    return std::nullopt;
  }
};

class ModalLoop {
 public:
  void SetLender(FrameLender lender) { lender_ = std::move(lender); }
  bool HasLender() const { return static_cast<bool>(lender_); }

  // Shows `modal` frame after frame until it is answered (true), or until
  // the host lends no frame, has no lender, or does not draw the modal in
  // the frames it lends (false, after Cancel()).
  bool Run(Modal& modal);
  // A modal is on screen: the panel takes no input meanwhile.
  bool Active() const { return !stack_.empty(); }
  // The question on top, which a person answers first; null when none.
  Modal* Top() const { return stack_.empty() ? nullptr : stack_.back().modal; }
  // Draws every open modal, each over the one that asked for it. The
  // lender's `draw_modal`.
  void DrawModals();

 private:
  struct Open {
    Modal* modal;
    bool opened = false;
    bool answered = false;
  };
  void DrawFrom(std::size_t index);

  FrameLender lender_;
  std::vector<Open> stack_;
  // The host's window is closing: every modal of the handler in progress
  // ends at once, without asking for more frames.
  bool closing_ = false;
  bool drawn_ = false;
};

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_MODAL_H_
