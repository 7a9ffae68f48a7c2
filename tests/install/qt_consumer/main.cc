// The smallest Qt host of the panel: one PropertiesWidget in a window. It
// installs the scene library's utilities, hands over a scene graph (an empty
// one) and sets the panel up; the panel's widgets are then Qt widgets.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <string>

#include "empty_scene_graph.h"
#include "platform/headless.h"
#include "platform/settings_store.h"
#include "qt/properties_widget.h"
#include "scene/scene.h"

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
  SetUtilityFactory(std::make_shared<EmptySceneUtilities>());

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

  properties.panel().SetSceneGraph(std::make_shared<EmptySceneGraph>(),
                                   nullptr);
  properties.panel().SetupPropertiesPanel(2, 0, 0, 0, 0, 0, 0, false, false,
                                          false, 0);
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
