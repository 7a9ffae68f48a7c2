#ifndef MORVEL_RANDOM_USER_RANDOM_USER_H_
#define MORVEL_RANDOM_USER_RANDOM_USER_H_

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "panel/properties.h"
#include "random_user/choices.h"
#include "random_user/transaction_monitor.h"
#include "scenario/input_driver.h"

// The random user: plays long random sequences against a real panel over a
// real reference scene, as a host and a person would together, and checks
// after every step that nothing has gone wrong that a host or a person could
// notice.
//
// A step is one of:
//   - a host call: SetupPropertiesPanel for a random selection and tab
//     (mostly as the host rules describe the selection, sometimes with
//     arguments no host should pass), SetSceneGraph (the same scene, a new
//     one, none, no applier), an undo of the scene to an earlier snapshot,
//     another part of the application changing a value in the scene or
//     rebuilding part of it (materials, nodes deleted or renamed), a resize,
//     Enabled, lVBColor, a key, terminating the panel and replacing it (or
//     going on with it); while it handles the panel's events the host runs
//     mesh operations, shows the warning dialog and sometimes sets the panel
//     up again;
//   - a person's input on any widget of the panel, through UserInput or a
//     toolkit's input driver (Options::input): clicks,
//     slider moves, list picks, checks, typed and committed text from a
//     hostile alphabet (hostile_text.h), activations, step buttons, text
//     selections, focus and blur, clicks on the material grid's cells, with
//     the colour and map-file choosers answering at random;
//   - a fault planned on a random scene or applier operation (after a random
//     number of calls), or a failing clipboard, message box or settings
//     store.
//
// The invariants, checked after every step (and around host calls, which
// raise transactions too when a loader writes a slider back):
//   1. the scene-change protocol (transaction_monitor.h);
//   2. every failure that reaches the host is a morvel::Error with a number
//      and a description of readable length; one from the panel has the
//      source "Properties" and, when it is a planned fault, that fault's own
//      number and description; a refusal of UserInput comes before anything
//      happened (no event, no scene write);
//   3. no number that is not finite is ever written to the scene: every
//      Single of every node and material is finite after each step, and the
//      scene never had to refuse a non-finite value from the panel;
//   4. a SetupPropertiesPanel after an error works (with the faults
//      cleared): no error, unless a fresh panel over a copy of the same scene
//      fails the same set-up with the same error number;
//   5. message boxes are the panel's own (title "Morvel", exclamation, OK,
//      one of its texts); the warning dialog lets no failure out;
//   6. nothing leaks: once the panel and the host let a scene go, the scene,
//      its applier and its node handles are freed.
namespace morvel::random_user {

// A scene the random user may load: a name for messages, and its text.
struct SceneSource {
  std::string name;
  std::string text;
};

// Reads scene files whole (error 53 or 75 for a file that cannot be read);
// a model file (.gltf, .obj, ...) is imported once, and played as the scene
// file it makes.
// Whether each is a valid scene is left to the loads: a scene the reference
// scene graph refuses is simply never shown.
std::vector<SceneSource> ReadSceneFiles(const std::vector<std::string>& paths);

struct Options {
  // The scenes to play in; at least one.
  std::vector<SceneSource> scenes;
  // The decimal separator typed numbers use in this run ('.' or ','); 0
  // keeps the locale's.
  char decimal_separator = 0;
  // How the person's input reaches the panel; null: straight through
  // UserInput on the model. A Qt host passes the driver that clicks and
  // types on the real widgets (the demo's QtInputDriver).
  scenario::InputDriver* input = nullptr;
  // For a host that shows the panel (a Qt view): called after a panel has
  // been made, before one is destroyed, and after every step.
  std::function<void(Properties&)> panel_created;
  std::function<void(Properties&)> panel_destroying;
  std::function<void()> after_step;
};

struct Stats {
  long long steps = 0;
  long long host_calls = 0;
  long long user_actions = 0;
  long long refusals = 0;         // UserInput refused the action
  long long errors = 0;           // errors from the panel reaching the host
  long long faults_planned = 0;   // scene and applier faults
  long long faults_raised = 0;    // planned faults that reached the host
  long long platform_faults = 0;  // clipboard, message box, settings store
  long long recoveries = 0;       // set-ups after an error
  long long recoveries_failing_as_fresh = 0;
  long long scenes_loaded = 0;
  long long panels_made = 0;
  long long warnings_shown = 0;  // the warning dialog, shown by the host
  long long messages = 0;        // message boxes
  TransactionMonitor::Counts protocol;
};

// The panel broke an invariant. what() says which, in which step, and what
// led to it.
class Violation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class RandomUser {
 public:
  // `choices` must outlive the random user. Makes the first panel and hands
  // it the first scene.
  RandomUser(Options options, Choices& choices);
  ~RandomUser();
  RandomUser(const RandomUser&) = delete;
  RandomUser& operator=(const RandomUser&) = delete;

  // Plays one step and checks the invariants. Returns false, having played
  // nothing, once the choices have run out. Throws Violation.
  bool Step();
  // Destroys the panel and lets every scene go, then checks that nothing
  // was kept. Throws Violation. The random user plays no more steps after.
  void Finish();

  const Stats& stats() const;
  // The steps played, one line each, for the last few steps (oldest first).
  std::vector<std::string> History() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace morvel::random_user

#endif  // MORVEL_RANDOM_USER_RANDOM_USER_H_
