#include "kit/section_widgets.h"

#include <string>

#include "base/error.h"

namespace morvel {

SectionWidgets::SectionWidgets(WidgetTree& tree,
                               std::span<const WidgetSpec> layout)
    : tree_(tree), first_(tree.All().size()) {
  tree.Build(layout.data(), layout.size());
  end_ = tree.All().size();
}

Widget& SectionWidgets::Own(std::string_view name, int index) const {
  Widget& widget = tree_.GetWidget(name, index);
  const auto& all = tree_.All();
  for (std::size_t i = first_; i < end_; ++i) {
    if (all[i].get() == &widget) return widget;
  }
  RaiseError(kErrInvalidProcedureCall,
             widget.DisplayName() + " belongs to another section");
}

}  // namespace morvel
