#include <string>
#include <vector>

#include "memscene/mem_scene_graph.h"
#include "scenario/commands.h"

// The commands a host carries out around the panel: loading a scene,
// selecting, setting the panel up, sizing, its public properties,
// terminating it, the warning dialog; and the ones that only prepare what
// comes next (clipboard, chooser answers, faults) or show it (print).
namespace morvel::scenario {
namespace {

void TextArguments(const Line& line) {
  for (std::size_t i = 1; i < line.tokens.size(); ++i)
    TokenToText(line.tokens[i], line.number);
}

void ValidateSetup(const Line& line) {
  const std::vector<Token>& t = line.tokens;
  if (t.size() >= 2 && (t[1].IsWord("common") || t[1].IsWord("object"))) {
    ParseSetupOptions(line);
    return;
  }
  if (t.size() != 12)
    throw ScenarioError(
        line.number,
        "wrong number of arguments for \"setup\": expected common|object "
        "[options] or 11 arguments, found " +
            std::to_string(t.size() - 1));
  ParseExplicitSetup(line);
}

void LoadScene(Stage& s, const Line& line) {
  const Token& file = line.tokens[1];
  if (file.IsWord("none")) {
    // No scene graph and no applier: a panel that never had one stays
    // uninitialised.
    s.scene.Clear();
    s.journal_mark = 0;
    s.host.SetScene(s.scene, nullptr, nullptr);
    return;
  }
  std::string path = s.ScenePath(file.text);
  try {
    s.scene.Load(path, &s.host.Settings());
  } catch (const Error& e) {
    // The scene names the file as it opened it; the scenario's own words
    // read better and do not depend on where the runner started.
    std::string description = e.Description();
    for (std::size_t at = description.find(path);
         at != std::string::npos && !path.empty();
         at = description.find(path, at + file.text.size())) {
      description.replace(at, path.size(), file.text);
    }
    throw ScenarioError(line.number,
                        "cannot load scene " + Quoted(file.text) + ": " +
                            ErrorText(Error(e.Number(), description)));
  }
  s.journal_mark = s.scene.JournalSize();
  s.host.SetScene(s.scene, s.scene.Graph(), s.scene.Applier());
}

void Setup(Stage& s, const Line& line) {
  const Token& form = line.tokens[1];
  SetupArguments args;
  if (form.IsWord("common") || form.IsWord("object")) {
    Long tab = form.IsWord("common") ? 2 : 3;
    if (s.scene.Loaded()) {
      args = s.scene.HostRules(tab);
    } else {
      args.SelectedTab = tab;
    }
    SetupOptions o = ParseSetupOptions(line);
    if (o.ambient) args.AmbientLightSelected = *o.ambient;
    if (o.directional) args.DirectionalLightSelected = *o.directional;
    if (o.scene_selected) args.SceneSelected = *o.scene_selected;
    if (o.render_mode) args.RenderMode = *o.render_mode;
  } else {
    args = ParseExplicitSetup(line);
  }
  s.Panel(line.number);
  s.host.Setup(args);
}

void PlanFault(Stage& s, const Line& line) {
  const std::vector<Token>& t = line.tokens;
  const int n = line.number;
  if (t[1].text.find('.') != std::string::npos) {
    // A platform service: fails until the scenario ends.
    if (t.size() > 4)
      throw ScenarioError(n,
                          "a platform fault lasts until the scenario "
                          "ends: after= and times= are for scene "
                          "operations");
    if (!s.host.FaultPlatform(t[1].text,
                              Error(TokenToLong(t[2], n), t[3].text)))
      throw ScenarioError(n, "this host cannot make " + Quoted(t[1].text) +
                                 " fail: expected Clipboard.Clear, "
                                 "Clipboard.SetText, Clipboard.GetText, "
                                 "MessageBox.Show, Settings.SaveSetting or "
                                 "Settings.GetSetting");
    return;
  }
  s.RequireScene(n);
  FaultOptions plan = ParseFaultOptions(line);
  s.scene.Fault(t[1].text, TokenToLong(t[2], n), t[3].text, plan.after,
                plan.times);
}

void Print(Stage& s, const Line& line) {
  if (!s.transcript) return;
  const std::vector<Token>& t = line.tokens;
  std::ostream& out = *s.transcript;
  if (t[1].IsWord("events")) {
    for (const RecordedEvent& e : s.recorder.ActionEvents())
      out << "    " << e.ToText() << "\n";
  } else if (t[1].IsWord("widgets")) {
    if (t.size() > 2) {
      Widget& w = s.FindWidget(t[2], line.number);
      out << w.Tree().Dump(w, false);
    } else {
      Properties& panel = s.Panel(line.number);
      out << panel.Widgets().Dump(*panel.Widgets().Root(), true);
      if (WidgetTree* warn = s.host.WarningWidgets())
        out << warn->Dump(*warn->Root(), true);
    }
  } else if (t[1].IsWord("scene")) {
    s.RequireScene(line.number);
    out << s.scene.Dump();
  } else if (t[1].IsWord("settings")) {
    for (const RecordedSetting& r : s.recorder.Settings())
      out << "    " << Quote(r.application) << " " << Quote(r.section) << " "
          << Quote(r.key) << " = " << Quote(r.value) << "\n";
  } else if (t[1].IsWord("journal")) {
    if (s.scene.Loaded()) {
      for (const std::string& j : s.scene.Journal()) out << "    " << j << "\n";
    }
  }
}

// clang-format off
const Command kStageCommands[] = {
    {.name = "scene", .min_args = 1, .max_args = 1, .action = true,
     .doc = "| `scene FILE` | Loads a scene file (`docs/scene-format.md`) and "
            "hands it and its applier to the panel (`SetSceneGraph`). The "
            "first scene initialises the panel. `scene none` hands the panel "
            "no scene graph and no applier. |",
     .validate = TextArguments,
     .run = LoadScene},
    {.name = "select", .min_args = 0, .max_args = -1, .action = true,
     .doc = "| `select NAME...` | Sets the host's selection (`select` alone: "
            "nothing selected). |",
     .validate = TextArguments,
     .run = [](Stage& s, const Line& line) {
       s.RequireScene(line.number);
       std::vector<std::string> names;
       for (std::size_t i = 1; i < line.tokens.size(); ++i)
         names.push_back(line.tokens[i].text);
       try {
         s.scene.Select(names);
       } catch (const Error& e) {
         throw ScenarioError(line.number, "cannot select: " + Unprefixed(e));
       }
       s.host.SelectionChanged();
     }},
    {.name = "setup", .action = true,
     .doc = "| `setup common` / `setup object` | Calls `SetupPropertiesPanel` "
            "for tab 2 / 3 with the arguments the host rules give the "
            "selection. Options override them: `ambient=True`, "
            "`directional=False`, `scene-selected=True`, `render-mode=-1`. |\n"
            "| `setup TAB ENTITY NS NL NB NC NG AMB DIR SCENE RENDER` | Calls "
            "it with exactly these eleven arguments: `setup 3 11 1 1 0 0 0 "
            "False False False 0`. |",
     .validate = ValidateSetup,
     .run = Setup,
     .counts_itself = true},
    {.name = "size", .min_args = 3, .max_args = 3, .action = true,
     .doc = "| `size INNER OUTER WIDTH` | Sets the container's inner and outer "
            "height and width (twips), then sends the resize notification. |",
     .validate = [](const Line& line) {
       for (int i = 1; i <= 3; ++i) TokenToLong(line.tokens[i], line.number);
     },
     .run = [](Stage& s, const Line& line) {
       const int n = line.number;
       s.Panel(n);
       s.host.Resize(TokenToLong(line.tokens[1], n),
                     TokenToLong(line.tokens[2], n),
                     TokenToLong(line.tokens[3], n));
     }},
    {.name = "property", .min_args = 2, .max_args = 2, .action = true,
     .doc = "| `property lVBColor N` / `property Enabled B` | Writes a public "
            "property of the panel. |",
     .validate = [](const Line& line) {
       const std::vector<Token>& t = line.tokens;
       CheckPanelProperty(t[1], line.number);
       if (t[1].text == "Enabled")
         TokenToBool(t[2], line.number);
       else
         TokenToLong(t[2], line.number);
     },
     .run = [](Stage& s, const Line& line) {
       const std::vector<Token>& t = line.tokens;
       const int n = line.number;
       Properties& panel = s.Panel(n);
       if (t[1].IsWord("Enabled")) {
         panel.SetEnabled(TokenToBool(t[2], n));
       } else if (t[1].IsWord("lVBColor")) {
         panel.SetlVBColor(TokenToLong(t[2], n));
       } else {
         throw ScenarioError(n, "property " + t[1].ToText() + " is read-only");
       }
     }},
    {.name = "terminate", .min_args = 0, .max_args = 0, .action = true,
     .doc = "| `terminate` | The container destroys the panel; widgets cannot "
            "be named afterwards. |",
     .run = [](Stage& s, const Line& line) {
       s.Panel(line.number);
       s.host.Terminate();
     }},
    {.name = "clipboard", .min_args = 1, .max_args = 1,
     .doc = "| `clipboard TEXT` | Puts text on the clipboard. |",
     .validate = TextArguments,
     .run = [](Stage& s, const Line& line) {
       s.host.GetClipboard().SetText(line.tokens[1].text);
     }},
    {.name = "answer", .min_args = 2, .max_args = 3,
     .doc = "| `answer colour RESULT COLOUR` | What the next colour chooser "
            "answers (5 = accepted, with the colour 0x00BBGGRR; anything else "
            "= cancelled). |\n"
            "| `answer mapfile PATH` | What the next map-file chooser answers "
            "(`\"\"` = none chosen). |",
     .validate = [](const Line& line) {
       const std::vector<Token>& t = line.tokens;
       const int n = line.number;
       if (t[1].IsWord("colour")) {
         CheckCount(line, "answer colour", 3, 3);
         TokenToLong(t[2], n);
         TokenToLong(t[3], n);
       } else if (t[1].IsWord("mapfile")) {
         CheckCount(line, "answer mapfile", 2, 2);
         TokenToText(t[2], n);
       } else {
         throw ScenarioError(
             n, "bad value " + t[1].ToText() + ": expected colour or mapfile");
       }
     },
     .run = [](Stage& s, const Line& line) {
       const std::vector<Token>& t = line.tokens;
       if (t[1].IsWord("colour")) {
         s.scene.AnswerColour(TokenToLong(t[2], line.number),
                              TokenToLong(t[3], line.number));
       } else {
         s.scene.AnswerMapFile(t[2].text);
       }
     }},
    {.name = "fault", .min_args = 3, .max_args = 5,
     .doc = "| `fault OPERATION NUMBER \"DESCRIPTION\" [after=N] [times=N]` | "
            "Makes a scene or applier operation fail with that error: the "
            "first N calls (after=, default 0) still succeed, then every call "
            "fails until the scenario ends, or only `times` calls, after which "
            "the operation works again. Planning again replaces the plan; "
            "error number 0 (`fault SetLocked 0 \"\"`) takes it away. "
            "Operations are named as in the journal: `SetLocked`, a read by "
            "its property name `Locked`, a method by its name "
            "`GetSelectedNode`, `SetHidden`, `GetOperationParameters`, a mesh "
            "operation `DivideSmooth`. A name no operation has (`SetHiden`) "
            "fails the scenario at its line: the failure it plans would never "
            "come. |",
     .validate = [](const Line& line) {
       const std::vector<Token>& t = line.tokens;
       const int n = line.number;
       std::string operation = TokenToText(t[1], n);
       TokenToLong(t[2], n);
       TokenToText(t[3], n);
       ParseFaultOptions(line);
       // A misspelt operation would plan a failure that never comes, and
       // the scenario would check nothing. (Names with a dot are the host's
       // services, which the host itself knows.)
       if (operation.find('.') == std::string::npos &&
           !MemSceneGraph::HasOperation(operation))
         throw ScenarioError(n, "unknown operation " + Quoted(operation));
     },
     .run = PlanFault},
    {.name = "warn", .min_args = 3, .max_args = 3, .action = true,
     .doc = "| `warn APP \"TEXT\" ENTRY` | Sets the warning dialog's three "
            "properties and loads it; its widgets `lblWarning`, "
            "`chkContinueToReceiveWarning` and `cmdOK` can then be named. |",
     .validate = TextArguments,
     .run = [](Stage& s, const Line& line) {
       const std::vector<Token>& t = line.tokens;
       s.host.LoadWarning(t[1].text, t[2].text, t[3].text);
     }},
    {.name = "unload", .min_args = 0, .max_args = 0, .action = true,
     .doc = "| `unload` | Closes the warning dialog other than by its OK "
            "button. |",
     .run = [](Stage& s, const Line& line) {
       if (!s.host.WarningWidgets())
         throw ScenarioError(line.number, "the warning dialog is not loaded");
       s.host.UnloadWarning();
     }},
    {.name = "print", .min_args = 1, .max_args = 2,
     .doc = "| `print events\\|widgets\\|scene\\|settings\\|journal` | Writes "
            "to the transcript (shown with `-v`): the last action's events, "
            "the visible widgets (`print widgets WIDGET`: that widget and "
            "everything in it), the scene file, every settings write so far, "
            "the whole journal. |",
     .validate = [](const Line& line) {
       const std::vector<Token>& t = line.tokens;
       const int n = line.number;
       static const char* const kWhat[] = {"events", "widgets", "scene",
                                           "settings", "journal"};
       bool known = false;
       for (const char* w : kWhat) known = known || t[1].IsWord(w);
       if (!known)
         throw ScenarioError(n, "bad value " + t[1].ToText() +
                                    ": expected events, widgets, scene, "
                                    "settings or journal");
       if (t.size() > 2) {
         if (!t[1].IsWord("widgets"))
           CheckCount(line, "print " + t[1].text, 1, 1);
         CheckWidgetName(t[2], n);
       }
     },
     .run = Print},
};
// clang-format on

}  // namespace

std::span<const Command> StageCommands() { return kStageCommands; }

}  // namespace morvel::scenario
