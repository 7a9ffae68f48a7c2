#include <algorithm>
#include <limits>

#include "memscene/host_rules.h"
#include "memscene/mem_utilities.h"
#include "memscene/state.h"
#include "random_user/hostile_text.h"
#include "random_user/random_user_impl.h"
#include "warn/frm_warn.h"

// What the host does: set the panel up for selections and tabs, hand it
// scenes, undo, resize it, set its properties, send it keys, replace it,
// and answer its requests. Also the faults it plans.
namespace morvel::random_user {
namespace {

constexpr Long kLongMax = std::numeric_limits<Long>::max();
constexpr Long kLongMin = std::numeric_limits<Long>::min();

// Mostly the object tab, where most editors are; the common tab; now and
// then a tab the panel has no section for.
Long TabAtRandom(Choices& choices) {
  static constexpr Long kTabs[] = {3, 3, 3, 2, 2, 3, 2, 3, 3, 2};
  static constexpr Long kOddTabs[] = {0, 1, 4, -1, kLongMax};
  return choices.OneIn(12) ? choices.Pick(kOddTabs) : choices.Pick(kTabs);
}

// Arguments no host should pass: counts that disagree with the selection
// or overflow, any entity and render mode.
SetupArguments HostileArguments(Choices& choices, Long tab) {
  static constexpr Long kCounts[] = {0, 1, 1, 2, -1, kLongMax, kLongMin, 7};
  static constexpr Long kEntities[] = {0, 1, 11, 16, 30, 60, -1, 12345};
  static constexpr Long kRenderModes[] = {-1, 0, 1, 2, 4, 8, 16, 3, kLongMin};
  SetupArguments a;
  a.SelectedTab = tab;
  a.SelectionEntity = choices.Pick(kEntities);
  a.ShapesSelectedCount = choices.Pick(kCounts);
  a.LightsSelectedCount = choices.Pick(kCounts);
  a.BonesSelectedCount = choices.Pick(kCounts);
  a.CamerasSelectedCount = choices.Pick(kCounts);
  a.GroupsSelectedCount = choices.Pick(kCounts);
  a.AmbientLightSelected = choices.OneIn(2);
  a.DirectionalLightSelected = choices.OneIn(2);
  a.SceneSelected = choices.OneIn(4);
  a.RenderMode = choices.Pick(kRenderModes);
  return a;
}

// A container size: mostly a panel's, sometimes nothing, negative or the
// largest a Long holds.
Long SizeAtRandom(Choices& choices) {
  static constexpr Long kOdd[] = {0, -1, -15000, kLongMax, kLongMin, 1};
  if (choices.OneIn(4)) return choices.Pick(kOdd);
  return static_cast<Long>(choices.Between(2000, 20000));
}

}  // namespace

struct RandomUser::Impl::HostAnswers final : PropertiesEvents {
  explicit HostAnswers(Impl& owner) : impl(owner) {}
  // Now and then the host sets the panel up again from inside an event, as
  // a host does that refreshes everything once a change is applied or a
  // mesh operation has run.
  void evtReqApplySceneChanges(bool&) override {
    if (impl.choices.OneIn(16)) impl.Refresh();
  }
  void evtReqApplyOperation(std::string& Operation) override {
    impl.RunOperation(Operation);
    if (impl.choices.OneIn(4)) impl.Refresh();
  }
  void evtReqWarn(std::string& ApplicationRegistryKey, std::string& Warning,
                  std::string& WarningRegistryEntry) override {
    impl.ShowWarning(ApplicationRegistryKey, Warning, WarningRegistryEntry);
  }
  Impl& impl;
};

RandomUser::Impl::Impl(Options given, Choices& source)
    : options(std::move(given)),
      choices(source),
      host_answers(std::make_unique<HostAnswers>(*this)),
      monitor(host_answers.get()) {
  if (options.scenes.empty())
    RaiseError(kErrInvalidProcedureCall, "the random user needs a scene");
  if (options.decimal_separator) separator.emplace(options.decimal_separator);
  monitor.SetJournal({[this] { return scene ? scene->JournalSize() : 0; },
                      [this](std::size_t from) {
                        return scene ? scene->JournalOperations(from)
                                     : std::vector<std::string>();
                      }});
  step_line = "start:";
  const std::size_t first =
      choices.Below(static_cast<std::uint32_t>(options.scenes.size()));
  for (std::size_t i = 0; i < options.scenes.size() && !scene; ++i)
    LoadScene((first + i) % options.scenes.size());
  if (!scene) RaiseError(kErrInvalidProcedureCall, "no scene loads");
  if (MakePanel() && panel) Recover();
  history[static_cast<std::size_t>(history_next++ % history.size())] =
      step_line;
}

RandomUser::Impl::~Impl() {
  if (panel && options.panel_destroying) options.panel_destroying(*panel);
  panel.reset();
}

std::optional<Error> RandomUser::Impl::HostStep() {
  ++stats.host_calls;
  if (!panel) return MakePanel();
  // A host that took the scene away gives it back before long, and a panel
  // sized to nothing or to the largest Long soon gets a real size again.
  if (!held_scene && choices.OneIn(4)) return GiveScene(scene, applier);
  const auto sane = [](Long size) { return size > 0 && size <= 1000000; };
  if (!(sane(container.inner_height) && sane(container.outer_height) &&
        sane(container.width)) &&
      choices.OneIn(4)) {
    container.inner_height = container.outer_height = 9735;
    container.width = 4000;
    Say("size 9735 9735 4000");
    return HostCall([&] { panel->Resize(); });
  }
  const std::uint32_t what = choices.Below(32);
  if (what < 12) {
    SelectAtRandom();
    return Setup(TabAtRandom(choices), false);
  }
  if (what < 15) return Setup(TabAtRandom(choices), false);
  switch (what) {
    case 15:
      return Setup(TabAtRandom(choices), true);
    case 16:
      // A host that changes the selection and has not told the panel yet.
      SelectAtRandom();
      Say("(no set-up)");
      return std::nullopt;
    case 17: {
      const std::uint32_t which = choices.Below(4);
      return GiveScene(which % 2 ? nullptr : scene,
                       which / 2 ? nullptr : applier);
    }
    case 18:
      if (!LoadScene(
              choices.Below(static_cast<std::uint32_t>(options.scenes.size()))))
        return std::nullopt;
      return GiveScene(scene, applier);
    case 19:
      Say("snapshot");
      snapshot = nlohmann::json(scene->ToJson());
      return std::nullopt;
    case 20:
      // The host's undo puts an earlier state of the scene back.
      if (!snapshot) return std::nullopt;
      Say("undo");
      try {
        scene->Restore(*snapshot);
      } catch (const Error& e) {
        Throw("the scene refused its own snapshot: " + e.ToString());
      }
      if (choices.OneIn(2)) return Setup(tab, false);
      return std::nullopt;
    case 21:
      container.inner_height = SizeAtRandom(choices);
      container.outer_height =
          choices.OneIn(3) ? SizeAtRandom(choices) : container.inner_height;
      container.width = SizeAtRandom(choices);
      Say("size " + std::to_string(container.inner_height) + " " +
          std::to_string(container.outer_height) + " " +
          std::to_string(container.width));
      return HostCall([&] { panel->Resize(); });
    case 22: {
      const bool enabled = !choices.OneIn(3);
      Say(enabled ? "Enabled True" : "Enabled False");
      return HostCall([&] { panel->SetEnabled(enabled); });
    }
    case 23: {
      static constexpr Long kColours[] = {0,        -1,       0x1000000,
                                          0xFFFFFF, kLongMin, kLongMax};
      const Long colour = choices.OneIn(2)
                              ? choices.Pick(kColours)
                              : static_cast<Long>(choices.Below(0xFFFFFFFFu));
      Say("lVBColor " + std::to_string(colour));
      return HostCall([&] { panel->SetlVBColor(colour); });
    }
    case 24:
    case 25:
    case 26: {
      static constexpr Integer kKeys[] = {67, 88, 86, 67, 88, 86, 0, 13, -1};
      const Integer key = choices.Pick(kKeys);
      const auto shift = static_cast<Integer>(choices.Below(8));
      Say("key " + std::to_string(key));
      return HostCall([&] { panel->KeyDown(key, shift); });
    }
    case 29:
      if (choices.OneIn(3)) {
        RestructureScene();
      } else {
        ChangeSceneValue();
      }
      if (choices.OneIn(2)) return Setup(tab, false);
      return std::nullopt;
    case 30:
      ChangeSceneValue();
      if (choices.OneIn(2)) return Setup(tab, false);
      return std::nullopt;
    case 27:
      // Another application put text on the clipboard.
      clipboard.text = HostileText(choices);
      Say("clipboard \"" + Excerpt(clipboard.text, 20) + "\"");
      return std::nullopt;
    case 28: {
      std::optional<Error> error = DropPanel(!choices.OneIn(4));
      std::optional<Error> made = MakePanel();
      return error ? error : made;
    }
    case 31: {
      // A host that goes on using the panel after terminating it, until it
      // destroys it some steps later.
      Say("terminate (kept)");
      std::optional<Error> error = HostCall([&] { panel->Terminate(); });
      held_scene.reset();
      return error;
    }
    default:
      return Setup(tab, false);
  }
}

std::optional<Error> RandomUser::Impl::Setup(Long new_tab, bool hostile) {
  tab = new_tab;
  const SetupArguments a =
      hostile ? HostileArguments(choices, new_tab) : HostArguments(new_tab);
  Say(std::string(hostile ? "hostile " : "") + "setup tab " +
      std::to_string(new_tab));
  return HostCall([&] { panel->SetupPropertiesPanel(a); });
}

SetupArguments RandomUser::Impl::HostArguments(Long for_tab) const {
  if (!scene) {
    SetupArguments a;
    a.SelectedTab = for_tab;
    return a;
  }
  return ComputeSetupArguments(*scene, for_tab);
}

void RandomUser::Impl::SelectAtRandom() {
  std::vector<std::string> names = scene->NodeNames();
  const std::uint32_t r = choices.Below(20);
  std::size_t count = r == 0 ? 0 : r < 13 ? 1 : 2 + choices.Below(3);
  count = std::min(count, names.size());
  // The first `count` names of a partial shuffle.
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t j =
        i + choices.Below(static_cast<std::uint32_t>(names.size() - i));
    std::swap(names[i], names[j]);
  }
  names.resize(count);
  scene->Select(names);
  std::string said = "select";
  for (const std::string& n : names) said += " " + Excerpt(n, 16);
  Say(said);
}

bool RandomUser::Impl::LoadScene(std::size_t index) {
  const SceneSource& source = options.scenes[index];
  std::shared_ptr<MemSceneGraph> next;
  try {
    next = MemSceneGraph::FromText(source.text, source.name);
  } catch (const Error&) {
    return false;
  }
  if (scene) {
    retired.push_back(scene);
    retired.push_back(applier);
    retired.push_back(scene->state().pool());
  }
  std::erase_if(retired,
                [](const std::weak_ptr<void>& w) { return w.expired(); });
  scene = std::move(next);
  applier = std::make_shared<MemApplier>(scene, &settings);
  scene->MakeCurrent();
  monitor.JournalCleared();
  snapshot.reset();
  ++stats.scenes_loaded;
  Say("load " + source.name);
  return true;
}

std::optional<Error> RandomUser::Impl::GiveScene(
    std::shared_ptr<SceneGraph> graph, std::shared_ptr<Applier> given) {
  Say(std::string("SetSceneGraph ") + (graph ? "scene" : "none") +
      (given ? " applier" : " none"));
  std::optional<Error> error =
      HostCall([&] { panel->SetSceneGraph(graph, given); });
  held_scene = std::move(graph);
  if (!error) held_applier = std::move(given);
  return error;
}

std::optional<Error> RandomUser::Impl::MakePanel() {
  container.user_mode = !choices.OneIn(16);
  Say(container.user_mode ? "new panel" : "new panel (designer)");
  std::optional<Error> error = HostCall([&] {
    panel = std::make_unique<Properties>(
        PlatformServices{&clipboard, &message_box, &settings, &metrics},
        monitor.Events(), container);
  });
  if (!panel) Throw("a panel could not be made: " + error->ToString());
  ++stats.panels_made;
  if (options.panel_created) options.panel_created(*panel);
  for (auto call : {&Properties::ReadProperties, &Properties::Resize}) {
    std::optional<Error> e = HostCall([&] { ((*panel).*call)(); });
    if (!error) error = e;
  }
  if (!choices.OneIn(32)) {
    std::optional<Error> e = GiveScene(scene, applier);
    if (!error) error = e;
  } else {
    held_scene.reset();
    held_applier.reset();
  }
  return error;
}

std::optional<Error> RandomUser::Impl::DropPanel(bool terminate) {
  if (!panel) return std::nullopt;
  std::optional<Error> error;
  if (terminate) {
    Say("terminate");
    error = HostCall([&] { panel->Terminate(); });
  }
  Say("destroy");
  if (options.panel_destroying) options.panel_destroying(*panel);
  HostCall([&] { panel.reset(); });
  held_scene.reset();
  held_applier.reset();
  CheckFreed();
  return error;
}

std::optional<Error> RandomUser::Impl::FaultStep() {
  const std::uint32_t what = choices.Below(8);
  if (what < 5) {
    const std::span<const std::string_view> names =
        MemSceneGraph::OperationNames();
    const std::string operation(
        names[choices.Below(static_cast<std::uint32_t>(names.size()))]);
    scene_fault = kFirstSceneFault + faults_made++ % kFaultNumbers;
    scene_fault_description =
        "planned failure " + std::to_string(scene_fault) + " of " + operation;
    const Long after = static_cast<Long>(choices.Below(8));
    const Long times = choices.OneIn(8) ? -1 : 1;
    // One planned scene failure at a time, so that one that reaches the
    // host can be checked against its plan.
    scene->ClearFaults();
    scene->Fault(operation, scene_fault, scene_fault_description, after, times);
    ++stats.faults_planned;
    Say("fault " + operation + " after " + std::to_string(after) +
        (times < 0 ? " always" : ""));
  } else if (what < 7) {
    platform_fault = kFirstPlatformFault + faults_made++ % kFaultNumbers;
    platform_fault_description =
        "planned failure " + std::to_string(platform_fault) + " of the host";
    const Error error(platform_fault, platform_fault_description);
    clipboard.fail.reset();
    message_box.fail.reset();
    settings.fail.reset();
    switch (choices.Below(3)) {
      case 0:
        clipboard.fail = error;
        Say("fault clipboard");
        break;
      case 1:
        message_box.fail = error;
        Say("fault message box");
        break;
      default:
        settings.fail = error;
        Say("fault settings");
        break;
    }
    ++stats.platform_faults;
  } else {
    Say("no faults");
    ClearFaults();
  }
  return std::nullopt;
}

void RandomUser::Impl::ClearFaults() {
  if (scene) scene->ClearFaults();
  clipboard.fail.reset();
  message_box.fail.reset();
  settings.fail.reset();
  scene_fault = 0;
  platform_fault = 0;
}

void RandomUser::Impl::RunOperation(const std::string& operation) {
  // The host runs the operation; its failure is the host's own business.
  if (!applier) return;
  Quietly([&] { applier->RunOperation(operation); });
  monitor.HostWrote();
}

void RandomUser::Impl::Refresh() {
  if (!panel || refreshing) return;
  refreshing = true;
  Say("(refresh inside the event");
  StepContext outer = monitor.EnterHostCall();
  bool failed = false;
  try {
    panel->SetupPropertiesPanel(HostArguments(tab));
  } catch (const Error& e) {
    failed = true;
    Say("-> error " + std::to_string(e.Number()));
    CheckError(StepContext{true, {}, Notification::kNone, {}}, e, false);
  } catch (...) {
    failed = true;
    Problem("a failure that is not an Error left a refresh of the panel");
  }
  monitor.LeaveHostCall(std::move(outer), failed);
  Say(")");
  refreshing = false;
}

void RandomUser::Impl::ShowWarning(const std::string& application,
                                   const std::string& text,
                                   const std::string& entry) {
  if (!choices.OneIn(3)) return;
  // A host shows the tip unless the user switched it off.
  std::optional<std::string> keep;
  if (!Quietly([&] {
        keep = settings.GetSetting(application, kTipsSection, entry);
      }))
    return;
  // Mostly as the user chose; now and then a host that forgot the choice.
  if (keep == "0" && !choices.OneIn(4)) return;
  try {
    frmWarn dialog(&settings);
    dialog.SetsApplicationRegistryKey(application);
    dialog.SetsWarning(text);
    dialog.SetsWarningRegistryEntry(entry);
    dialog.Load();
    if (choices.OneIn(2))
      UserInput::Click(
          dialog.Widgets().GetWidget("chkContinueToReceiveWarning"));
    if (choices.OneIn(3)) {
      dialog.Unload();
    } else {
      UserInput::Click(dialog.Widgets().GetWidget("cmdOK"));
    }
    if (dialog.IsLoaded()) Problem("the warning dialog stayed open");
    ++stats.warnings_shown;
  } catch (const std::exception& e) {
    Problem(std::string("the warning dialog let a failure out: ") +
            Excerpt(e.what()));
  }
}

}  // namespace morvel::random_user
