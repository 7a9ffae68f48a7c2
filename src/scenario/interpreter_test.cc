#include "scenario/interpreter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "memscene/mem_utilities.h"
#include "platform/test_folder.h"
#include "scenario/headless_host.h"

namespace morvel::scenario {
namespace {

using ::testing::ElementsAre;

constexpr const char kScene[] = R"({
  "ApplicationRegistryKey": "Morvel",
  "nodes": [
    {"name": "Stage", "kind": "group"},
    {"name": "Teapot", "kind": "shape", "parent": "Stage", "DrawStyle": 2},
    {"name": "Box", "kind": "shape", "DrawStyle": 4, "Locked": true},
    {"name": "Sky", "kind": "light", "LightType": 0, "parent": "Stage"},
    {"name": "Sun", "kind": "light", "LightType": 1},
    {"name": "Arm", "kind": "bone", "parent": "Stage"}
  ]
})";

// A folder with the scene file, removed afterwards.
class ScenarioFolder : public test::TestFolder {
 public:
  ScenarioFolder() { Write("scene.json", kScene); }
  std::string Write(const std::string& name, const std::string& text) {
    test::WriteWholeFile(path() / name, text);
    return (path() / name).string();
  }
  std::string Dir() const { return path().string(); }
};

class InterpreterTest : public ::testing::Test {
 protected:
  ScenarioResult Run(const std::string& text) {
    Interpreter interpreter(host_, &transcript_);
    return interpreter.RunText(text, "test.scn", folder_.Dir());
  }
  ScenarioFolder folder_;
  HeadlessHost host_;
  std::ostringstream transcript_;
};

// Mistakes of the scenario itself: the line and the reason, exactly. Those
// of form (a part left open among them) are found before anything runs (the last case fails at line 3
// although line 2 would fail first when run); the others when the line is
// played. (tests/scenarios/bad/ holds one file for each of the commonest:
// unknown commands, wrong argument counts, unknown operations, binary files.)
TEST_F(InterpreterTest, MistakesFailAtTheirLineWithTheReason) {
  const struct {
    const char* text;
    int line;
    const char* message;
  } cases[] = {
      {"setup 2 11 1", 1,
       "wrong number of arguments for \"setup\": expected common|object "
       "[options] or 11 arguments, found 3"},
      {"setup object colour=1", 1,
       "unknown setup option \"colour\": expected ambient, directional, "
       "scene-selected or render-mode"},
      {"key 70000", 1,
       "bad value 70000: expected a whole number from -32768 to 32767"},
      {"click txtNumClones(x)", 1, "bad widget name txtNumClones(x)"},
      {"property Colour 1", 1,
       "unknown property Colour: expected lVBColor or Enabled"},
      {"fault SetLocked 5 \"x\" later=2", 1,
       "bad value later=2: expected after=N or times=N"},
      {"expect widget chkCommonHide.Value 1", 1,
       "bad expectation: expected expect widget WIDGET.PROPERTY = VALUE"},
      {"expect no colours", 1,
       "bad expectation: expected \"expect no events|error|message|journal\" "
       "or \"expect no setting APP SECTION KEY\""},
      {"\n\nexpect events evtX([1, 2)", 3,
       "bad event evtX([1, 2): expected a name such as "
       "evtReqApplySceneChanges(False)"},
      {"# only a comment\n\n", 1, "the scenario has no commands"},
      // A part left open names what is missing.
      {"\n\nexpect scene A.B = [1, 2", 3, "unterminated vector: missing \"]\""},
      {"click txtNumClones(0", 1, "unterminated \"(\": missing \")\""},
      {"expect events evtReqWarn(\"a)", 1, "unterminated string"},
      {"scene scene.json\nclick nowhere\nmove x y", 3,
       "bad value y: expected a whole number"},
      // Found when played.
      {"focus chkCommonHide(0)", 1,
       "widget \"chkCommonHide\" is not a control array"},
      {"expect widget lblDraw.Value = 1", 1,
       "lblDraw (Label) has no property \"Value\""},
      {"select Teapot", 1,
       "there is no scene: load one with \"scene FILE\" first"},
      {"scene scene.json\nexpect scene Teapot.Colour = 1", 2,
       "the scene has no value \"Teapot.Colour\""},
      {"terminate\nclick chkCommonHide", 2,
       "there is no panel: it was terminated"},
  };
  for (const auto& c : cases) {
    ScenarioResult result = Run(c.text);
    EXPECT_FALSE(result.passed) << c.text;
    EXPECT_EQ(result.line, c.line) << c.text;
    EXPECT_EQ(result.message, c.message);
  }
}

// A scenario file is untrusted as well: binary, huge or misspelt, it fails
// at a line, before anything runs, and quotes at most an excerpt.
TEST_F(InterpreterTest, HostileScenariosFailAtALine) {
  std::string long_word(300, 'w');
  std::string huge;
  while (huge.size() <= kMaxScenarioBytes) huge += "# c\n";
  struct Case {
    std::string text;
    int line;
    std::string message;
  } cases[] = {
      {"# \xC0\xAF is an overlong slash", 1, "invalid UTF-8 (byte 0xC0)"},
      {"scene scene.json\n\nclipboard \"" + std::string(5000, 'x') + "\"", 3,
       "a line longer than 4096 bytes"},
      {huge, static_cast<int>(kMaxScenarioBytes / 4 + 1),
       "the scenario goes on past 16777216 bytes"},
      {long_word, 1, "unknown command \"" + long_word.substr(0, 256) + "...\""},
  };
  for (const Case& c : cases) {
    ScenarioResult result = Run(c.text);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.line, c.line) << c.message;
    EXPECT_EQ(result.message, c.message);
  }
}

// (The widget caption and value, events, message, error number and journal
// kinds each have a file in tests/scenarios/bad/; a property is below.)
TEST_F(InterpreterTest, ExpectationFailuresOfEachKind) {
  struct Case {
    const char* last_line;
    const char* message;
  } cases[] = {
      {"expect widget cboShapeDraw.List(9) = \"x\"",
       "expected widget cboShapeDraw.List(9) = \"x\", found error 9 "
       "\"Subscript out of range\""},
      {"expect scene Box.Locked = False",
       "expected scene Box.Locked = False, found True"},
      {"expect clipboard \"x\"", "expected clipboard \"x\", found \"\""},
      {"expect setting Morvel Tips Refraction = \"1\"",
       "expected setting Morvel Tips Refraction = \"1\", found no setting"},
      {"expect error 5",
       "expected error 5 from \"Properties\", found no error"},
      {"expect refused", "expected the input to be refused, found no error"},
      {"expect journal \"SetLocked Box True\"",
       "expected journal \"SetLocked Box True\", found no scene writes"},
      {"expect focus chkCommonHide",
       "expected focus on chkCommonHide, found no focused widget"},
  };
  for (const Case& c : cases) {
    ScenarioResult result = Run(std::string("scene scene.json\n"
                                            "select Teapot Box\n"
                                            "setup common\n") +
                                c.last_line);
    EXPECT_FALSE(result.passed) << c.last_line;
    EXPECT_EQ(result.line, 4) << c.last_line;
    EXPECT_EQ(result.message, c.message);
  }
}

TEST_F(InterpreterTest, ExpectEventsComparesTheLastActionOnly) {
  const std::string start =
      "scene scene.json\n"
      "select Teapot\n"
      "setup common\n"
      "click chkCommonHide\n";
  // (bad/wrong_events.scn: a later action's events are its own.)
  // Expectations are not actions: both look at the same click.
  EXPECT_TRUE(
      Run(start +
          "expect journal \"SetHidden Teapot True\"\n"
          "expect events evtReqPrepareForSceneChanges(\"SysProperties\")"
          " evtShapeHidden8 evtReqApplySceneChanges(False)\n")
          .passed);
  // A later action with no events leaves none.
  EXPECT_TRUE(
      Run(start + "select Box\nexpect no events\nexpect journal\n").passed);
  // The order matters.
  ScenarioResult swapped =
      Run(start +
          "expect events evtShapeHidden8 "
          "evtReqPrepareForSceneChanges(\"SysProperties\") "
          "evtReqApplySceneChanges(False)\n");
  EXPECT_FALSE(swapped.passed);
  EXPECT_EQ(swapped.line, 5);
  EXPECT_EQ(swapped.message,
            "expected events [evtShapeHidden8 "
            "evtReqPrepareForSceneChanges(\"SysProperties\") "
            "evtReqApplySceneChanges(False)], found "
            "[evtReqPrepareForSceneChanges(\"SysProperties\") "
            "evtShapeHidden8 evtReqApplySceneChanges(False)]");
}

TEST_F(InterpreterTest, AnUnexpectedErrorFailsTheScenario) {
  const std::string start =
      "scene scene.json\n"
      "select Teapot\n"
      "setup common\n"
      "fault SetHidden 70 \"Permission denied\"\n"
      "click chkCommonHide\n";
  // (bad/unexpected_error.scn: at the next action.) At the end of the file:
  ScenarioResult at_end = Run(start);
  EXPECT_EQ(at_end.line, 5);
  EXPECT_EQ(at_end.message,
            "expected no error, found error 70 \"Permission denied\" from "
            "\"Properties\"");
  // Explicitly.
  ScenarioResult explicit_no = Run(start + "expect no error\n");
  EXPECT_EQ(explicit_no.line, 6);
  EXPECT_EQ(explicit_no.message, at_end.message);
  // "expect error" takes it, with the prepare left without its apply.
  EXPECT_TRUE(
      Run(start +
          "expect error 70\n"
          "expect events evtReqPrepareForSceneChanges(\"SysProperties\")"
          "\n"
          "setup common\n"
          "expect no error\n")
          .passed);
  // A refusal of the widget layer is not an error of the panel.
  ScenarioResult refusal = Run(start +
                               "expect error 70\n"
                               "property Enabled False\n"
                               "click chkCommonHide\n"
                               "expect error 5\n");
  EXPECT_FALSE(refusal.passed);
  EXPECT_EQ(refusal.line, 9);
  EXPECT_EQ(refusal.message,
            "expected error 5 from \"Properties\", found error 5 "
            "\"chkCommonHide is inside fraCommonProperties, which is "
            "disabled\"");
}

TEST_F(InterpreterTest, TranscriptShowsActionsEventsJournalAndErrors) {
  ScenarioResult result =
      Run("scene scene.json\n"
          "select Teapot\n"
          "setup common\n"
          "click chkCommonHide  # hide it\n"
          "fault SetLocked 6 \"Overflow\"\n"
          "click chkCommonLockEnable\n"
          "expect error 6\n");
  ASSERT_TRUE(result.passed) << result.message;
  EXPECT_EQ(transcript_.str(),
            "scenario test.scn\n"
            "  1: scene scene.json\n"
            "  2: select Teapot\n"
            "  3: setup common\n"
            "  4: click chkCommonHide\n"
            "    event evtReqPrepareForSceneChanges(\"SysProperties\")\n"
            "    event evtShapeHidden8\n"
            "    event evtReqApplySceneChanges(False)\n"
            "    journal SetHidden Teapot True\n"
            "  5: fault SetLocked 6 \"Overflow\"\n"
            "  6: click chkCommonLockEnable\n"
            "    event evtReqPrepareForSceneChanges(\"SysProperties\")\n"
            "    error 6 \"Overflow\" from \"Properties\"\n"
            "  7: expect error 6\n");
}

TEST_F(InterpreterTest, EachScenarioStartsFresh) {
  // The first scenario changes the clipboard, the settings and the panel.
  ASSERT_TRUE(Run("clipboard \"kept?\"\n"
                  "warn Morvel \"x\" Refraction\n"
                  "unload\n"
                  "property lVBColor 255\n")
                  .passed);
  EXPECT_EQ(Run("expect clipboard \"\"\n"
                "expect property lVBColor = 0\n"
                "expect property Enabled = False\n"
                "warn Morvel \"x\" FocalBlur\n"
                "unload\n"
                "expect setting Morvel Tips FocalBlur = \"1\"\n")
                .message,
            "");
  ScenarioResult no_setting =
      Run("expect setting Morvel Tips Refraction = \"1\"\n");
  EXPECT_EQ(no_setting.message,
            "expected setting Morvel Tips Refraction = \"1\", found no "
            "setting");
}

TEST_F(InterpreterTest, ChooserAnswersReachTheScenesDialogsForOneScenario) {
  ASSERT_TRUE(Run("answer colour 5 0x00FF00\n"
                  "answer mapfile \"maps/wood.png\"\n")
                  .passed);
  std::shared_ptr<MemDialogUtility> dialogs = ThreadDialogUtility();
  ColourChoice accepted = dialogs->ChooseColour(0, "Morvel", 0xFF);
  EXPECT_EQ(accepted.result, 5);
  EXPECT_EQ(accepted.colour, 0x00FF00);
  EXPECT_EQ(dialogs->ChooseMapFile(0, "Morvel", 0, 1), "maps/wood.png");
  // A new scenario starts without the answers of the last one.
  ASSERT_TRUE(Run("answer mapfile \"left/over.png\"\n").passed);
  ASSERT_TRUE(Run("scene scene.json\n").passed);
  EXPECT_EQ(dialogs->ChooseMapFile(0, "Morvel", 0, 1), "");
}

// A host with its own input driver: every action goes through it.
class CountingDriver : public ModelInputDriver {
 public:
  std::vector<std::string> calls;
  void Click(Widget& widget) override {
    calls.push_back("Click " + widget.DisplayName());
    ModelInputDriver::Click(widget);
  }
  void Key(Properties& panel, Integer key_code) override {
    calls.push_back("Key " + std::to_string(key_code));
    ModelInputDriver::Key(panel, key_code);
  }
};

class DrivenHost : public HeadlessHost {
 public:
  InputDriver& Input() override { return driver; }
  CountingDriver driver;
};

TEST(HostPlugInTest, ActionsGoThroughTheHostsDriver) {
  ScenarioFolder folder;
  DrivenHost host;
  Interpreter interpreter(host);
  ScenarioResult result = interpreter.RunText(
      "scene scene.json\nselect Box\nsetup common\n"
      "click chkCommonHide\nkey 67\nset chkCommonHide 0\n",
      "driven.scn", folder.Dir());
  EXPECT_TRUE(result.passed) << result.message;
  // `set` acts as code would, not as a person: it bypasses the driver.
  EXPECT_THAT(host.driver.calls, ElementsAre("Click chkCommonHide", "Key 67"));
}

TEST(RunScenarioFilesTest, PrintsOneLinePerFileAndTheClosingLine) {
  ScenarioFolder folder;
  std::string good = folder.Write("good.scn", "scene scene.json\n");
  std::string bad = folder.Write("bad.scn",
                                 "scene scene.json\nexpect property Enabled = "
                                 "False\n");
  std::string missing = folder.Dir() + "/missing.scn";
  HeadlessHost host;
  std::ostringstream out;
  EXPECT_EQ(
      RunScenarioFiles(host, {good, bad, missing, folder.Dir()}, out, false),
      1);
  EXPECT_EQ(out.str(), "PASS " + good + "\nFAIL " + bad +
                           ": line 2: expected property Enabled = False, "
                           "found True\nFAIL " +
                           missing +
                           ": line 0: cannot read the scenario file\nFAIL " +
                           folder.Dir() +
                           ": line 0: this is a folder, not a scenario file\n"
                           "1 passed, 3 failed\n");
  std::ostringstream only_good;
  EXPECT_EQ(RunScenarioFiles(host, {good, good}, only_good, false), 0);
  EXPECT_EQ(only_good.str(),
            "PASS " + good + "\nPASS " + good + "\n2 passed, 0 failed\n");
}

}  // namespace
}  // namespace morvel::scenario
