// The smallest Qt host of the panel: one PropertiesWidget in a window. It
// hands over a scene graph (an empty one, from the library's base classes)
// and sets the panel up; the panel's widgets are then Qt widgets, and the
// scene utilities the library's reference ones.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <string>

#include "host/selection_rules.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "qt/properties_widget.h"
#include "scene/scene_bases.h"

namespace {

using namespace morvel;

class HostEvents : public PropertiesEvents {
 public:
  void evtReqPrepareForSceneChanges(std::string& LayerSource) override {
    std::printf("prepare %s\n", LayerSource.c_str());
  }
  void evtReqApplySceneChanges(bool&) override { std::printf("apply\n"); }
};

int Fail(const char* what) {
  std::printf("qt host: FAILED: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);

  HostEvents events;
  MemorySettingsStore settings;  // not the user's own files
  FixedScreenMetrics metrics;    // 15 twips a pixel
  qt::PropertiesWidget properties(events,
                                  {.settings = &settings, .metrics = &metrics});
  int errors = 0;
  QObject::connect(&properties, &qt::PropertiesWidget::errorOccurred,
                   [&](const Error& error) {
                     std::printf("%s\n", error.ToString().c_str());
                     ++errors;
                   });
  properties.resize(270, 600);
  properties.show();

  auto scene = std::make_shared<SceneGraphBase>();
  properties.panel().SetSceneGraph(scene, nullptr);
  properties.panel().SetupPropertiesPanel(ComputeSetupArguments(*scene, 2));
  if (!properties.panel().Enabled()) return Fail("not enabled");
  // The widget is the panel's container: the panel read its width.
  if (properties.panel().Widgets().GetWidget("msgMaterialAttributes").Width() !=
      270 * 15 + 45) {
    return Fail("the panel did not get the widget's width");
  }
  if (!properties.findChild<QWidget*>("fraCommonProperties")) {
    return Fail("no Qt widget for fraCommonProperties");
  }
  QTimer::singleShot(0, &app, &QApplication::quit);
  app.exec();
  if (properties.grab().isNull()) return Fail("nothing painted");
  if (errors != 0) return Fail("errors");
  std::printf("qt host: ok\n");
  return 0;
}
