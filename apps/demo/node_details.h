#ifndef MORVEL_APPS_DEMO_NODE_DETAILS_H_
#define MORVEL_APPS_DEMO_NODE_DETAILS_H_

#include <string>
#include <utility>
#include <vector>

#include "memscene/state.h"

// The values of one node as the outliner's details show them under the
// tree: a few lines a person reads at a glance (where a group stands and how
// it is turned, what a shape is and how it is drawn, a light's type and
// colour...). They are read afresh from the scene every time, so an edit in
// the panel shows here as soon as it is applied.
namespace morvel::demo {

// ("Position", "0.0, 0.75, 0.0"), ... for the node at `index`; empty for an
// index that is no node.
std::vector<std::pair<std::string, std::string>> NodeDetails(
    const mem::SceneContent& content, std::int32_t index);

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_NODE_DETAILS_H_
