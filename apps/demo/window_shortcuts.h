#ifndef MORVEL_APPS_DEMO_WINDOW_SHORTCUTS_H_
#define MORVEL_APPS_DEMO_WINDOW_SHORTCUTS_H_

#include <QObject>
#include <QPointer>
#include <QWidget>

// The window's own shortcuts (Ctrl+Z, Ctrl+O, Ctrl+S, Ctrl+1 ...) work
// whatever widget has the focus. A text field, a list or a table would
// otherwise keep some of them for itself (a line edit's own Ctrl+Z undoes
// its typing, not the last edit of the scene), so that the same keys did
// different things depending on where the last click went.
//
// The panel's own keys (copy, cut and paste in its fields) are no window
// shortcuts and stay with the fields. A shortcut whose action is disabled
// (nothing to undo) leaves the key to the focused widget.
//
// And when a dialog of the window closes (a chooser, a message, the file
// dialog), the window has the keyboard again, whether or not a window
// manager gives it back: the next Ctrl+Z must not go nowhere.
namespace morvel::demo {

class WindowShortcuts final : public QObject {
 public:
  explicit WindowShortcuts(QWidget* window);
  ~WindowShortcuts() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_WINDOW_SHORTCUTS_H_
