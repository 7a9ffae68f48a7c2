#include "warn/frm_warn_layout.h"

#include "widgets/widget.h"

namespace morvel {

void BuildWarnWidgets(WidgetTree& tree) {
  const std::span<const WidgetSpec> layout = WarnLayout();
  tree.Build(layout.data(), layout.size());
  tree.Get<Form>("frmWarn").SetIcon(kWarnPicture);
  tree.Get<PictureBox>("Picture1").SetPicture(kWarnPicture);
}

}  // namespace morvel
