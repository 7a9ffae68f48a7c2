#include "scene/utilities.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "base/error.h"
#include "memscene/mem_utilities.h"

namespace morvel {
namespace {

// The reference scene graph's utilities, counted as they are made.
struct CountingFactory : UtilityFactory {
  int scene = 0, dialog = 0, math = 0, picture = 0;
  bool give_null = false;

  std::shared_ptr<SceneUtility> CreateSceneUtility() override {
    ++scene;
    if (give_null) return nullptr;
    return std::make_shared<MemSceneUtility>();
  }
  std::shared_ptr<DialogUtility> CreateDialogUtility() override {
    ++dialog;
    return std::make_shared<MemDialogUtility>();
  }
  std::shared_ptr<MathUtility> CreateMathUtility() override {
    ++math;
    return std::make_shared<MemMathUtility>();
  }
  std::shared_ptr<PictureUtility> CreatePictureUtility() override {
    ++picture;
    return std::make_shared<MemPictureUtility>();
  }
};

class SharedUtilitiesTest : public ::testing::Test {
 protected:
  void SetUp() override { SetUtilityFactory(factory_); }
  void TearDown() override { SetUtilityFactory(nullptr); }
  std::shared_ptr<CountingFactory> factory_ =
      std::make_shared<CountingFactory>();
};

TEST_F(SharedUtilitiesTest, OneInstancePerThreadCreatedOnFirstUse) {
  EXPECT_EQ(factory_->scene, 0);
  auto first = SharedSceneUtility();
  auto second = SharedSceneUtility();
  EXPECT_EQ(first, second);
  EXPECT_EQ(factory_->scene, 1);
  EXPECT_EQ(SharedDialogUtility(), SharedDialogUtility());
  EXPECT_EQ(SharedMathUtility(), SharedMathUtility());
  EXPECT_EQ(factory_->dialog, 1);
  EXPECT_EQ(factory_->math, 1);

  std::shared_ptr<SceneUtility> other_thread;
  std::thread([&] { other_thread = SharedSceneUtility(); }).join();
  EXPECT_NE(other_thread, first);
  EXPECT_EQ(factory_->scene, 2);
}

TEST_F(SharedUtilitiesTest, PictureUtilitiesAreNewEachTime) {
  EXPECT_NE(CreatePictureUtility(), CreatePictureUtility());
  EXPECT_EQ(factory_->picture, 2);
}

TEST_F(SharedUtilitiesTest, ANewFactoryReplacesTheThreadsInstances) {
  auto before = SharedSceneUtility();
  auto replacement = std::make_shared<CountingFactory>();
  SetUtilityFactory(replacement);
  auto after = SharedSceneUtility();
  EXPECT_NE(before, after);
  EXPECT_EQ(replacement->scene, 1);
  EXPECT_EQ(factory_->scene, 1);
}

TEST_F(SharedUtilitiesTest, WithoutAFactoryEveryRequestFailsWith429) {
  SetUtilityFactory(nullptr);
  for (auto request :
       {+[] { SharedSceneUtility(); }, +[] { SharedDialogUtility(); },
        +[] { SharedMathUtility(); }, +[] { CreatePictureUtility(); }}) {
    try {
      request();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), 429);
    }
  }
}

TEST_F(SharedUtilitiesTest, AFactoryThatMakesNothingIsError91) {
  factory_->give_null = true;
  try {
    SharedSceneUtility();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), kErrObjectNotSet);
  }
}

}  // namespace
}  // namespace morvel
