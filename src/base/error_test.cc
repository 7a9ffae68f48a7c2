#include "base/error.h"

#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace morvel {
namespace {

struct StandardCase {
  Long number;
  const char* description;
};

class StandardDescriptionTest : public testing::TestWithParam<StandardCase> {};

TEST_P(StandardDescriptionTest, RaiseErrorUsesThePlatformText) {
  const StandardCase& c = GetParam();
  EXPECT_EQ(StandardDescription(c.number), c.description);
  try {
    RaiseError(c.number);
    FAIL() << "RaiseError returned";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_EQ(e.Description(), c.description);
    EXPECT_EQ(e.Source(), "");
    EXPECT_STREQ(e.what(), c.description);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StandardDescriptionTest,
    testing::Values(
        StandardCase{5, "Invalid procedure call or argument"},
        StandardCase{6, "Overflow"}, StandardCase{7, "Out of memory"},
        StandardCase{9, "Subscript out of range"},
        StandardCase{13, "Type mismatch"}, StandardCase{53, "File not found"},
        StandardCase{70, "Permission denied"},
        StandardCase{75, "Path/File access error"},
        StandardCase{91, "Object variable or With block variable not set"},
        StandardCase{380, "Invalid property value"},
        StandardCase{424, "Object required"},
        StandardCase{1234, "Application-defined or object-defined error"}));

TEST(ErrorTest, RaiseErrorWithOwnDescription) {
  try {
    RaiseError(380, "Invalid property value: Smoothing level 9");
    FAIL() << "RaiseError returned";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 380);
    EXPECT_EQ(e.Description(), "Invalid property value: Smoothing level 9");
  }
}

TEST(ErrorTest, ToStringShowsNumberDescriptionAndSource) {
  EXPECT_EQ(Error(6, "Overflow", "Properties").ToString(),
            "Error 6: Overflow (Properties)");
  EXPECT_EQ(Error(13, "Type mismatch").ToString(), "Error 13: Type mismatch");
}

TEST(ErrorTest, RequiredPassesObjectsAndRefusesNullWith91) {
  auto object = std::make_shared<int>(4);
  EXPECT_EQ(*Required(object), 4);
  std::shared_ptr<int> none;
  try {
    Required(none);
    FAIL() << "null accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrObjectNotSet);
    EXPECT_EQ(e.Description(),
              "Object variable or With block variable not set");
  }
  const int* raw = nullptr;
  EXPECT_THROW(Required(raw), Error);
}

// What CurrentAsError makes of each kind of failure in flight.
struct InFlightCase {
  const char* name;
  void (*raise)();
  Long number;
  const char* description;
};

class CurrentAsErrorTest : public testing::TestWithParam<InFlightCase> {};

TEST_P(CurrentAsErrorTest, MapsTheFailure) {
  const InFlightCase& c = GetParam();
  try {
    c.raise();
    FAIL() << "nothing raised";
  } catch (...) {
    const Error e = CurrentAsError();
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_EQ(e.Description(), c.description);
    EXPECT_EQ(e.Source(), "Properties");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CurrentAsErrorTest,
    testing::Values(
        InFlightCase{"Error", [] { throw Error(424, "Object required", "Scene"); },
                     424, "Object required"},
        InFlightCase{"BadAlloc", [] { throw std::bad_alloc(); }, 7,
                     "Out of memory"},
        InFlightCase{"OutOfRange", [] { throw std::out_of_range("index 7"); }, 9,
                     "index 7"},
        InFlightCase{"RuntimeError",
                     [] { throw std::runtime_error("disk on fire"); }, 5,
                     "disk on fire"},
        InFlightCase{"Int", [] { throw 42; }, 5,
                     "Invalid procedure call or argument"}),
    [](const testing::TestParamInfo<InFlightCase>& info) {
      return std::string(info.param.name);
    });

TEST(CurrentAsErrorTest, TakesTheSourceItIsGiven) {
  try {
    throw Error(6, "Overflow");
  } catch (...) {
    EXPECT_EQ(CurrentAsError("Scene").Source(), "Scene");
  }
}

TEST(WithPropertiesSourceTest, PassesTheResultThrough) {
  EXPECT_EQ(WithPropertiesSource([] { return 17; }), 17);
  std::string text = "kept";
  std::string& ref = WithPropertiesSource([&]() -> std::string& { return text; });
  EXPECT_EQ(&ref, &text);
}

TEST(WithPropertiesSourceTest, KeepsNumberAndDescriptionAndSetsTheSource) {
  std::vector<int> done;
  try {
    WithPropertiesSource([&] {
      done.push_back(1);
      throw Error(13, "Type mismatch", "MorvelSG");
      done.push_back(2);
    });
    FAIL() << "nothing raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 13);
    EXPECT_EQ(e.Description(), "Type mismatch");
    EXPECT_EQ(e.Source(), "Properties");
  }
  // The failing step stops the body; what ran before it stays done.
  EXPECT_EQ(done, std::vector<int>{1});
}

TEST(WithPropertiesSourceTest, TurnsForeignExceptionsIntoErrors) {
  try {
    WithPropertiesSource([] { throw std::bad_alloc(); });
    FAIL() << "nothing raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrOutOfMemory);
    EXPECT_EQ(e.Source(), "Properties");
  }
}

TEST(QuietlyTest, SwallowsEveryFailureAndReportsIt) {
  int steps = 0;
  EXPECT_TRUE(Quietly([&] { ++steps; }));
  EXPECT_FALSE(Quietly([&] {
    ++steps;
    RaiseError(9);
  }));
  EXPECT_FALSE(Quietly([&] {
    ++steps;
    throw std::bad_alloc();
  }));
  EXPECT_FALSE(Quietly([] { throw 1; }));
  EXPECT_EQ(steps, 3);
}

}  // namespace
}  // namespace morvel
