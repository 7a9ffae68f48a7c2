#ifndef MORVEL_QT_WIDGET_VIEW_H_
#define MORVEL_QT_WIDGET_VIEW_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/error.h"
#include "base/types.h"
#include "platform/platform.h"
#include "widgets/widget.h"

class QWidget;
class QString;

// The Qt view of a headless widget tree: one QWidget per model widget, kept
// in step with the model through WidgetObserver, and turning a person's mouse
// and keyboard input back into UserInput calls on the model.
//
// The model is the only truth. A Qt widget never keeps a state of its own
// that the model does not have: after every piece of input the view is set
// again from the model, so input the model refused (a disabled widget, a key
// the filter dropped) leaves no trace on the screen. While the view copies
// the model into a Qt widget, that widget's signals are blocked, so setting a
// value from code never comes back as input.
namespace morvel::qt {

class ViewBase;

class WidgetView final : public WidgetObserver {
 public:
  // Makes the Qt view of one model widget; null leaves the widget to the
  // standard views (qt/views/view_factory.h). A host with widgets of its own
  // kind, or a test, puts its views in here.
  using ViewFactory = std::function<ViewBase*(WidgetView& owner, Widget& model,
                                              QWidget* parent)>;

  // Mirrors `root` and everything below it. The view of `root` becomes a
  // child of `parent` (or a top-level widget when it is null). The tree and
  // the metrics must outlive the view; destroy the view before the tree.
  WidgetView(WidgetTree& tree, Widget& root, const ScreenMetrics& metrics,
             QWidget* parent = nullptr, ViewFactory factory = nullptr);
  ~WidgetView() override;
  WidgetView(const WidgetView&) = delete;
  WidgetView& operator=(const WidgetView&) = delete;

  // The Qt widget of the root: the panel's (or the dialog's) surface. Its
  // size is the host's to set, unless `follow_root_size` is on.
  QWidget* RootWidget() const;
  Widget& Root() const { return root_; }
  // When on, the root's Width and Height in the model size the root widget
  // (a form that sizes itself, like the warning dialog).
  void SetFollowRootSize(bool on);

  // The Qt widget that shows `widget` (null for an image list, which is
  // never on screen), and the model widget behind a Qt widget (or one of its
  // parts, such as the line edit of an up-down field).
  QWidget* ViewOf(const Widget& widget) const;
  Widget* ModelOf(const QWidget* view) const;
  // By display name: "txtNumClones(0)", "fraGeneral".
  QWidget* Find(std::string_view display_name) const;

  // Pixels of a rectangle in twips, through the screen metrics.
  int ToPixelsX(Long twips) const;
  int ToPixelsY(Long twips) const;

  // Applies what was deferred: the grid views refresh their rows and sizes
  // once after a burst of changes instead of once per cell. Runs by itself
  // from the event loop; tests and screenshots call it to be sure.
  void Flush();

  // Folder that relative texture paths in thumbnails are read from.
  void SetPictureFolder(const QString& folder);
  const std::string& PictureFolder() const { return picture_folder_; }

  // Every failure of the model while it handles input ends here, so that no
  // exception crosses the Qt event loop, with the widget the person acted
  // on (null for the container's own notifications). Without a handler
  // errors are written to standard error.
  std::function<void(const Error& error, const Widget* source)> on_error;
  // The copy, cut and paste keys pressed in a text widget (key codes 67, 88,
  // 86 and the modifier state 2 for Control), for the panel's key handler.
  // Unset: the text widgets use the clipboard themselves.
  std::function<void(Integer key_code, Integer shift)> on_key_down;
  // The container's own key-down notification (a host that previews the
  // keyboard, a script): on_key_down with the error handling of input.
  void ContainerKeyDown(Integer key_code, Integer shift);
  // The root widget was resized (the host tells the panel).
  std::function<void()> on_resize;
  // Runs after each piece of user input has been handled (and the view set
  // again from the model): a host refreshes what depends on the model.
  std::function<void()> after_input;

  void OnWidgetChanged(Widget& widget, WidgetProperty property) override;

  // --- used by the Qt widget classes of the view (qt/views/) ---
  // Runs one piece of user input on the model: catches every failure and
  // hands it to on_error, then sets the Qt widget again from the model and
  // applies what was deferred.
  void Act(Widget& widget, const std::function<void()>& action);
  bool Syncing() const { return state_->syncing > 0; }
  // The model widget whose input is being handled (null when none).
  Widget* Acting() const { return state_->acting; }
  const ScreenMetrics& Metrics() const { return metrics_; }
  void ScheduleFlush(ViewBase* view);
  void Resized();
  // The accessible name of a widget: its caption, else the caption of the
  // label beside it, else its tool tip, else its name.
  std::string AccessibleNameOf(const Widget& widget) const;
  // What a person calls a field in a message: its own caption; else the
  // label beside it, after the heading of its frame when the label alone
  // says too little ("Position Y", "Clones Count 2"); else its tool tip.
  std::string FieldNameOf(const Widget& widget) const;
  // The right edge (twips, in the parent) a widget's caption may extend
  // to: the next visible sibling on its line, or the parent's edge.
  Long RightLimit(const Widget& widget) const;

 private:
  void Build(Widget& widget, QWidget* parent_view);
  void SyncAll(ViewBase& view);
  void RefreshAccessibleNames(Widget& parent);
  void Report(const Error& error);
  // Runs `step`; a failure goes to on_error instead of the caller.
  void Guarded(const std::function<void()>& step);

  WidgetTree& tree_;
  Widget& root_;
  const ScreenMetrics& metrics_;
  ViewFactory factory_;
  std::unordered_map<const Widget*, ViewBase*> views_;
  std::unordered_set<ViewBase*> pending_;
  bool flush_scheduled_ = false;
  bool follow_root_size_ = false;
  std::string picture_folder_;
  QWidget* root_view_ = nullptr;
  // Whether the view is copying the model (input is then ignored), whose
  // input is being handled, and whether the view still exists. Shared with
  // the calls in progress and the flush posted to the event loop: a handler
  // may destroy the view (a host closing its window), and the call that ran
  // it must still find this to restore what it raised.
  struct State {
    int syncing = 0;
    Widget* acting = nullptr;
    bool alive = true;
  };
  std::shared_ptr<State> state_;
};

// A name for a widget that has no caption, label or tool tip, made from
// its name: "fraShapeProperties" -> "Shape Properties", "txtNumClones(0)"
// -> "Num Clones 1".
std::string ReadableName(const Widget& widget);

// Strips the mnemonic ampersands of a caption ("&OK" -> "OK", "&&" -> "&").
std::string PlainCaption(std::string_view caption);

}  // namespace morvel::qt

#endif  // MORVEL_QT_WIDGET_VIEW_H_
