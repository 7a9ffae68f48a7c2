#ifndef MORVEL_QT_QT_TESTING_H_
#define MORVEL_QT_QT_TESTING_H_

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <functional>
#include <memory>

// Test helpers: real input Qt's own test library has no call for, and
// answers to modal windows (the call that opens one runs its own event
// loop, so the answer is posted before the call).
namespace morvel::qt::testing {

// Turns the mouse wheel over `widget`'s centre by `notches` (negative:
// towards the person, scrolling down), as the window system delivers it: a
// widget that has no use for it leaves it to its parents.
inline void TurnWheel(QWidget* widget, int notches) {
  QPointF at = widget->rect().center();
  QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(),
                    QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  // sendEvent would mark it as sent by code, which Qt does not pass on to
  // the parents; the application's notify delivers it as the window
  // system's.
  QSpontaneKeyEvent::setSpontaneous(&wheel);
  QApplication::instance()->notify(widget, &wheel);
}

// Shows `window` (at `width` x `height` pixels when given) and waits until it
// is the active window, as a person's click on it makes it; false when it
// never became active.
inline bool ShowActive(QWidget* window, int width = 0, int height = 0) {
  if (width > 0 && height > 0) window->resize(width, height);
  window->show();
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

// Runs `answer` on the modal window the next call opens, once it is shown.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr) << "no modal window of the expected kind";
    answer(*dialog);
  });
}

// An answer waiting for a modal window: whether it came. Letting go of it
// stops the waiting, so an answer never outlives the test that gave it.
struct ModalAnswer {
  bool answered = false;
  QPointer<QTimer> timer;
  ~ModalAnswer() {
    if (timer) timer->deleteLater();
  }
};

// Answers the next modal window of type Dialog as soon as it shows, even
// one opened later from a queued call or a nested event loop; gives up
// after `timeout_ms`.
template <class Dialog>
std::shared_ptr<ModalAnswer> AnswerWhenShown(
    std::function<void(Dialog&)> answer, int timeout_ms = 5000) {
  auto state = std::make_shared<ModalAnswer>();
  auto* timer = new QTimer(QApplication::instance());
  state->timer = timer;
  std::weak_ptr<ModalAnswer> weak = state;
  QDeadlineTimer deadline(timeout_ms);
  QObject::connect(timer, &QTimer::timeout, [=] {
    std::shared_ptr<ModalAnswer> waiting = weak.lock();
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (waiting && dialog && dialog->isVisible()) {
      timer->stop();
      waiting->answered = true;
      answer(*dialog);
    } else if (!waiting || deadline.hasExpired()) {
      timer->stop();
    }
  });
  timer->start(10);
  return state;
}

}  // namespace morvel::qt::testing

#endif  // MORVEL_QT_QT_TESTING_H_
