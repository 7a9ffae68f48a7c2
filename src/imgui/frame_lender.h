#ifndef MORVEL_IMGUI_FRAME_LENDER_H_
#define MORVEL_IMGUI_FRAME_LENDER_H_

#include <functional>

namespace morvel::imgui {

// One frame of the host's loop lent to the panel while it waits for a
// modal answer: poll the window's events, start an ImGui frame, draw the
// host's windows (the panel, drawn meanwhile, takes no input), call
// `draw_modal` last (the question goes on top of everything), render and
// present. Return false when no frame can be run (the window is closing):
// the question then ends unanswered (a chooser as cancelled, a message as
// read, a tip as closed), and so does every question asked until control
// is back in the host's own loop. See docs/embedding-imgui.md.
using FrameLender =
    std::function<bool(const std::function<void()>& draw_modal)>;

}  // namespace morvel::imgui

#endif  // MORVEL_IMGUI_FRAME_LENDER_H_
