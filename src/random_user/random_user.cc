#include "random_user/random_user.h"

#include <fstream>
#include <iterator>
#include <typeinfo>

#include "memscene/mem_utilities.h"
#include "memscene/scene_files.h"
#include "memscene/scene_keys.h"
#include "memscene/state.h"
#include "random_user/random_user_impl.h"

namespace morvel::random_user {
namespace {

// The messages of the Lock/Enable editor: the only message boxes the panel
// shows.
constexpr std::string_view kMessages[] = {
    "Unable to find skin. It must be located in the same group as the bone "
    "or a group above in the hierarchy. There must be a bone in each group "
    "between the bone selected and the skin, including the skin's group.",
    "The skin must be relaxed before bones can be enabled. Select a bone "
    "that is attached to the skin and click the \"Relax Skin\" button on the "
    "Edit Toolbar.",
    "The skin must be relaxed before bones can be disabled. Select a bone "
    "that is attached to the skin and click the \"Relax Skin\" button on the "
    "Edit Toolbar.",
};

// What the reference scene says when it is handed a number that is not
// finite: the panel should never get that far.
constexpr std::string_view kNotFinite[] = {"needs a finite number",
                                           "must be finite"};

}  // namespace

void HostMessageBox::Show(const std::string& text, const std::string& title,
                          MessageIcon icon, MessageButtons buttons) {
  ++shown;
  bool known = false;
  for (std::string_view m : kMessages) known = known || m == text;
  if (problem.empty() &&
      (!known || title != "Morvel" || icon != MessageIcon::kExclamation ||
       buttons != MessageButtons::kOk)) {
    problem = "a message box that is not the panel's own: \"" + Excerpt(title) +
              "\": " + Excerpt(text);
  }
  if (fail) throw *fail;
}

std::vector<SceneSource> ReadSceneFiles(const std::vector<std::string>& paths) {
  std::vector<SceneSource> scenes;
  for (const std::string& path : paths) {
    // A model file is imported once, and played as the scene file it makes.
    if (IsModelFile(path)) {
      scenes.push_back({path, OpenSceneFile(path)->ToText()});
      continue;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) RaiseError(kErrFileNotFound, "File not found: " + path);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
      RaiseError(kErrPathFileAccess, "Path/File access error: " + path);
    scenes.push_back({path, std::move(text)});
  }
  return scenes;
}

RandomUser::RandomUser(Options options, Choices& choices)
    : impl_(std::make_unique<Impl>(std::move(options), choices)) {}
RandomUser::~RandomUser() = default;
bool RandomUser::Step() { return impl_->Step(); }
void RandomUser::Finish() { impl_->Finish(); }

const Stats& RandomUser::stats() const {
  impl_->stats.protocol = impl_->monitor.counts();
  impl_->stats.messages = impl_->message_box.shown;
  return impl_->stats;
}

std::vector<std::string> RandomUser::History() const {
  std::vector<std::string> lines;
  const long long size = static_cast<long long>(impl_->history.size());
  for (long long i = std::max(0LL, impl_->history_next - size);
       i < impl_->history_next; ++i) {
    lines.push_back(impl_->history[static_cast<std::size_t>(i % size)]);
  }
  return lines;
}

bool RandomUser::Impl::Step() {
  if (finished || !choices.More()) return false;
  ++stats.steps;
  step_line = "step " + std::to_string(stats.steps) + ":";
  // What the scene and the utilities recorded belongs to the last step.
  if (scene) {
    scene->ClearJournal();
    monitor.JournalCleared();
  }
  ThreadDialogUtility()->ClearRecords();

  const std::uint32_t kind = choices.Below(100);
  std::optional<Error> error = kind < 70   ? UserStep()
                               : kind < 93 ? HostStep()
                                           : FaultStep();
  // A set-up after an error must work. Now and then the person goes on
  // with the panel as the error left it instead, which is a state worth
  // exploring too; the next error checks the set-up again.
  if (error && panel && !choices.OneIn(4)) Recover();

  history[static_cast<std::size_t>(history_next++ % history.size())] =
      step_line;
  if (options.after_step) options.after_step();
  return true;
}

void RandomUser::Impl::Say(const std::string& text) {
  step_line += " ";
  step_line += text;
}

void RandomUser::Impl::Problem(const std::string& what) {
  if (problem.empty()) problem = what;
}

void RandomUser::Impl::Throw(const std::string& what) {
  std::string text = "step " + std::to_string(stats.steps) + ": " + what +
                     "\n  the last steps:";
  history[static_cast<std::size_t>(history_next++ % history.size())] =
      step_line;
  const long long size = static_cast<long long>(history.size());
  for (long long i = std::max(0LL, history_next - size); i < history_next;
       ++i) {
    text += "\n    " + history[static_cast<std::size_t>(i % size)];
  }
  finished = true;
  throw Violation(text);
}

std::optional<Error> RandomUser::Impl::Play(StepContext context,
                                            const std::function<void()>& body) {
  const bool user_action = !context.host_call;
  monitor.BeginStep(context);
  const std::size_t journal_before = scene ? scene->JournalSize() : 0;
  std::optional<Error> error;
  try {
    body();
  } catch (const Error& e) {
    error = e;
  } catch (const std::exception& e) {
    Problem(std::string("a ") + typeid(e).name() +
            " reached the host instead of an Error: " + Excerpt(e.what()));
  } catch (...) {
    Problem("an exception that is not an Error reached the host");
  }
  monitor.EndStep(error.has_value());
  if (!monitor.Violation().empty()) Problem(monitor.Violation());
  if (!message_box.problem.empty()) Problem(message_box.problem);

  const bool nothing_happened =
      monitor.StepEvents().empty() &&
      (scene ? scene->JournalSize() : 0) == journal_before;
  if (error) {
    Say("-> error " + std::to_string(error->Number()));
    CheckError(context, *error, nothing_happened);
  }
  CheckScene();
  if (!problem.empty()) Throw(problem);
  // A refusal of UserInput is the person's mistake, not the panel's.
  if (error && user_action && error->Source() != kPropertiesSource) {
    ++stats.refusals;
    return std::nullopt;
  }
  if (error) ++stats.errors;
  return error;
}

void RandomUser::Impl::CheckError(const StepContext& context,
                                  const Error& error, bool nothing_happened) {
  const std::string& d = error.Description();
  const std::string said = "error " + std::to_string(error.Number()) + " \"" +
                           Excerpt(d) + "\" (source \"" +
                           Excerpt(error.Source()) + "\")";
  if (error.Number() == 0) Problem(said + " has no number");
  if (d.empty()) Problem(said + " has no description");
  if (d.size() > kMaxDescription)
    Problem(said + " has a description of " + std::to_string(d.size()) +
            " bytes");
  for (std::string_view words : kNotFinite) {
    if (d.find(words) != std::string::npos)
      Problem("the panel handed the scene a number that is not finite: " +
              said);
  }
  if (error.Source() != kPropertiesSource) {
    // Only UserInput refuses without the panel, and it refuses before
    // anything happens.
    if (context.host_call) {
      Problem(said + " left a host call without the panel as its source");
    } else if (!nothing_happened) {
      Problem(said +
              " refused an action after it had raised events or "
              "written to the scene");
    }
    return;
  }
  // A planned failure passes through the panel unchanged.
  auto check_fault = [&](Long first, Long planned,
                         const std::string& description) {
    if (error.Number() < first || error.Number() >= first + kFaultNumbers)
      return;
    ++stats.faults_raised;
    if (error.Number() != planned || d != description)
      Problem(said + " is not the failure planned: error " +
              std::to_string(planned) + " \"" + description + "\"");
  };
  check_fault(kFirstSceneFault, scene_fault, scene_fault_description);
  check_fault(kFirstPlatformFault, platform_fault, platform_fault_description);
}

void RandomUser::Impl::CheckScene() {
  if (!scene) return;
  std::string where = mem::FirstNonFinite(scene->state().content);
  if (!where.empty()) Problem(where + " is not a finite number");
}

void RandomUser::Impl::Recover() {
  ClearFaults();
  ++stats.recoveries;
  Say("| recover:");
  const SetupArguments arguments = HostArguments(tab);
  std::optional<nlohmann::json> copy;
  if (held_scene) copy = nlohmann::json(scene->ToJson());
  std::optional<Error> error =
      HostCall([&] { panel->SetupPropertiesPanel(arguments); });
  if (!error) return;
  const Long fresh = FreshSetupError(copy, arguments);
  if (fresh != error->Number()) {
    Throw("a set-up after an error failed with error " +
          std::to_string(error->Number()) + " \"" +
          Excerpt(error->Description()) + "\", where a fresh panel " +
          (fresh ? "fails with error " + std::to_string(fresh) : "works"));
  }
  ++stats.recoveries_failing_as_fresh;
}

Long RandomUser::Impl::FreshSetupError(
    const std::optional<nlohmann::json>& copy,
    const SetupArguments& arguments) {
  PropertiesEvents events;
  HostClipboard fresh_clipboard;
  HostSettings fresh_settings;
  HostMessageBox fresh_messages;
  std::shared_ptr<MemSceneGraph> graph;
  if (copy) graph = MemSceneGraph::FromJson(*copy, "a copy of the scene");
  auto fresh_applier =
      graph ? std::make_shared<MemApplier>(graph, &fresh_settings) : nullptr;
  Long number = 0;
  {
    Properties fresh(PlatformServices{&fresh_clipboard, &fresh_messages,
                                      &fresh_settings, &metrics},
                     events, container);
    // The same container, so the same failures of its own; only the set-up
    // is compared.
    Quietly([&] { fresh.ReadProperties(); });
    Quietly([&] { fresh.Resize(); });
    Quietly([&] { fresh.SetSceneGraph(graph, fresh_applier); });
    try {
      fresh.SetupPropertiesPanel(arguments);
    } catch (const Error& e) {
      number = e.Number();
    }
  }
  if (scene) scene->MakeCurrent();
  return number;
}

void RandomUser::Impl::CheckFreed() {
  std::vector<std::weak_ptr<void>> kept;
  for (std::weak_ptr<void>& w : retired) {
    if (!w.expired()) kept.push_back(std::move(w));
  }
  retired.swap(kept);
  if (!panel && !retired.empty())
    Throw("a scene the host and the panel let go is still held");
}

void RandomUser::Impl::Finish() {
  if (finished) return;
  Say("finish");
  DropPanel(choices.OneIn(2));
  for (const std::shared_ptr<void>& held :
       {std::shared_ptr<void>(scene), std::shared_ptr<void>(applier),
        std::shared_ptr<void>(scene ? scene->state().pool() : nullptr)}) {
    if (held) retired.push_back(held);
  }
  held_scene.reset();
  held_applier.reset();
  applier.reset();
  scene.reset();
  snapshot.reset();
  CheckFreed();
  finished = true;
}

}  // namespace morvel::random_user
