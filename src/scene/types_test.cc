#include "scene/types.h"

#include <gtest/gtest.h>

namespace morvel {
namespace {

TEST(PictureTest, DescriptionsNameTheirSource) {
  EXPECT_EQ(ImageListPicture(3), "image:3");
  EXPECT_EQ(ThumbnailPicture("maps/wood.png", 32),
            "thumbnail:maps/wood.png:32");
  EXPECT_EQ(ThumbnailPicture("wood.png", 32), ThumbnailPicture("wood.png", 32));
  EXPECT_NE(ThumbnailPicture("wood.png", 32), ThumbnailPicture("wood.png", 16));
}

TEST(RecordTest, DefaultsAreTheNeutralValues) {
  EXPECT_EQ(Orientation{}.Forward, (SingleVector3{0, 0, 1}));
  EXPECT_EQ(Orientation{}.Up, (SingleVector3{0, 1, 0}));
  EXPECT_EQ(Clones{}.Counts, (LongVector3{0, 0, 0}));
  EXPECT_EQ(HiddenChanges{},
            (HiddenChanges{false, false, false, false, false}));
}

}  // namespace
}  // namespace morvel
