#include "common/demo_operations.h"

namespace morvel::demo {

void RunDemoOperation(
    const std::function<void(const std::string& operation)>& scripted,
    MemApplier* applier, const std::string& operation,
    const std::function<void(const Error& error)>& failed) {
  try {
    if (scripted) {
      scripted(operation);
    } else if (applier) {
      applier->RunOperation(operation);
    }
  } catch (const Error& error) {
    failed(error);
  }
}

}  // namespace morvel::demo
