#include "warn/frm_warn_layout.h"

#include "widgets/widget.h"

namespace morvel {
namespace {

using K = WidgetKind;

// A small window: the picture at the top left, the heading and the warning
// text beside it, the check box and the OK button along the bottom.
// clang-format off
const WidgetSpec kWarnLayout[] = {
    {.kind = K::kForm, .name = "frmWarn",
     .left = 0, .top = 0, .width = 4140, .height = 3165, .caption = "Tip"},
    {.kind = K::kPictureBox, .name = "Picture1", .parent = "frmWarn",
     .left = 120, .top = 120, .width = 480, .height = 480},
    {.kind = K::kLabel, .name = "Label1", .parent = "frmWarn",
     .left = 720, .top = 180, .width = 3300, .height = 255,
     .caption = "Did you know..."},
    {.kind = K::kLabel, .name = "lblWarning", .parent = "frmWarn",
     .left = 720, .top = 555, .width = 3300, .height = 2040},
    {.kind = K::kCheckBox, .name = "chkContinueToReceiveWarning",
     .parent = "frmWarn",
     .left = 120, .top = 2730, .width = 2685, .height = 255,
     .caption = "Continue to receive this message",
     .tooltip = "Clear this box and the message will not be shown again"},
    {.kind = K::kButton, .name = "cmdOK", .parent = "frmWarn",
     .left = 2925, .top = 2670, .width = 1095, .height = 375,
     .caption = "OK", .tooltip = "Close this tip"},
};
// clang-format on

}  // namespace

void BuildWarnWidgets(WidgetTree& tree) {
  tree.Build(kWarnLayout);
  tree.Get<Form>("frmWarn").SetIcon(kWarnPicture);
  tree.Get<PictureBox>("Picture1").SetPicture(kWarnPicture);
}

}  // namespace morvel
