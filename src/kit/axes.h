#ifndef MORVEL_KIT_AXES_H_
#define MORVEL_KIT_AXES_H_

// The three axes of the vectors the sections show: X, Y and Z as 0, 1 and
// 2. The widgets of one vector share a stem and end in the axis letter
// (txtPositionX, txtPositionY, txtPositionZ); SectionWidgets::Axes hands
// them out in axis order.
namespace morvel {

inline constexpr int kAxes = 3;
inline constexpr const char* kAxisLetters[kAxes] = {"X", "Y", "Z"};

// The component of `vector` (a SingleVector3 or LongVector3) on `axis`.
template <class Vector>
auto& Component(Vector& vector, int axis) {
  return axis == 0 ? vector.X : axis == 1 ? vector.Y : vector.Z;
}

}  // namespace morvel

#endif  // MORVEL_KIT_AXES_H_
