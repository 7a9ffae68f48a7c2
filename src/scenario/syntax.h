#ifndef MORVEL_SCENARIO_SYNTAX_H_
#define MORVEL_SCENARIO_SYNTAX_H_

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/types.h"
#include "scenario/interpreter.h"
#include "scenario/recorder.h"
#include "scenario/script.h"

// The forms of the scenario language's commands, shared by the
// interpreter's command families: the command table, argument counts, and
// the parsers of events, widget properties, cells and options. Each raises
// ScenarioError at the scenario's line for a form it does not accept.
namespace morvel::scenario {

// A failed expectation: "expected ..., found ...".
class ExpectationFailure : public std::exception {
 public:
  explicit ExpectationFailure(std::string message)
      : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

inline constexpr const char kMaterialGrid[] = "msgMaterialAttributes";

// A text as a FAIL line quotes it: in double quotes, escaped, and cut to
// kQuotedBytes with "..." (a scenario may type or expect megabytes).
inline constexpr std::size_t kQuotedBytes = 256;
std::string Quoted(std::string_view text);

// `error 70 "Permission denied" from "Properties"`.
std::string ErrorText(const Error& error);
// The description without the standard text the scene puts before it
// ("Invalid procedure call or argument: no node is named ..." reads as
// "no node is named ..." in a scenario's failure).
std::string Unprefixed(const Error& error);
std::string Join(const std::vector<std::string>& parts,
                 std::string_view separator);
std::string EventList(const std::vector<RecordedEvent>& events);

// `evtName` or `evtName("text", False)` as `expect events` writes an event.
RecordedEvent ParseEvent(const Token& token, int line);

// "WIDGET.PROP" or "WIDGET.PROP(ARG)".
struct PropertyPath {
  std::string widget;
  std::string property;
  std::optional<Long> argument;
};
PropertyPath ParsePropertyPath(const Token& token, int line);
std::string PropertyText(const PropertyPath& path);

// "ROW COL.PROP" of `expect cell`.
struct CellPath {
  Long row = 0;
  Long col = 0;
  std::string property;
};
CellPath ParseCellPath(const Token& row, const Token& col_prop, int line);

// The options of `setup common|object`.
struct SetupOptions {
  std::optional<bool> ambient, directional, scene_selected;
  std::optional<Long> render_mode;
};
SetupOptions ParseSetupOptions(const Line& line);
SetupArguments ParseExplicitSetup(const Line& line);

// The options of `fault`: how many calls succeed first (after=N, 0 by
// default) and how many then fail (times=N; every call by default).
struct FaultOptions {
  Long after = 0;
  Long times = -1;
};
FaultOptions ParseFaultOptions(const Line& line);

Integer ToInteger(const Token& token, int line);
void CheckWidgetName(const Token& token, int line);
void CheckPanelProperty(const Token& token, int line);

// "wrong number of arguments for WHAT" unless the line has min to max
// (-1: any number) arguments after its command.
void CheckCount(const Line& line, std::string_view what, int min, int max);

}  // namespace morvel::scenario

#endif  // MORVEL_SCENARIO_SYNTAX_H_
