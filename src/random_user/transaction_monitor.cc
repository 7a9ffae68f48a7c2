#include "random_user/transaction_monitor.h"

#include <iterator>
#include <utility>
#include <variant>

namespace morvel::random_user {
namespace {

// The handlers that end quietly when something fails inside them: nothing
// reaches the host, so a prepare they raised stays without its apply. Only
// handlers that raise a prepare matter here; the other quiet routines (the
// enable rules, the key filters of the custom fields, the thumbnail and
// blend reads of the material list, the clipboard steps of the key
// handler, the warning dialog) never open a transaction.
struct QuietHandler {
  std::string_view widget;
  Notification notification;
  std::string_view why;
};
constexpr QuietHandler kQuietHandlers[] = {
    {"txtAngle", Notification::kValueCommitted,
     "a smooth angle that does not convert, or a write of it that fails, "
     "is not worth a message: the edit simply does not happen"},
};

// The scene writes the panel makes outside a transaction by design. A rule
// without a widget holds for the host's calls (a section being loaded).
struct OutsideWrite {
  std::string_view operation;
  std::string_view widget;
  std::string_view why;
};
constexpr OutsideWrite kWritesOutsideTransactions[] = {
    {"SetSmoothingLevel", "cmdCommitSmoothing",
     "the smoothing commit sets the level back to 0 before the host runs "
     "the operation; the slider's own edit then writes 0 again inside a "
     "transaction"},
    {"SetFocalBlur", "chkFocalBlur",
     "making the focal widgets follow the box also writes the camera's "
     "flag, before the click's own transaction"},
    {"SetFocalBlur", "",
     "the same routine runs when a camera is loaded, outside any edit"},
};

constexpr std::string_view kLayers[] = {"SysProperties", "SysMaterialUpdate",
                                        ""};
constexpr std::string_view kOperations[] = {"DivideSmooth", "Mirror", "Crease"};

struct KnownWarning {
  std::string_view entry;
  std::string_view text;
};
constexpr KnownWarning kWarnings[] = {
    {"Refraction",
     "Refraction only applies to Snapshots or Videos rendered using "
     "POV-Ray."},
    {"FocalBlur",
     "Focal Blur only applies to Snapshots or Videos rendered using "
     "POV-Ray."},
};

// The hide notifications, in the order they must come.
constexpr std::string_view kHiddenEvents[] = {
    "evtShapeHidden8", "evtLightHidden8", "evtBoneHidden8", "evtGroupHidden8",
    "evtCameraHidden8"};

const std::string& TextArgument(const scenario::RecordedEvent& event,
                                std::size_t index) {
  return std::get<std::string>(event.arguments.at(index));
}

template <class T, std::size_t N, class Match>
bool Any(const T (&items)[N], Match match) {
  for (const T& item : items) {
    if (match(item)) return true;
  }
  return false;
}

bool WriteAllowedOutside(const StepContext& step, std::string_view operation) {
  return Any(kWritesOutsideTransactions, [&](const OutsideWrite& rule) {
    if (rule.operation != operation) return false;
    if (rule.widget.empty()) return step.host_call;
    return !step.host_call && step.widget == rule.widget;
  });
}

bool IsQuietHandler(std::string_view widget, Notification notification) {
  return Any(kQuietHandlers, [&](const QuietHandler& handler) {
    return handler.widget == widget && handler.notification == notification;
  });
}

// The field the step leaves commits first; its handler may end quietly.
bool LeavingEndsQuietly(const StepContext& step) {
  return !step.host_call && !step.leaving.empty() &&
         IsQuietHandler(step.leaving, Notification::kValueCommitted);
}

}  // namespace

bool EndsQuietly(const StepContext& step) {
  if (step.host_call) return false;
  return IsQuietHandler(step.widget, step.notification) ||
         LeavingEndsQuietly(step);
}

TransactionMonitor::TransactionMonitor(PropertiesEvents* host)
    : events_(host) {
  events_.on_event = [this](const scenario::RecordedEvent& event) {
    Observe(event);
  };
}

void TransactionMonitor::SetJournal(Journal journal) {
  journal_ = std::move(journal);
  journal_mark_ = journal_.size ? journal_.size() : 0;
}

void TransactionMonitor::BeginStep(StepContext step) {
  step_ = std::move(step);
  leaving_ended_quietly_ = false;
  step_events_.clear();
  TakeWrites();
}

void TransactionMonitor::EndStep(bool error_reached_host) {
  TakeWrites();
  if (!open_) return;
  open_ = false;
  if (error_reached_host) {
    ++counts_.closed_by_error;
  } else if (EndsQuietly(step_)) {
    ++counts_.quiet_ends;
  } else {
    Breach(
        "a prepare was left without its apply, and no error reached "
        "the host");
  }
}

StepContext TransactionMonitor::EnterHostCall() {
  TakeWrites();
  StepContext outer = std::move(step_);
  step_ = StepContext{true, {}, Notification::kNone, {}};
  return outer;
}

void TransactionMonitor::LeaveHostCall(StepContext outer,
                                       bool error_reached_host) {
  TakeWrites();
  if (open_) {
    open_ = false;
    if (error_reached_host) {
      ++counts_.closed_by_error;
    } else {
      Breach(
          "a host call made inside an event left a prepare without its "
          "apply, and no error reached the host");
    }
  }
  step_ = std::move(outer);
}

void TransactionMonitor::Breach(std::string what) {
  if (!violation_.empty()) return;
  violation_ = std::move(what);
  violation_ += "; events of the step:";
  for (const std::string& e : step_events_) violation_ += " " + e;
}

void TransactionMonitor::TakeWrites() {
  if (!journal_.size) return;
  const std::size_t size = journal_.size();
  if (size < journal_mark_) journal_mark_ = 0;
  if (size == journal_mark_) return;
  if (open_) {
    counts_.writes_inside += static_cast<long long>(size - journal_mark_);
  } else {
    for (const std::string& operation : journal_.operations(journal_mark_)) {
      ++counts_.writes_outside;
      if (!WriteAllowedOutside(step_, operation))
        Breach(operation + " was written outside a transaction");
    }
  }
  journal_mark_ = size;
}

void TransactionMonitor::CloseQuietLeaving() {
  if (!open_ || leaving_ended_quietly_ || !LeavingEndsQuietly(step_)) return;
  // The field left behind ended its commit quietly, its prepare open; the
  // step's own notification follows.
  open_ = false;
  leaving_ended_quietly_ = true;
  ++counts_.quiet_ends;
}

void TransactionMonitor::Alone(const std::string& name,
                               std::string shown) {
  TakeWrites();
  CloseQuietLeaving();
  step_events_.push_back(std::move(shown));
  if (open_) Breach(name + " came inside a transaction, before its apply");
}

void TransactionMonitor::Hidden(int kind, const std::string& name) {
  step_events_.push_back(name);
  if (!open_ || open_layer_ != "SysProperties") {
    Breach(name + " came outside a \"SysProperties\" transaction");
  } else if (kind <= last_hidden_) {
    Breach(name + " came twice or out of order");
  }
  last_hidden_ = kind;
}

void TransactionMonitor::Prepare(const std::string& layer, std::string shown) {
  TakeWrites();
  step_events_.push_back(std::move(shown));
  CloseQuietLeaving();
  if (open_) Breach("a prepare came before the last one was closed");
  if (!Any(kLayers, [&](std::string_view l) { return l == layer; }))
    Breach("unknown layer source \"" + layer + "\"");
  open_ = true;
  open_layer_ = layer;
  last_hidden_ = -1;
  ++counts_.prepares;
}

void TransactionMonitor::Apply(bool hierarchy_changed, std::string shown) {
  TakeWrites();
  step_events_.push_back(std::move(shown));
  if (!open_) {
    Breach("an apply came without a prepare");
  } else if (hierarchy_changed && open_layer_ != "SysProperties") {
    Breach("a \"" + open_layer_ + "\" transaction changed the hierarchy");
  }
  open_ = false;
  ++counts_.applies;
}

// Called for each event before it goes on to the host.
void TransactionMonitor::Observe(const scenario::RecordedEvent& event) {
  const std::string& name = event.name;
  for (std::size_t kind = 0; kind < std::size(kHiddenEvents); ++kind) {
    if (name == kHiddenEvents[kind]) {
      Hidden(static_cast<int>(kind), name);
      return;
    }
  }
  if (name == "evtReqPrepareForSceneChanges") {
    Prepare(TextArgument(event, 0), event.ToText());
  } else if (name == "evtReqApplySceneChanges") {
    Apply(std::get<bool>(event.arguments.at(0)), event.ToText());
  } else if (name == "evtReqApplyOperation") {
    const std::string& operation = TextArgument(event, 0);
    Alone(name, event.ToText());
    if (!Any(kOperations, [&](std::string_view o) { return o == operation; }))
      Breach("unknown operation \"" + operation + "\"");
    ++counts_.operations;
  } else if (name == "evtReqWarn") {
    // Shown by its entry alone: the text is the entry's, or a breach.
    const std::string& warning = TextArgument(event, 1);
    const std::string& entry = TextArgument(event, 2);
    Alone(name, name + "(" + scenario::Quote(entry) + ")");
    if (!Any(kWarnings, [&](const KnownWarning& w) {
          return w.entry == entry && w.text == warning;
        })) {
      Breach("unknown warning \"" + entry + "\": " + warning);
    }
    ++counts_.warnings;
  } else {
    Alone(name, event.ToText());  // evtReqOpenSource
  }
}

}  // namespace morvel::random_user
