#ifndef MORVEL_PANEL_PROPERTIES_ACCESS_H_
#define MORVEL_PANEL_PROPERTIES_ACCESS_H_

// White-box access to a panel's implementation (its state, its sections),
// for the library's own tests and tools. Hosts embed Properties without it;
// this header is not installed.

#include "base/error.h"
#include "panel/properties.h"
#include "panel/properties_impl.h"

namespace morvel {

struct PropertiesAccess {
  static PropertiesImpl& Impl(Properties& panel) { return *panel.impl_; }

  // The panel's section of type S (error 5 when it has none): a test
  // includes the section's header and reaches its members.
  template <class S>
  static S& Section(Properties& panel) {
    for (const auto& section : Impl(panel).Sections()) {
      if (auto* found = dynamic_cast<S*>(section.get())) return *found;
    }
    RaiseError(kErrInvalidProcedureCall, "no such section");
  }
};

}  // namespace morvel

#endif  // MORVEL_PANEL_PROPERTIES_ACCESS_H_
