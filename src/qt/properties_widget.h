#ifndef MORVEL_QT_PROPERTIES_WIDGET_H_
#define MORVEL_QT_PROPERTIES_WIDGET_H_

#include <QSize>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "base/error.h"
#include "base/types.h"
#include "panel/properties.h"
#include "platform/platform.h"

// The property panel as one Qt widget. A Qt host writes
//
//   morvel::qt::PropertiesWidget properties(my_events, my_window);
//   properties.panel().SetSceneGraph(scene_graph, applier);
//   ...
//   properties.panel().SetupPropertiesPanel(arguments);  // each selection
//
// and answers the events in `my_events` (see docs/embedding-qt.md).
//
// The widget owns the panel and what the panel needs from the window
// system: the system clipboard, message boxes over the host's window, the
// screen's twips per pixel, the colour and map-file choosers as Qt dialogs
// and the per-user settings files. It is the panel's container: its own
// size is what the panel reads as its width and heights (in twips), its
// resize is the panel's resize notification, the copy, cut and paste keys of
// the panel's fields are its key-down notification, and destroying it
// terminates the panel. The panel scrolls when its sections stand taller
// than the widget.
//
// Every error the panel raises while it handles a person's input (an
// editor, a resize, a key) comes out of errorOccurred(), as no exception may
// cross the Qt event loop, with the field the person was editing; with
// nothing connected it is written to standard error. A map-file choice the
// person cancelled is no error (qt/choosers.h). The calls the host makes
// itself (SetSceneGraph, SetupPropertiesPanel, ...) raise morvel::Error to
// the host as usual.
//
// As a QWidget, its own members follow Qt's naming; panel() is the
// library's Properties.
namespace morvel::qt {

class QtDialogUtility;
class WidgetView;

class PropertiesWidget : public QWidget {
  Q_OBJECT

 public:
  // What the host may supply instead of the widget's own. Null means the
  // widget's own; whatever is given must outlive the widget.
  struct Services {
    // Default: the system clipboard.
    Clipboard* clipboard = nullptr;
    // Default: a modal QMessageBox over the widget's window.
    MessageBoxService* message_box = nullptr;
    // Default: the per-user settings files (FileSettingsStore).
    SettingsStore* settings = nullptr;
    // Default: the screen's twips per pixel.
    ScreenMetrics* metrics = nullptr;
    // Default: the scene library's shared utilities (the installed
    // UtilityFactory), with the Qt colour and map-file choosers.
    SceneServices* scene_services = nullptr;
  };

  explicit PropertiesWidget(PropertiesEvents& events,
                            QWidget* parent = nullptr);
  PropertiesWidget(PropertiesEvents& events, const Services& services,
                   QWidget* parent = nullptr);
  ~PropertiesWidget() override;
  PropertiesWidget(const PropertiesWidget&) = delete;
  PropertiesWidget& operator=(const PropertiesWidget&) = delete;

  Properties& panel();
  const Properties& panel() const;

  // The store the panel writes its settings to (the mesh operations'
  // parameters) and the warning keeps its choice in. A host's applier reads
  // the parameters back from it.
  SettingsStore& settings();

  // A ready answer to evtReqWarn: unless the user switched this warning off
  // in an earlier tip (its "Tips" setting is "0"), shows the tip window
  // modally over the widget's window and stores the user's choice. True
  // when the tip was shown.
  bool showWarning(const std::string& application_key,
                   const std::string& warning,
                   const std::string& registry_entry);
  bool isWarningSwitchedOff(const std::string& application_key,
                            const std::string& registry_entry);

  // The folder of the scene file: maps named relative to it are drawn from
  // there in the material grid, and the map-file chooser starts there.
  void setSceneFolder(const QString& folder);

  // The container's facts fixed (twips), for scripted runs that give the
  // panel an exact size: the widget takes that size and its own resizes are
  // no notification. The caller tells the panel (panel().Resize()).
  void fixContainer(Long inner_height, Long outer_height, Long width);

  // The container's terminate notification, now and once; its error reaches
  // the caller. Without it the destructor terminates the panel and reports
  // an error as input errors are reported.
  void terminate();

  // Commits the edit in progress, as Enter would: the focused field, when
  // the person changed its text. A host calls it before it acts on the
  // whole scene (saves it, undoes, sets the panel up for another
  // selection), so that what was typed is part of it. An error goes to
  // errorOccurred(); true when there was none.
  bool commitEdit();

  // The Qt side of the panel, for tools and tests: the view that mirrors
  // the panel's widgets, and the choosers, which a test scripts
  // (qt/choosers.h).
  WidgetView& view();
  QtDialogUtility& dialogs();

  QSize sizeHint() const override;

 signals:
  // An error of the panel while it handled input, a resize or a key.
  // `field` names the field or control the person was using as the person
  // knows it (its caption, the label beside it after its frame's heading,
  // or its tool tip: "Position Y"), empty for a resize or a key.
  void errorOccurred(const morvel::Error& error, const QString& field);
  // The panel handled a resize of the widget. Its sections take the height
  // they are loaded with: a host may set the panel up again to fill it.
  void panelResized();
  // A person's input was handled (and the view shows the result).
  void inputHandled();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Parts;
  void Report(const Error& error, const Widget* source);
  // The container's resize notification, unless its facts are fixed.
  void ContainerResized();
  std::unique_ptr<Parts> parts_;
};

}  // namespace morvel::qt

#endif  // MORVEL_QT_PROPERTIES_WIDGET_H_
