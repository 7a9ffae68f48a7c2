#include "scene/utilities.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "base/error.h"

namespace morvel {
namespace {

// Utilities that only count how often they were made; the behaviour of the
// real ones is tested with the reference scene graph.
struct CountingFactory : UtilityFactory {
  int scene = 0, dialog = 0, math = 0, picture = 0;
  bool give_null = false;

  struct NullScene : SceneUtility {
    Long GetHiddenState(Long) override { return 0; }
    Long GetLockedState(Long) override { return 0; }
    Long GetEnabledState(Long) override { return 0; }
    Long GetShadowlessState(Long) override { return 0; }
    Long GetDrawPointsState(Long) override { return 0; }
    Long GetDrawNormalsState(Long) override { return 0; }
    Long GetDisplayAsBoxState(Long) override { return 0; }
    Long GetDrawTranslucentState(Long) override { return 0; }
    HiddenChanges SetHidden(const std::shared_ptr<Hierarchy>&, Long, Long, Long,
                            bool) override {
      return {};
    }
    std::string GetSourceCaption(const std::shared_ptr<SceneNode>&,
                                 bool) override {
      return {};
    }
    std::string GetSourceDetail(const std::shared_ptr<SceneNode>&,
                                bool) override {
      return {};
    }
    Single ColourRed(Colour) override { return 0; }
    Single ColourGreen(Colour) override { return 0; }
    Single ColourBlue(Colour) override { return 0; }
    Single ColourAlpha(Colour) override { return 0; }
    Long GetDiffuseLevel(const std::shared_ptr<Material>&, Colour) override {
      return 0;
    }
    Long GetAmbientLevel(const std::shared_ptr<Material>&, Colour) override {
      return 0;
    }
    Long GetSpecularLevel(const std::shared_ptr<Material>&) override {
      return 0;
    }
    void SetDiffuseLevel(const std::shared_ptr<Material>&, const std::string&,
                         Colour) override {}
    void SetAmbientLevel(const std::shared_ptr<Material>&, const std::string&,
                         Colour) override {}
    void SetSpecularLevel(const std::shared_ptr<Material>&,
                          const std::string&) override {}
    Integer DefaultMapSettingB() override { return 0; }
    SingleVector3 MakeVector(Single, Single, Single) override { return {}; }
    ColourValue MakeColour(Single, Single, Single) override { return {}; }
    Orientation EulerToOrientation(const SingleVector3&) override { return {}; }
    SingleVector3 OrientationToEuler(const SingleVector3&,
                                     const SingleVector3&) override {
      return {};
    }
  };
  struct NullDialog : DialogUtility {
    ColourChoice ChooseColour(Long, const std::string&, Colour c) override {
      return {0, c};
    }
    std::string ChooseMapFile(Long, const std::string&, Long,
                              Integer) override {
      return {};
    }
    void WriteDebugMessage(const std::string&) override {}
  };
  struct NullMath : MathUtility {
    Long Remainder(Long, Long) override { return 0; }
  };
  struct NullPicture : PictureUtility {
    Picture LoadThumbnail(const std::string&, Long) override { return {}; }
  };

  std::shared_ptr<SceneUtility> CreateSceneUtility() override {
    ++scene;
    if (give_null) return nullptr;
    return std::make_shared<NullScene>();
  }
  std::shared_ptr<DialogUtility> CreateDialogUtility() override {
    ++dialog;
    return std::make_shared<NullDialog>();
  }
  std::shared_ptr<MathUtility> CreateMathUtility() override {
    ++math;
    return std::make_shared<NullMath>();
  }
  std::shared_ptr<PictureUtility> CreatePictureUtility() override {
    ++picture;
    return std::make_shared<NullPicture>();
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
