#include "demo/gestures.h"

#include <QApplication>
#include <QEvent>

namespace morvel::demo {

GestureWatch::GestureWatch(QWidget* window, std::function<void()> on_gesture)
    : QObject(window), window_(window), on_gesture_(std::move(on_gesture)) {
  qApp->installEventFilter(this);
  QObject::connect(qApp, &QApplication::focusChanged, this,
                   [this](QWidget*, QWidget* now) {
                     if (now && Inside(now)) on_gesture_();
                   });
}

GestureWatch::~GestureWatch() {
  if (qApp) qApp->removeEventFilter(this);
}

bool GestureWatch::Inside(QObject* object) const {
  auto* widget = qobject_cast<QWidget*>(object);
  return window_ && widget && widget->window() == window_;
}

bool GestureWatch::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::MouseButtonPress ||
       event->type() == QEvent::MouseButtonDblClick) &&
      Inside(watched)) {
    on_gesture_();
  }
  return false;
}

}  // namespace morvel::demo
