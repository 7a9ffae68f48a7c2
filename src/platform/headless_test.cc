#include "platform/headless.h"

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvel {
namespace {

using testing::ElementsAre;

Long ErrorNumberOf(const std::function<void()>& body) {
  try {
    body();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

TEST(MemoryClipboardTest, HoldsTextAndRecordsCallsInOrder) {
  MemoryClipboard clipboard;
  clipboard.PutText("from another application");
  EXPECT_EQ(clipboard.GetText(), "from another application");
  clipboard.Clear();
  EXPECT_EQ(clipboard.Text(), "");
  clipboard.SetText("1.5");
  EXPECT_EQ(clipboard.GetText(), "1.5");
  EXPECT_THAT(clipboard.Calls(),
              ElementsAre("GetText", "Clear", "SetText:1.5", "GetText"));
}

struct FailureCase {
  const char* name;
  MemoryClipboard::Operation operation;
};

class MemoryClipboardFailureTest : public testing::TestWithParam<FailureCase> {
};

// A failing operation raises the error it was given and leaves the content
// alone; the other operations keep working, and the failure can be lifted.
TEST_P(MemoryClipboardFailureTest, FailsOnlyTheChosenOperation) {
  const MemoryClipboard::Operation failing = GetParam().operation;
  MemoryClipboard clipboard;
  clipboard.PutText("kept");
  clipboard.FailOn(failing, Error(521, "Can't open Clipboard"));

  auto run = [&](MemoryClipboard::Operation operation) {
    switch (operation) {
      case MemoryClipboard::Operation::kClear: clipboard.Clear(); break;
      case MemoryClipboard::Operation::kSetText: clipboard.SetText("new"); break;
      case MemoryClipboard::Operation::kGetText: clipboard.GetText(); break;
    }
  };
  try {
    run(failing);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 521);
    EXPECT_EQ(e.Description(), "Can't open Clipboard");
  }
  EXPECT_EQ(clipboard.Text(), "kept");

  for (auto other : {MemoryClipboard::Operation::kGetText,
                     MemoryClipboard::Operation::kClear,
                     MemoryClipboard::Operation::kSetText}) {
    if (other != failing) {
      EXPECT_EQ(ErrorNumberOf([&] { run(other); }), 0);
    }
  }
  clipboard.FailOn(failing, std::nullopt);
  EXPECT_EQ(ErrorNumberOf([&] { run(failing); }), 0);
  // Every attempt is recorded, the failed one included.
  EXPECT_EQ(clipboard.Calls().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MemoryClipboardFailureTest,
    testing::Values(FailureCase{"Clear", MemoryClipboard::Operation::kClear},
                    FailureCase{"SetText", MemoryClipboard::Operation::kSetText},
                    FailureCase{"GetText", MemoryClipboard::Operation::kGetText}),
    [](const testing::TestParamInfo<FailureCase>& info) {
      return std::string(info.param.name);
    });

TEST(RecordingMessageBoxTest, RecordsEachMessageInOrder) {
  RecordingMessageBox box;
  box.Show("Too many clones", "Morvel", MessageIcon::kExclamation,
           MessageButtons::kOk);
  box.Show("Sure?", "Other", MessageIcon::kQuestion, MessageButtons::kYesNo);
  using Message = RecordingMessageBox::Message;
  EXPECT_THAT(box.Messages(),
              ElementsAre(Message{"Morvel", "Too many clones",
                                  MessageIcon::kExclamation, MessageButtons::kOk},
                          Message{"Other", "Sure?", MessageIcon::kQuestion,
                                  MessageButtons::kYesNo}));
  box.ClearMessages();
  EXPECT_TRUE(box.Messages().empty());
}

TEST(RecordingMessageBoxTest, RunsTheHandlerWhileTheMessageIsShown) {
  RecordingMessageBox box;
  std::vector<std::string> seen;
  box.OnShow([&](const RecordingMessageBox::Message& message) {
    seen.push_back(message.text);
    // A message shown from inside another one is recorded after it.
    if (message.text == "outer") {
      box.Show("inner", "Morvel", MessageIcon::kNone, MessageButtons::kOk);
    }
  });
  box.Show("outer", "Morvel", MessageIcon::kNone, MessageButtons::kOk);
  EXPECT_THAT(seen, ElementsAre("outer", "inner"));
  ASSERT_EQ(box.Messages().size(), 2u);
  EXPECT_EQ(box.Messages()[1].text, "inner");
}

TEST(RecordingMessageBoxTest, CanFailAfterRecording) {
  RecordingMessageBox box;
  box.FailWith(Error(7, "Out of memory"));
  EXPECT_EQ(ErrorNumberOf([&] {
              box.Show("x", "Morvel", MessageIcon::kNone, MessageButtons::kOk);
            }),
            7);
  EXPECT_EQ(box.Messages().size(), 1u);
  box.FailWith(std::nullopt);
  EXPECT_EQ(ErrorNumberOf([&] {
              box.Show("y", "Morvel", MessageIcon::kNone, MessageButtons::kOk);
            }),
            0);
}

TEST(FixedScreenMetricsTest, DefaultsToA96DpiScreen) {
  FixedScreenMetrics metrics;
  EXPECT_EQ(metrics.TwipsPerPixelX(), 15);
  EXPECT_EQ(metrics.TwipsPerPixelY(), 15);
  FixedScreenMetrics hidpi(8, 12);
  EXPECT_EQ(hidpi.TwipsPerPixelX(), 8);
  EXPECT_EQ(hidpi.TwipsPerPixelY(), 12);
  EXPECT_EQ(ErrorNumberOf([] { FixedScreenMetrics(0, 15); }),
            kErrInvalidProcedureCall);
  EXPECT_EQ(ErrorNumberOf([] { FixedScreenMetrics(15, -1); }),
            kErrInvalidProcedureCall);
}

TEST(MessageNamesTest, NameEveryValue) {
  EXPECT_STREQ(MessageIconName(MessageIcon::kExclamation), "Exclamation");
  EXPECT_STREQ(MessageIconName(MessageIcon::kNone), "None");
  EXPECT_STREQ(MessageIconName(MessageIcon::kCritical), "Critical");
  EXPECT_STREQ(MessageIconName(MessageIcon::kQuestion), "Question");
  EXPECT_STREQ(MessageIconName(MessageIcon::kInformation), "Information");
  EXPECT_STREQ(MessageButtonsName(MessageButtons::kOk), "OK");
  EXPECT_STREQ(MessageButtonsName(MessageButtons::kOkCancel), "OKCancel");
  EXPECT_STREQ(MessageButtonsName(MessageButtons::kYesNo), "YesNo");
}

}  // namespace
}  // namespace morvel
