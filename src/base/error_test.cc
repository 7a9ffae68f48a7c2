#include "base/error.h"

#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace morvel {
namespace {

TEST(ErrorTest, RaiseErrorUsesThePlatformText) {
  const struct {
    Long number;
    const char* description;
  } cases[] = {{5, "Invalid procedure call or argument"},
               {6, "Overflow"},
               {7, "Out of memory"},
               {9, "Subscript out of range"},
               {13, "Type mismatch"},
               {53, "File not found"},
               {70, "Permission denied"},
               {75, "Path/File access error"},
               {91, "Object variable or With block variable not set"},
               {380, "Invalid property value"},
               {424, "Object required"},
               {1234, "Application-defined or object-defined error"}};
  for (const auto& c : cases) {
    try {
      RaiseError(c.number);
      ADD_FAILURE() << "RaiseError returned";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), c.number);
      EXPECT_EQ(e.Description(), c.description);
      EXPECT_EQ(e.Source(), "");
      EXPECT_STREQ(e.what(), c.description);
    }
  }
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
  }
  const int* raw = nullptr;
  EXPECT_THROW(Required(raw), Error);
}

// What the panel's boundary makes of each kind of failure in flight: the
// number and description it carries, the panel as the source.
TEST(CurrentAsErrorTest, MapsEveryKindOfFailure) {
  const struct {
    void (*raise)();
    Long number;
    const char* description;
  } cases[] = {
      {[] { throw Error(424, "Object required", "Scene"); }, 424,
       "Object required"},
      {[] { throw std::bad_alloc(); }, 7, "Out of memory"},
      {[] { throw std::out_of_range("index 7"); }, 9, "index 7"},
      {[] { throw std::runtime_error("disk on fire"); }, 5, "disk on fire"},
      {[] { throw 42; }, 5, "Invalid procedure call or argument"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    try {
      c.raise();
    } catch (...) {
      const Error e = CurrentAsError();
      EXPECT_EQ(e.Number(), c.number);
      EXPECT_EQ(e.Description(), c.description);
      EXPECT_EQ(e.Source(), "Properties");
    }
    try {
      WithPropertiesSource(c.raise);
      ADD_FAILURE() << "nothing raised";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), c.number);
      EXPECT_EQ(e.Source(), "Properties");
    }
  }
  try {
    throw Error(6, "Overflow");
  } catch (...) {
    EXPECT_EQ(CurrentAsError("Scene").Source(), "Scene");
  }
}

TEST(WithPropertiesSourceTest, PassesResultsThroughAndStopsAtTheFailingStep) {
  EXPECT_EQ(WithPropertiesSource([] { return 17; }), 17);
  std::string text = "kept";
  std::string& ref = WithPropertiesSource([&]() -> std::string& { return text; });
  EXPECT_EQ(&ref, &text);
  std::vector<int> done;
  EXPECT_THROW(WithPropertiesSource([&] {
                 done.push_back(1);
                 throw Error(13, "Type mismatch", "MorvelSG");
                 done.push_back(2);
               }),
               Error);
  // What ran before the failure stays done.
  EXPECT_EQ(done, std::vector<int>{1});
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
