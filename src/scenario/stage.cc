#include <filesystem>
#include <string>
#include <vector>

#include "scenario/run.h"

// The commands a host carries out around the panel: loading a scene,
// selecting, setting the panel up, sizing, its public properties,
// terminating it, the warning dialog; and the ones that only prepare what
// comes next (clipboard, chooser answers, faults) or show it (print).
namespace morvel::scenario {

bool Interpreter::Run::ActOnStage(const Line& line) {
  const std::vector<Token>& t = line.tokens;
  const int n = line.number;
  const std::string& name = t[0].text;
  if (name == "scene" && t[1].IsWord("none")) {
    // No scene graph and no applier: a panel that never had one stays
    // uninitialised.
    scene_.Clear();
    journal_mark_ = 0;
    host_.SetScene(scene_, nullptr, nullptr);
  } else if (name == "scene") {
    std::string path = ScenePath(t[1].text);
    try {
      scene_.Load(path, &host_.Settings());
    } catch (const Error& e) {
      // The scene names the file as it opened it; the scenario's own
      // words read better and do not depend on where the runner started.
      std::string description = e.Description();
      for (std::size_t at = description.find(path);
           at != std::string::npos && !path.empty();
           at = description.find(path, at + t[1].text.size())) {
        description.replace(at, path.size(), t[1].text);
      }
      throw ScenarioError(n, "cannot load scene " + Quoted(t[1].text) + ": " +
                                 ErrorText(Error(e.Number(), description)));
    }
    journal_mark_ = scene_.JournalSize();
    host_.SetScene(scene_, scene_.Graph(), scene_.Applier());
  } else if (name == "select") {
    RequireScene(n);
    std::vector<std::string> names;
    for (std::size_t i = 1; i < t.size(); ++i) names.push_back(t[i].text);
    try {
      scene_.Select(names);
    } catch (const Error& e) {
      throw ScenarioError(n, "cannot select: " + Unprefixed(e));
    }
    host_.SelectionChanged();
  } else if (name == "setup") {
    SetupArguments args;
    if (t[1].IsWord("common") || t[1].IsWord("object")) {
      Long tab = t[1].IsWord("common") ? 2 : 3;
      if (scene_.Loaded()) {
        args = scene_.HostRules(tab);
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
    Panel(n);
    host_.Setup(args);
  } else if (name == "size") {
    Panel(n);
    host_.Resize(TokenToLong(t[1], n), TokenToLong(t[2], n),
                 TokenToLong(t[3], n));
  } else if (name == "property") {
    Properties& panel = Panel(n);
    if (t[1].IsWord("Enabled")) {
      panel.SetEnabled(TokenToBool(t[2], n));
    } else if (t[1].IsWord("lVBColor")) {
      panel.SetlVBColor(TokenToLong(t[2], n));
    } else {
      throw ScenarioError(n, "property " + t[1].ToText() + " is read-only");
    }
  } else if (name == "terminate") {
    Panel(n);
    host_.Terminate();
  } else if (name == "warn") {
    host_.LoadWarning(t[1].text, t[2].text, t[3].text);
  } else if (name == "unload") {
    if (!host_.WarningWidgets())
      throw ScenarioError(n, "the warning dialog is not loaded");
    host_.UnloadWarning();
  } else {
    return false;
  }
  return true;
}

std::string Interpreter::Run::ScenePath(const std::string& file) const {
  std::filesystem::path p(file);
  if (p.is_relative() && !base_dir_.empty())
    p = std::filesystem::path(base_dir_) / p;
  return p.string();
}

void Interpreter::Run::RequireScene(int line) const {
  if (!scene_.Loaded())
    throw ScenarioError(line,
                        "there is no scene: load one with "
                        "\"scene FILE\" first");
}

void Interpreter::Run::Configure(const Line& line) {
  const std::vector<Token>& t = line.tokens;
  const int n = line.number;
  const std::string& name = t[0].text;
  if (name == "clipboard") {
    host_.GetClipboard().SetText(t[1].text);
  } else if (name == "answer") {
    if (t[1].IsWord("colour")) {
      scene_.AnswerColour(TokenToLong(t[2], n), TokenToLong(t[3], n));
    } else {
      scene_.AnswerMapFile(t[2].text);
    }
  } else if (name == "fault" && t[1].text.find('.') != std::string::npos) {
    // A platform service: fails until the scenario ends.
    if (t.size() > 4)
      throw ScenarioError(n,
                          "a platform fault lasts until the scenario "
                          "ends: after= and times= are for scene "
                          "operations");
    if (!host_.FaultPlatform(t[1].text, Error(TokenToLong(t[2], n), t[3].text)))
      throw ScenarioError(n, "this host cannot make " + Quoted(t[1].text) +
                                 " fail: expected Clipboard.Clear, "
                                 "Clipboard.SetText, Clipboard.GetText, "
                                 "MessageBox.Show, Settings.SaveSetting or "
                                 "Settings.GetSetting");
  } else if (name == "fault") {
    RequireScene(n);
    FaultOptions plan = ParseFaultOptions(line);
    scene_.Fault(t[1].text, TokenToLong(t[2], n), t[3].text, plan.after,
                 plan.times);
  } else if (name == "print") {
    Print(line);
  }
}

void Interpreter::Run::Print(const Line& line) {
  if (!transcript_) return;
  const std::vector<Token>& t = line.tokens;
  std::ostream& out = *transcript_;
  if (t[1].IsWord("events")) {
    for (const RecordedEvent& e : recorder_.ActionEvents())
      out << "    " << e.ToText() << "\n";
  } else if (t[1].IsWord("widgets")) {
    if (t.size() > 2) {
      Widget& w = FindWidget(t[2], line.number);
      out << w.Tree().Dump(w, false);
    } else {
      Properties& panel = Panel(line.number);
      out << panel.Widgets().Dump(*panel.Widgets().Root(), true);
      if (WidgetTree* warn = host_.WarningWidgets())
        out << warn->Dump(*warn->Root(), true);
    }
  } else if (t[1].IsWord("scene")) {
    RequireScene(line.number);
    out << scene_.Dump();
  } else if (t[1].IsWord("settings")) {
    for (const RecordedSetting& s : recorder_.Settings())
      out << "    " << Quote(s.application) << " " << Quote(s.section) << " "
          << Quote(s.key) << " = " << Quote(s.value) << "\n";
  } else if (t[1].IsWord("journal")) {
    if (scene_.Loaded()) {
      for (const std::string& j : scene_.Journal()) out << "    " << j << "\n";
    }
  }
}

}  // namespace morvel::scenario
