#ifndef FOREIGN_HOST_BINDING_H_
#define FOREIGN_HOST_BINDING_H_

// The studio document as the panel sees it. Each item gets one scene node,
// made from the library's base classes, that reads and writes the item's
// own fields in the document's units; what the document does not keep
// (smoothing, clones, joints, bone volumes, focal blur...) the base classes
// keep. The library's reference utilities do the rest.
#include <map>
#include <memory>
#include <vector>

#include "document.h"
#include "host/host_interface.h"
#include "scene/scene_bases.h"

namespace foreign {

class DocumentGraph : public morvel::SceneGraphBase {
 public:
  explicit DocumentGraph(studio::Document& document);

  // The node of an item, made the first time it is asked for.
  std::shared_ptr<morvel::SceneNode> NodeOf(studio::Item& item);
  void SelectItems(const std::vector<studio::Item*>& items);
  // What SetupPropertiesPanel is told about the selection on `tab`.
  morvel::SetupArguments Setup(morvel::Long tab);

 private:
  std::map<studio::Item*, std::shared_ptr<morvel::SceneNode>> nodes_;
};

}  // namespace foreign

#endif  // FOREIGN_HOST_BINDING_H_
