// Scene files from nobody in particular: whatever the bytes, a load ends in
// a scene or in error 321 with a message a person can read (the place and
// an excerpt, never the file); a scene that loads saves, and loads again as
// the same scene; and the quick reading of nodes comes to exactly what the
// full reading does, the same scene or the same message.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/error.h"
#include "fuzz_check.h"
#include "memscene/mem_scene_graph.h"
#include "memscene/scene_file.h"

using morvel::Error;
using morvel::MemSceneGraph;

namespace {

// A reading of the text: the scene written out whole, or the error.
std::string Reading(const std::string& text, morvel::mem::NodeReading how) {
  try {
    return morvel::mem::WriteScene(
               morvel::mem::ReadSceneText(text, "fuzz.json", how), false,
               morvel::mem::MeshForm::kInline)
        .dump();
  } catch (const Error& e) {
    return "error " + std::to_string(e.Number()) + ": " + e.Description();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string quick = Reading(text, morvel::mem::NodeReading::kQuick);
  const std::string full = Reading(text, morvel::mem::NodeReading::kFull);
  MORVEL_FUZZ_CHECK(quick == full, "the readings differ:\n%s\n%s",
                    quick.c_str(), full.c_str());
  std::shared_ptr<MemSceneGraph> scene;
  try {
    scene = MemSceneGraph::FromText(text, "fuzz.json");
  } catch (const Error& e) {
    MORVEL_FUZZ_CHECK(e.Number() == 321, "error %d: %s",
                      static_cast<int>(e.Number()), e.Description().c_str());
    MORVEL_FUZZ_CHECK(e.Description().size() <= 512,
                      "a message of %zu bytes: %.200s...",
                      e.Description().size(), e.Description().c_str());
    return 0;
  }
  const std::string saved = scene->ToText();
  std::shared_ptr<MemSceneGraph> again;
  try {
    again = MemSceneGraph::FromText(saved, "saved.json");
  } catch (const Error& e) {
    MORVEL_FUZZ_CHECK(false, "a saved scene does not load: %s\n%s",
                      e.Description().c_str(), saved.c_str());
  }
  MORVEL_FUZZ_CHECK(again->ToText() == saved,
                    "saving the loaded copy gives other text:\n%s\n%s",
                    saved.c_str(), again->ToText().c_str());
  MORVEL_FUZZ_CHECK(again->SelectedNames() == scene->SelectedNames(),
                    "the selection changed on the way");
  return 0;
}
