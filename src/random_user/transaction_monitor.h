#ifndef MORVEL_RANDOM_USER_TRANSACTION_MONITOR_H_
#define MORVEL_RANDOM_USER_TRANSACTION_MONITOR_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "panel/properties.h"
#include "scenario/recorder.h"

// Watches the events a panel raises and checks the scene-change protocol
// the host relies on:
//   - every evtReqPrepareForSceneChanges is closed by exactly one
//     evtReqApplySceneChanges before any other prepare, or by an error that
//     reaches the host, or by a quiet end of a handler that ends quietly
//     (kQuietHandlers in the .cc names them);
//   - no apply without an open prepare;
//   - the hide notifications come only inside a "SysProperties"
//     transaction, each at most once, shapes, lights, bones, groups, cameras
//     in this order;
//   - the requests that stand alone (a mesh operation, the source view, a
//     warning) never come inside a transaction;
//   - the layer source is "SysProperties", "SysMaterialUpdate" or empty, and
//     only a "SysProperties" transaction reports a changed hierarchy;
//   - every scene write lies inside a transaction, except the few the panel
//     makes outside one by design (kWritesOutsideTransactions) and what the
//     host itself writes while it runs a mesh operation.
// It never throws from an event: the panel would take the exception for a
// failure of its own. The first breach is kept for the driver to report.
namespace morvel::random_user {

// The notification a step raised on the widget a person acted on.
enum class Notification {
  kNone,
  kClick,           // a button, picture box or check box click, a list pick
  kChange,          // a slider moved
  kValueCommitted,  // an up-down field or text field committed
  kActivated,       // an up-down field activated
  kKeyPress,        // keys typed
  kFocus,           // focus given or taken
  kCellClicked,     // a grid cell clicked
};

// What the current step is, as far as the protocol's exceptions care.
struct StepContext {
  // The host called the panel (set-up, scene, size, properties, keys).
  bool host_call = false;
  // Otherwise the widget a person acted on (its name, without an index)
  // and what that raised on it.
  std::string widget;
  Notification notification = Notification::kNone;
  // The field a person leaves with an edit in it (its name, empty when
  // none): moving the focus away commits it first, within the same step.
  std::string leaving;
};

// Whether a failure in this step's handler may end it quietly: a prepare
// it raised may then stay without its apply, and no error reaches the host.
bool EndsQuietly(const StepContext& step);

class TransactionMonitor final {
 public:
  // Events are forwarded to `host` (may be null) after they are checked.
  explicit TransactionMonitor(PropertiesEvents* host);
  TransactionMonitor(const TransactionMonitor&) = delete;
  TransactionMonitor& operator=(const TransactionMonitor&) = delete;

  // The event sink to hand the panel: every event it raises is recorded as
  // the scenarios record it, checked here, then passed on to the host.
  PropertiesEvents& Events() { return events_; }

  // Where the scene's write journal is read: the operation names of its
  // lines from `from` on, and its length. Unset: writes are not checked.
  struct Journal {
    std::function<std::size_t()> size;
    std::function<std::vector<std::string>(std::size_t from)> operations;
  };
  void SetJournal(Journal journal);
  // The journal was emptied: its next line is line 0.
  void JournalCleared() { journal_mark_ = 0; }

  void BeginStep(StepContext step);
  // Ends the step: an open transaction must be closed by an error that
  // reached the host (`error_reached_host`) or by a quiet end.
  void EndStep(bool error_reached_host);
  // A call the host makes into the panel while it handles one of the
  // panel's events (a host refreshing the panel once a change is applied):
  // its writes are a host call's, and a prepare it leaves open must be
  // closed by the error the host caught. Leaving returns to the step.
  StepContext EnterHostCall();
  // The host itself wrote what the journal got since the last event (the
  // mesh operation it ran for the panel): none of the panel's business.
  void HostWrote() {
    if (journal_.size) journal_mark_ = journal_.size();
  }
  void LeaveHostCall(StepContext outer, bool error_reached_host);

  // The first breach of the protocol, empty while there is none.
  const std::string& Violation() const { return violation_; }
  // The events of the current step, as the scenario language writes them.
  const std::vector<std::string>& StepEvents() const { return step_events_; }
  bool Open() const { return open_; }

  struct Counts {
    long long prepares = 0;
    long long applies = 0;
    long long closed_by_error = 0;
    long long quiet_ends = 0;
    long long warnings = 0;
    long long operations = 0;
    long long writes_inside = 0;
    long long writes_outside = 0;
  };
  const Counts& counts() const { return counts_; }

 private:
  void Observe(const scenario::RecordedEvent& event);
  // Each takes the event as the step's list shows it.
  void Prepare(const std::string& layer, std::string shown);
  void Apply(bool hierarchy_changed, std::string shown);
  void Hidden(int kind, const std::string& name);
  void Breach(std::string what);
  // A request that stands alone: never inside a transaction.
  void Alone(const std::string& name, std::string shown);
  // Closes a transaction the commit of the field being left opened and
  // ended quietly, once a later event of the step shows it is over.
  void CloseQuietLeaving();
  // Classifies the journal lines written since the last mark as inside or
  // outside a transaction.
  void TakeWrites();

  scenario::RecordingEvents events_;
  Journal journal_;
  std::size_t journal_mark_ = 0;
  StepContext step_;
  bool open_ = false;
  // The commit of the field being left ended quietly with its prepare open.
  bool leaving_ended_quietly_ = false;
  std::string open_layer_;
  int last_hidden_ = -1;
  std::vector<std::string> step_events_;
  std::string violation_;
  Counts counts_;
};

}  // namespace morvel::random_user

#endif  // MORVEL_RANDOM_USER_TRANSACTION_MONITOR_H_
