#ifndef MORVEL_KIT_SECTION_WIDGETS_H_
#define MORVEL_KIT_SECTION_WIDGETS_H_

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "kit/axes.h"
#include "widgets/widget.h"

namespace morvel {

// The widgets one layout table built, handed out by name and kind to the
// code that built them and to no one else. A section builds its table once,
// in its constructor, and keeps typed references to what it needs; asking
// for a widget another table built is an error, so no section can come to
// depend on another section's widgets.
class SectionWidgets {
 public:
  // Builds `layout` into `tree`, in table order. A parent may be any widget
  // already in the tree (a section's top-level frame hangs in the form).
  SectionWidgets(WidgetTree& tree, std::span<const WidgetSpec> layout);

  // The widget `name` (element `index` of a control array) of kind T.
  // Error 5 when this table did not build it, 13 when it is of another
  // kind.
  template <class T>
  T& Get(std::string_view name, int index = -1) const {
    Widget& widget = Own(name, index);
    T* typed = dynamic_cast<T*>(&widget);
    if (!typed) tree_.Get<T>(name, index);  // raises the kind error
    return *typed;
  }

  // The widgets `stem` + "X", "Y" and "Z" of this table, in axis order.
  template <class T>
  std::array<T*, kAxes> Axes(std::string_view stem) const {
    std::array<T*, kAxes> axes{};
    for (int axis = 0; axis < kAxes; ++axis) {
      axes[axis] = &Get<T>(std::string(stem) + kAxisLetters[axis]);
    }
    return axes;
  }

  // Elements 0 to N - 1 of a control array of this table.
  template <class T, std::size_t N>
  std::array<T*, N> Elements(std::string_view name) const {
    std::array<T*, N> elements{};
    for (std::size_t i = 0; i < N; ++i) {
      elements[i] = &Get<T>(name, static_cast<int>(i));
    }
    return elements;
  }

 private:
  Widget& Own(std::string_view name, int index) const;

  WidgetTree& tree_;
  // What the table built: All()[first_, end_) of the tree.
  std::size_t first_;
  std::size_t end_;
};

}  // namespace morvel

#endif  // MORVEL_KIT_SECTION_WIDGETS_H_
