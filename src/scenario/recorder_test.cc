#include "scenario/recorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless.h"
#include "platform/settings_store.h"

namespace morvel::scenario {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Texts(const std::vector<RecordedEvent>& events) {
  std::vector<std::string> out;
  for (const RecordedEvent& e : events) out.push_back(e.ToText());
  return out;
}

// Counts what reached the host's own handler behind the recorder.
class CountingEvents : public PropertiesEvents {
 public:
  std::vector<std::string> seen;
  void evtReqApplyOperation(std::string& Operation) override {
    seen.push_back("apply " + Operation);
  }
  void evtShapeHidden8() override { seen.push_back("shape hidden"); }
};

TEST(RecordingEventsTest, RecordsEveryEventWithArgumentsAndForwards) {
  Recorder recorder;
  CountingEvents host;
  RecordingEvents events(&host);
  events.Attach(&recorder);
  std::string layer = "SysProperties", op = "DivideSmooth";
  std::string app = "Morvel", text = "say \"hi\"", entry = "FocalBlur";
  bool changed = true;
  events.evtReqPrepareForSceneChanges(layer);
  events.evtShapeHidden8();
  events.evtLightHidden8();
  events.evtBoneHidden8();
  events.evtGroupHidden8();
  events.evtCameraHidden8();
  events.evtReqApplySceneChanges(changed);
  events.evtReqOpenSource();
  events.evtReqApplyOperation(op);
  events.evtReqWarn(app, text, entry);
  EXPECT_THAT(
      Texts(recorder.AllEvents()),
      ElementsAre("evtReqPrepareForSceneChanges(\"SysProperties\")",
                  "evtShapeHidden8", "evtLightHidden8", "evtBoneHidden8",
                  "evtGroupHidden8", "evtCameraHidden8",
                  "evtReqApplySceneChanges(True)", "evtReqOpenSource",
                  "evtReqApplyOperation(\"DivideSmooth\")",
                  "evtReqWarn(\"Morvel\", \"say \\\"hi\\\"\", \"FocalBlur\")"));
  EXPECT_THAT(host.seen, ElementsAre("shape hidden", "apply DivideSmooth"));
}

TEST(RecorderTest, TranscriptShowsEventsMessagesAndSettings) {
  std::ostringstream transcript;
  Recorder recorder;
  recorder.SetTranscript(&transcript);
  RecordingMessageService messages;
  messages.Attach(&recorder);
  MemorySettingsStore store;
  RecordingSettingsStore settings(store);
  settings.Attach(&recorder);
  RecordingEvents events;
  events.Attach(&recorder);

  events.evtReqOpenSource();
  messages.Show("Unable", "Morvel", MessageIcon::kExclamation,
                MessageButtons::kOk);
  settings.SaveSetting("Morvel", "Tips", "FocalBlur", "0");
  EXPECT_EQ(settings.GetSetting("Morvel", "Tips", "FocalBlur"), "0");
  ASSERT_EQ(recorder.ActionMessages().size(), 1u);
  EXPECT_EQ(recorder.ActionMessages()[0].title, "Morvel");
  ASSERT_EQ(recorder.Settings().size(), 1u);
  EXPECT_EQ(recorder.Settings()[0].value, "0");
  std::string expected = std::string("    event evtReqOpenSource\n") +
                         "    message \"Unable\" title \"Morvel\" icon " +
                         MessageIconName(MessageIcon::kExclamation) +
                         " buttons " + MessageButtonsName(MessageButtons::kOk) +
                         "\n" +
                         "    setting \"Morvel\" \"Tips\" \"FocalBlur\" = "
                         "\"0\"\n";
  EXPECT_EQ(transcript.str(), expected);
}

TEST(RecordingSettingsStoreTest, AFailedSaveIsNotRecorded) {
  Recorder recorder;
  MemorySettingsStore store;
  store.FailWith(Error(75, "Path/File access error"));
  RecordingSettingsStore settings(store);
  settings.Attach(&recorder);
  EXPECT_THROW(settings.SaveSetting("Morvel", "Tips", "X", "1"), Error);
  EXPECT_TRUE(recorder.Settings().empty());
}

}  // namespace
}  // namespace morvel::scenario
