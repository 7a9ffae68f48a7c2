#include "platform/headless.h"

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/error_testing.h"

// The headless services stand in for the platform in every scenario; what
// the scenarios rely on is checked there. These are the rules a scenario
// cannot see: a planned failure touches only its own operation, a message
// shown from inside another is recorded in order, and a screen that claims
// no pixels is refused.
namespace morvel {
namespace {

using ::morvel::testing::ErrorNumberOf;
using ::testing::ElementsAre;

TEST(MemoryClipboardTest, AFailingOperationFailsAloneUntilLifted) {
  using Operation = MemoryClipboard::Operation;
  for (Operation failing :
       {Operation::kClear, Operation::kSetText, Operation::kGetText}) {
    MemoryClipboard clipboard;
    clipboard.PutText("kept");
    clipboard.FailOn(failing, Error(521, "Can't open Clipboard"));
    auto run = [&](Operation operation) {
      switch (operation) {
        case Operation::kClear: clipboard.Clear(); break;
        case Operation::kSetText: clipboard.SetText("new"); break;
        case Operation::kGetText: clipboard.GetText(); break;
      }
    };
    EXPECT_EQ(ErrorNumberOf([&] { run(failing); }), 521);
    EXPECT_EQ(clipboard.Text(), "kept");
    for (Operation other :
         {Operation::kGetText, Operation::kClear, Operation::kSetText}) {
      if (other != failing) {
        EXPECT_EQ(ErrorNumberOf([&] { run(other); }), 0);
      }
    }
    clipboard.FailOn(failing, std::nullopt);
    EXPECT_EQ(ErrorNumberOf([&] { run(failing); }), 0);
    // Every attempt is recorded, the failed one included.
    EXPECT_EQ(clipboard.Calls().size(), 4u);
  }
}

TEST(RecordingMessageBoxTest, AMessageShownWhileAnotherIsShownComesAfterIt) {
  RecordingMessageBox box;
  std::vector<std::string> seen;
  box.OnShow([&](const RecordingMessageBox::Message& message) {
    seen.push_back(message.text);
    if (message.text == "outer") {
      box.Show("inner", "Morvel", MessageIcon::kNone, MessageButtons::kOk);
    }
  });
  box.Show("outer", "Morvel", MessageIcon::kNone, MessageButtons::kOk);
  EXPECT_THAT(seen, ElementsAre("outer", "inner"));
  ASSERT_EQ(box.Messages().size(), 2u);
  EXPECT_EQ(box.Messages()[1].text, "inner");
  // A failing box records the message before it fails.
  box.FailWith(Error(7, "Out of memory"));
  EXPECT_EQ(ErrorNumberOf([&] {
              box.Show("x", "Morvel", MessageIcon::kNone, MessageButtons::kOk);
            }),
            7);
  EXPECT_EQ(box.Messages().size(), 3u);
}

TEST(FixedScreenMetricsTest, RefusesAScreenWithoutPixels) {
  FixedScreenMetrics hidpi(8, 12);
  EXPECT_EQ(hidpi.TwipsPerPixelX(), 8);
  EXPECT_EQ(hidpi.TwipsPerPixelY(), 12);
  EXPECT_EQ(ErrorNumberOf([] { FixedScreenMetrics(0, 15); }),
            kErrInvalidProcedureCall);
  EXPECT_EQ(ErrorNumberOf([] { FixedScreenMetrics(15, -1); }),
            kErrInvalidProcedureCall);
}

}  // namespace
}  // namespace morvel
