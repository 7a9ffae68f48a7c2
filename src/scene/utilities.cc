#include "scene/utilities.h"

#include <atomic>
#include <mutex>
#include <utility>

#include "base/error.h"

namespace morvel {
namespace {


struct Installed {
  std::mutex mutex;
  std::shared_ptr<UtilityFactory> factory;
  // Bumped on every install, so that each thread notices a new factory the
  // next time it asks for a utility and does not keep serving old objects.
  std::atomic<unsigned long> generation{1};
};

Installed& TheInstalled() {
  static Installed installed;
  return installed;
}

std::shared_ptr<UtilityFactory> RequireFactory() {
  std::shared_ptr<UtilityFactory> factory = GetUtilityFactory();
  if (!factory) {
    RaiseError(kErrCannotCreateObject,
               "ActiveX component can't create object: no scene-graph "
               "utilities are installed");
  }
  return factory;
}

struct ThreadUtilities {
  unsigned long generation = 0;
  std::shared_ptr<SceneUtility> scene;
  std::shared_ptr<DialogUtility> dialog;
  std::shared_ptr<MathUtility> math;
};

ThreadUtilities& ForThisThread() {
  thread_local ThreadUtilities utilities;
  unsigned long current = TheInstalled().generation.load();
  if (utilities.generation != current) {
    utilities = ThreadUtilities{};
    utilities.generation = current;
  }
  return utilities;
}

template <class T, class Make>
std::shared_ptr<T> Shared(std::shared_ptr<T>& slot, Make make) {
  if (!slot) slot = Required(make(*RequireFactory()));
  return slot;
}

}  // namespace

const char* QueryName(SelectionQuery query) {
  switch (query) {
    case SelectionQuery::kHidden: return "GetHiddenState";
    case SelectionQuery::kLocked: return "GetLockedState";
    case SelectionQuery::kEnabled: return "GetEnabledState";
    case SelectionQuery::kShadowless: return "GetShadowlessState";
    case SelectionQuery::kDrawPoints: return "GetDrawPointsState";
    case SelectionQuery::kDrawNormals: return "GetDrawNormalsState";
    case SelectionQuery::kDisplayAsBox: return "GetDisplayAsBoxState";
    case SelectionQuery::kDrawTranslucent: return "GetDrawTranslucentState";
  }
  return "";
}

void SetUtilityFactory(std::shared_ptr<UtilityFactory> factory) {
  Installed& installed = TheInstalled();
  std::lock_guard<std::mutex> lock(installed.mutex);
  installed.factory = std::move(factory);
  ++installed.generation;
}

std::shared_ptr<UtilityFactory> GetUtilityFactory() {
  Installed& installed = TheInstalled();
  std::lock_guard<std::mutex> lock(installed.mutex);
  return installed.factory;
}

std::shared_ptr<SceneUtility> SharedSceneUtility() {
  return Shared(ForThisThread().scene,
                [](UtilityFactory& f) { return f.CreateSceneUtility(); });
}

std::shared_ptr<DialogUtility> SharedDialogUtility() {
  return Shared(ForThisThread().dialog,
                [](UtilityFactory& f) { return f.CreateDialogUtility(); });
}

std::shared_ptr<MathUtility> SharedMathUtility() {
  return Shared(ForThisThread().math,
                [](UtilityFactory& f) { return f.CreateMathUtility(); });
}

std::shared_ptr<PictureUtility> CreatePictureUtility() {
  return Required(RequireFactory()->CreatePictureUtility());
}

}  // namespace morvel
