#include "scene/rotation.h"

#include <cfloat>
#include <cmath>

#include "base/error.h"

namespace morvel::rotation {
namespace {

struct Vec {
  double x, y, z;
};

double Dot(const Vec& a, const Vec& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Cross(const Vec& a, const Vec& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec Scale(const Vec& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
Vec Minus(const Vec& a, const Vec& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

bool Finite(const SingleVector3& v) {
  return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

constexpr double kTruePi = 3.14159265358979323846;
// Half a turn in the system's radians.
constexpr float kSystemHalfTurn = 3.141593f;

// An angle in the system's radians as a number of half turns. The panel made
// it as the Single product of a Single number of half turns (degrees / 180)
// and 3.141593; when that product reads back, the half turns are taken as
// that Single, so 90 degrees is exactly half a half turn again.
double HalfTurns(Single radians) {
  const double half_turns = radians / static_cast<double>(kSystemHalfTurn);
  const auto as_single = static_cast<float>(half_turns);
  if (as_single * kSystemHalfTurn == radians) return as_single;
  return half_turns;
}

// Sine and cosine of a number of half turns, exact at every quarter turn:
// the quarter turns are taken off first and only the rest (at most an
// eighth of a turn) goes through sin and cos.
void SinCos(double half_turns, double& sine, double& cosine) {
  const double quarters = std::nearbyint(2 * half_turns);
  const double rest = (half_turns - quarters / 2) * kTruePi;
  const double s = rest == 0 ? 0 : std::sin(rest);
  const double c = rest == 0 ? 1 : std::cos(rest);
  double turn = std::fmod(quarters, 4);
  if (turn < 0) turn += 4;
  switch (static_cast<int>(turn)) {
    case 0:
      sine = s, cosine = c;
      break;
    case 1:
      sine = c, cosine = -s;
      break;
    case 2:
      sine = -s, cosine = -c;
      break;
    default:
      sine = -c, cosine = s;
      break;
  }
  // No negative zeros: they would print as "-0" and tip an arctangent to
  // the other side of half a turn.
  sine += 0.0;
  cosine += 0.0;
}

Matrix3 FromSinCos(double sa, double ca, double sb, double cb, double sc,
                   double cc) {
  Matrix3 r;
  r.m[0][0] = cb * cc;
  r.m[0][1] = cc * sb * sa - sc * ca;
  r.m[0][2] = cc * sb * ca + sc * sa;
  r.m[1][0] = cb * sc;
  r.m[1][1] = sc * sb * sa + cc * ca;
  r.m[1][2] = sc * sb * ca - cc * sa;
  r.m[2][0] = -sb;
  r.m[2][1] = cb * sa;
  r.m[2][2] = cb * ca;
  for (auto& row : r.m) {
    for (double& value : row) value += 0.0;
  }
  return r;
}

// An angle in true radians, in (-pi, pi], as the system's radians. Half a
// turn stays half a turn: an angle a rounding step short of -pi is +pi.
Single SystemRadians(double radians) {
  double half_turns = radians / kTruePi;
  if (half_turns <= -1 + FLT_EPSILON) half_turns += 2;
  return static_cast<Single>(half_turns * kSystemHalfTurn) + 0.0f;
}

}  // namespace

Matrix3 FromOrientation(const SingleVector3& forward, const SingleVector3& up) {
  if (!Finite(forward) || !Finite(up)) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: an orientation needs "
               "finite Forward and Up vectors");
  }
  Vec f{forward.X, forward.Y, forward.Z};
  Vec u{up.X, up.Y, up.Z};
  double f_length = std::sqrt(Dot(f, f));
  double u_length = std::sqrt(Dot(u, u));
  if (f_length < 1e-12 || u_length < 1e-12) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: Forward and Up of an "
               "orientation must not be zero");
  }
  Vec z = Scale(f, 1 / f_length);
  // Up need not be exactly square to Forward: keep the part of it that is.
  Vec y =
      Minus(Scale(u, 1 / u_length), Scale(z, Dot(z, Scale(u, 1 / u_length))));
  double y_length = std::sqrt(Dot(y, y));
  if (y_length < 1e-6) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: Forward and Up of an "
               "orientation must not be parallel");
  }
  y = Scale(y, 1 / y_length);
  Vec x = Cross(y, z);
  Matrix3 r;
  const Vec columns[3] = {x, y, z};
  for (int c = 0; c < 3; ++c) {
    r.m[0][c] = columns[c].x;
    r.m[1][c] = columns[c].y;
    r.m[2][c] = columns[c].z;
  }
  return r;
}

Orientation ToOrientation(const Matrix3& r) {
  Orientation o;
  o.Forward = {static_cast<Single>(r.m[0][2]), static_cast<Single>(r.m[1][2]),
               static_cast<Single>(r.m[2][2])};
  o.Up = {static_cast<Single>(r.m[0][1]), static_cast<Single>(r.m[1][1]),
          static_cast<Single>(r.m[2][1])};
  return o;
}

Matrix3 FromEuler(double x, double y, double z) {
  return FromSinCos(std::sin(x), std::cos(x), std::sin(y), std::cos(y),
                    std::sin(z), std::cos(z));
}

void ToEuler(const Matrix3& r, double& x, double& y, double& z) {
  // Y from both of its sine and cosine rather than an arcsine, which loses
  // precision as Y nears a quarter turn.
  double cos_y = std::hypot(r.m[0][0], r.m[1][0]);
  y = std::atan2(-r.m[2][0], cos_y);
  if (cos_y < 1e-6) {
    // X and Z turn about the same axis: only their sum (or difference) is
    // known. Take X as 0 and give Z all of it.
    x = 0;
    z = std::atan2(-r.m[0][1], r.m[1][1]);
  } else {
    x = std::atan2(r.m[2][1], r.m[2][2]);
    z = std::atan2(r.m[1][0], r.m[0][0]);
  }
}

Orientation OrientationFromAngles(const SingleVector3& angles) {
  double sa, ca, sb, cb, sc, cc;
  SinCos(HalfTurns(angles.X), sa, ca);
  SinCos(HalfTurns(angles.Y), sb, cb);
  SinCos(HalfTurns(angles.Z), sc, cc);
  return ToOrientation(FromSinCos(sa, ca, sb, cb, sc, cc));
}

SingleVector3 AnglesOfOrientation(const SingleVector3& forward,
                                  const SingleVector3& up) {
  double x = 0, y = 0, z = 0;
  ToEuler(FromOrientation(forward, up), x, y, z);
  return {SystemRadians(x), SystemRadians(y), SystemRadians(z)};
}

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
  Matrix3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      r.m[i][j] =
          a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    }
  }
  return r;
}

Matrix3 Transpose(const Matrix3& a) {
  Matrix3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.m[i][j] = a.m[j][i];
  }
  return r;
}

Transform Compose(const Transform& outer, const Transform& inner) {
  Transform t;
  t.rotation = Multiply(outer.rotation, inner.rotation);
  for (int i = 0; i < 3; ++i) {
    t.origin[i] = outer.origin[i];
    for (int j = 0; j < 3; ++j)
      t.origin[i] += outer.rotation.m[i][j] * inner.origin[j];
  }
  return t;
}

Transform Inverse(const Transform& t) {
  Transform inverse;
  inverse.rotation = Transpose(t.rotation);
  for (int i = 0; i < 3; ++i) {
    inverse.origin[i] = 0;
    for (int j = 0; j < 3; ++j) {
      inverse.origin[i] -= inverse.rotation.m[i][j] * t.origin[j];
    }
  }
  return inverse;
}

}  // namespace morvel::rotation
