#ifndef MORVEL_WARN_FRM_WARN_LAYOUT_H_
#define MORVEL_WARN_FRM_WARN_LAYOUT_H_

#include <span>

namespace morvel {

class WidgetTree;
struct WidgetSpec;

// The tip window's widgets as the designer leaves them (warn.layout.json).
std::span<const WidgetSpec> WarnLayout();

// Picture description of the tip window's icon and of its picture.
inline constexpr const char kWarnPicture[] = "image:tip";

// Builds the tip window frmWarn into an empty `tree` of its own: the form
// (caption "Tip"), its picture, the heading "Did you know...", the warning
// label (empty until the window is loaded), the check box with which the
// user keeps or stops the warning, and the OK button.
void BuildWarnWidgets(WidgetTree& tree);

}  // namespace morvel

#endif  // MORVEL_WARN_FRM_WARN_LAYOUT_H_
