#include "memscene/model_transform.h"

#include <cmath>

#include "base/error.h"
#include "memscene/rotation.h"

namespace morvel::mem {
namespace {

bool Finite3(const double (&v)[3]) {
  return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

double Length(const double (&v)[3]) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

SingleVector3 Singles(const double (&v)[3]) {
  return {static_cast<Single>(v[0]), static_cast<Single>(v[1]),
          static_cast<Single>(v[2])};
}

bool FiniteSingles(const SingleVector3& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

}  // namespace

Placement Decompose(const SourceMatrix& m) {
  Placement p;
  double t[3] = {m[3], m[7], m[11]};
  if (Finite3(t)) p.position = Singles(t);
  // The images of the three axes: the columns.
  double axes[3][3];
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) axes[c][r] = m[static_cast<std::size_t>(r * 4 + c)];
  }
  double scale[3] = {Length(axes[0]), Length(axes[1]), Length(axes[2])};
  if (!Finite3(axes[0]) || !Finite3(axes[1]) || !Finite3(axes[2]) ||
      !Finite3(scale) || scale[0] < 1e-30 || scale[1] < 1e-30 ||
      scale[2] < 1e-30) {
    return p;
  }
  const double det =
      axes[0][0] * (axes[1][1] * axes[2][2] - axes[1][2] * axes[2][1]) -
      axes[1][0] * (axes[0][1] * axes[2][2] - axes[0][2] * axes[2][1]) +
      axes[2][0] * (axes[0][1] * axes[1][2] - axes[0][2] * axes[1][1]);
  if (det < 0) scale[0] = -scale[0];
  double up[3], forward[3];
  for (int r = 0; r < 3; ++r) {
    up[r] = axes[1][r] / scale[1];
    forward[r] = axes[2][r] / scale[2];
  }
  Orientation o{Singles(forward), Singles(up)};
  SingleVector3 s = Singles(scale);
  if (!FiniteSingles(s) || s.X == 0 || s.Y == 0 || s.Z == 0) return p;
  try {
    FromOrientation(o.Forward, o.Up);  // refuses a pair that is no rotation
  } catch (const Error&) {
    return p;
  }
  p.orientation = o;
  p.scale = s;
  return p;
}

SourceMatrix Compose(const Placement& p) {
  Matrix3 r;
  try {
    r = FromOrientation(p.orientation.Forward, p.orientation.Up);
  } catch (const Error&) {
    r = Matrix3{};  // a group the panel could never have written so
  }
  const double s[3] = {p.scale.X, p.scale.Y, p.scale.Z};
  SourceMatrix m{};
  for (int row = 0; row < 3; ++row) {
    for (int c = 0; c < 3; ++c) {
      m[static_cast<std::size_t>(row * 4 + c)] =
          static_cast<Single>(r.m[row][c] * s[c]);
    }
  }
  m[3] = p.position.X;
  m[7] = p.position.Y;
  m[11] = p.position.Z;
  m[15] = 1;
  return m;
}

SourceMatrix MatrixOf(const GroupData& group) {
  Placement now{group.position, group.orientation, group.scale};
  const SourceMatrix& file = group.matrix.get();
  const bool affine =
      file[12] == 0 && file[13] == 0 && file[14] == 0 && file[15] == 1;
  if (affine && Decompose(file) == now) return file;
  return Compose(now);
}

}  // namespace morvel::mem
