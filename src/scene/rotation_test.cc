#include "scene/rotation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/error.h"
#include "base/numbers.h"
#include "host/reference_utilities.h"

namespace morvel {
namespace {

constexpr double kHalfPi = 1.5707963267948966;

void ExpectNear(const SingleVector3& actual, const SingleVector3& expected,
                double tolerance) {
  EXPECT_NEAR(actual.X, expected.X, tolerance);
  EXPECT_NEAR(actual.Y, expected.Y, tolerance);
  EXPECT_NEAR(actual.Z, expected.Z, tolerance);
}

const Single kRight = static_cast<Single>(kHalfPi);

TEST(KnownAnglesTest, TurnTheForwardAndUpAxesAndBack) {
  const struct {
    SingleVector3 angles, forward, up;
  } cases[] = {
      {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}},
      // About X the forward axis tips down and up turns to face forward.
      {{kRight, 0, 0}, {0, -1, 0}, {0, 0, 1}},
      {{0, 0, kRight}, {0, 0, 1}, {-1, 0, 0}},
      {{0, 0, 3.14159265f}, {0, 0, 1}, {0, -1, 0}},
      {{kRight, 0, kRight}, {1, 0, 0}, {0, 0, 1}},
      {{0, 0.78539816f, 0}, {0.70710678f, 0, 0.70710678f}, {0, 1, 0}}};
  ReferenceSceneUtility u(nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.angles.X << " " << c.angles.Y
                                      << " " << c.angles.Z);
    Orientation o = u.EulerToOrientation(c.angles);
    ExpectNear(o.Forward, c.forward, 1e-6);
    ExpectNear(o.Up, c.up, 1e-6);
    ExpectNear(u.OrientationToEuler(c.forward, c.up), c.angles, 1e-6);
  }
}

TEST(EulerRoundTripTest, AnglesComeBackWithin1e5) {
  ReferenceSceneUtility u(nullptr);
  const Single xs[] = {-3.14f, -2.0f, -0.5f, 0.0f, 0.7f, 1.5707965f, 3.14f};
  // Near a quarter turn about Y, X and Z depend ever more steeply on the
  // Single components of Forward and Up; 1.4 keeps that within the bound.
  const Single ys[] = {-1.4f, -0.7f, 0.0f, 0.3f, 1.2f, 1.4f};
  for (Single x : xs) {
    for (Single y : ys) {
      for (Single z : xs) {
        SingleVector3 angles{x, y, z};
        Orientation o = u.EulerToOrientation(angles);
        SingleVector3 back = u.OrientationToEuler(o.Forward, o.Up);
        EXPECT_NEAR(back.X, x, 1e-5) << x << " " << y << " " << z;
        EXPECT_NEAR(back.Y, y, 1e-5) << x << " " << y << " " << z;
        EXPECT_NEAR(back.Z, z, 1e-5) << x << " " << y << " " << z;
      }
    }
  }
}

TEST(EulerRoundTripTest, AtAQuarterTurnAboutYTheOrientationSurvives) {
  // There X and Z turn about the same axis: the angles are not unique, but
  // the orientation they give is.
  ReferenceSceneUtility u(nullptr);
  for (Single y : {kRight, -kRight}) {
    Orientation o = u.EulerToOrientation({0.4f, y, -1.1f});
    SingleVector3 back = u.OrientationToEuler(o.Forward, o.Up);
    Orientation again = u.EulerToOrientation(back);
    ExpectNear(again.Forward, o.Forward, 1e-5);
    ExpectNear(again.Up, o.Up, 1e-5);
  }
}

TEST(OrientationToEulerTest, AcceptsUnnormalisedAndSlantedUp) {
  ReferenceSceneUtility u(nullptr);
  ExpectNear(u.OrientationToEuler({0, 0, 2}, {0, 3, 0}), {0, 0, 0}, 1e-7);
  ExpectNear(u.OrientationToEuler({0, 0, 1}, {0, 1, 1}), {0, 0, 0}, 1e-7);
}

TEST(OrientationToEulerTest, ADegeneratePairIsNoOrientation) {
  const struct {
    SingleVector3 forward, up;
  } pairs[] = {{{0, 0, 0}, {0, 1, 0}},
               {{0, 0, 1}, {0, 0, 0}},
               {{0, 0, 1}, {0, 0, -4}},  // parallel
               {{NAN, 0, 1}, {0, 1, 0}},
               {{0, 0, 1}, {INFINITY, 1, 0}}};
  ReferenceSceneUtility u(nullptr);
  for (const auto& p : pairs) {
    try {
      u.OrientationToEuler(p.forward, p.up);
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), 5);
    }
  }
}

// What the panel does with the orientation fields: degrees as Singles,
// (d / 180) x 3.141593 to radians and back, shown with four decimals.
Single PanelRadians(Single degrees) { return (degrees / 180.0f) * 3.141593f; }
std::string PanelText(Single radians) {
  return FormatNumber((radians * 180.0f) / 3.141593f, "#.0###");
}

// A position edit rewrites the orientation from the three texts the fields
// show; the orientation they show afterwards must be the same texts, or
// every edit of a position would nudge the orientation.
TEST(SystemAnglesTest, EveryTenthOfADegreeOfEachAxisShowsAgainAsWritten) {
  struct Axis {
    int index;
    int from, to;  // tenths of a degree
  };
  // Y is read back within a quarter turn either way; X and Z within a half
  // turn, half a turn itself as 180.
  const Axis axes[] = {{0, -1799, 1800}, {1, -900, 900}, {2, -1799, 1800}};
  int checked = 0;
  for (const Axis& axis : axes) {
    for (int tenths = axis.from; tenths <= axis.to; ++tenths) {
      const std::string text = FormatNumber(tenths / 10.0, "#.0###");
      SingleVector3 angles{0, 0, 0};
      Single* angle[] = {&angles.X, &angles.Y, &angles.Z};
      *angle[axis.index] = PanelRadians(TextToSingle(text));
      Orientation o = rotation::OrientationFromAngles(angles);
      SingleVector3 back = rotation::AnglesOfOrientation(o.Forward, o.Up);
      const Single shown[] = {back.X, back.Y, back.Z};
      for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(PanelText(shown[i]), i == axis.index ? text : ".0")
            << "axis " << axis.index << " at " << text << ", field " << i;
      }
      ++checked;
    }
  }
  EXPECT_EQ(checked, 3600 + 1801 + 3600);
}

TEST(SystemAnglesTest, QuarterTurnsGiveExactAxes) {
  const Single quarter = PanelRadians(90), half = PanelRadians(180);
  const struct {
    SingleVector3 angles, forward, up;
  } cases[] = {
      {{half, 0, 0}, {0, 0, -1}, {0, -1, 0}},
      {{0, half, 0}, {0, 0, -1}, {0, 1, 0}},
      {{quarter, 0, quarter}, {1, 0, 0}, {0, 0, 1}},
      {{-quarter, 0, 0}, {0, 1, 0}, {0, 0, -1}},
      {{0, 0, PanelRadians(-270)}, {0, 0, 1}, {-1, 0, 0}}};
  for (const auto& c : cases) {
    Orientation o = rotation::OrientationFromAngles(c.angles);
    const Single got[] = {o.Forward.X, o.Forward.Y, o.Forward.Z,
                          o.Up.X,      o.Up.Y,      o.Up.Z};
    const Single want[] = {c.forward.X, c.forward.Y, c.forward.Z,
                           c.up.X,      c.up.Y,      c.up.Z};
    for (int i = 0; i < 6; ++i) {
      // Exactly, and no negative zero, which a saved file would keep.
      EXPECT_EQ(got[i], want[i]) << i;
      EXPECT_FALSE(std::signbit(got[i]) && got[i] == 0) << i;
    }
  }
}

TEST(SystemAnglesTest, HalfATurnReadsAs180FromEitherSide) {
  // Files written before the conversions were exact hold half a turn a
  // rounding step either side of it.
  // Noise along Forward is taken out of Up; noise across it turns the
  // orientation a rounding step past half a turn, to either side.
  for (Single noise : {1e-7f, -1e-7f, 0.0f}) {
    for (const Orientation& o :
         {Orientation{{0, 0, -1}, {0, -1, noise}},
          Orientation{{0, noise, -1}, {0, -1, 0}},
          Orientation{{0, noise, -1}, {0, -1, -noise}}}) {
      SingleVector3 back = rotation::AnglesOfOrientation(o.Forward, o.Up);
      EXPECT_EQ(PanelText(back.X), "180.0") << noise;
      EXPECT_EQ(PanelText(back.Z), ".0") << noise;
    }
  }
}

TEST(TransformTest, InverseUndoesCompose) {
  rotation::Transform a;
  a.rotation = rotation::FromEuler(0.3, -0.2, 1.1);
  a.origin[0] = 1;
  a.origin[1] = -2;
  a.origin[2] = 5;
  rotation::Transform identity = rotation::Compose(rotation::Inverse(a), a);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(identity.origin[i], 0, 1e-12);
    for (int j = 0; j < 3; ++j)
      EXPECT_NEAR(identity.rotation.m[i][j], i == j ? 1 : 0, 1e-12);
  }
}

}  // namespace
}  // namespace morvel
