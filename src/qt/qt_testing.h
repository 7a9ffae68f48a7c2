#ifndef MORVEL_QT_QT_TESTING_H_
#define MORVEL_QT_QT_TESTING_H_

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Test helpers for code that opens modal windows: the call that opens one
// runs its own event loop, so the answer is posted before the call.
namespace morvel::qt::testing {

// Runs `answer` on the modal window the next call opens, once it is shown.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr) << "no modal window of the expected kind";
    answer(*dialog);
  });
}

}  // namespace morvel::qt::testing

#endif  // MORVEL_QT_QT_TESTING_H_
