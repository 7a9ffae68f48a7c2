#ifndef MORVEL_APPS_COMMON_DEMO_OPERATIONS_H_
#define MORVEL_APPS_COMMON_DEMO_OPERATIONS_H_

#include <functional>
#include <string>

#include "base/error.h"
#include "memscene/mem_applier.h"

namespace morvel::demo {

// A mesh operation the panel asked a demo host for: run by `scripted` when
// a scripted run gives it (the run's scene answers it), else by the scene's
// `applier` (none: nothing runs). Its error goes to `failed`, since no
// exception may leave the panel's event.
void RunDemoOperation(
    const std::function<void(const std::string& operation)>& scripted,
    MemApplier* applier, const std::string& operation,
    const std::function<void(const Error& error)>& failed);

}  // namespace morvel::demo

#endif  // MORVEL_APPS_COMMON_DEMO_OPERATIONS_H_
