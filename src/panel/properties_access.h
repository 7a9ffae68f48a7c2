#ifndef MORVEL_PANEL_PROPERTIES_ACCESS_H_
#define MORVEL_PANEL_PROPERTIES_ACCESS_H_

// White-box access to a panel's implementation (its state, its sections),
// for the library's own tests and tools. Hosts embed Properties without it;
// this header is not installed.

#include "panel/properties.h"
#include "panel/properties_impl.h"

namespace morvel {

struct PropertiesAccess {
  static PropertiesImpl& Impl(Properties& panel) { return *panel.impl_; }
};

}  // namespace morvel

#endif  // MORVEL_PANEL_PROPERTIES_ACCESS_H_
