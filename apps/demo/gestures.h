#ifndef MORVEL_APPS_DEMO_GESTURES_H_
#define MORVEL_APPS_DEMO_GESTURES_H_

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

// Where one gesture of the user ends and the next begins, for undo: the
// panel's edits within one gesture (a slider dragged through twenty
// positions, a value stepped with the arrow keys) are one undo step, and the
// next gesture starts a new one even when it changes the same value.
//
// A gesture starts when a mouse button goes down anywhere in the window, or
// when the keyboard focus moves to another widget of it.
namespace morvel::demo {

class GestureWatch final : public QObject {
 public:
  GestureWatch(QWidget* window, std::function<void()> on_gesture);
  ~GestureWatch() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Inside(QObject* object) const;

  QPointer<QWidget> window_;
  std::function<void()> on_gesture_;
};

}  // namespace morvel::demo

#endif  // MORVEL_APPS_DEMO_GESTURES_H_
