#include "demo/window_shortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTimer>

namespace morvel::demo {

WindowShortcuts::WindowShortcuts(QWidget* window)
    : QObject(window), window_(window) {
  qApp->installEventFilter(this);
}

WindowShortcuts::~WindowShortcuts() {
  if (qApp) qApp->removeEventFilter(this);
}

bool WindowShortcuts::eventFilter(QObject* watched, QEvent* event) {
  if (!window_) return false;
  if (event->type() == QEvent::Hide) {
    auto* dialog = qobject_cast<QWidget*>(watched);
    if (dialog && dialog->isWindow() && dialog != window_ &&
        dialog->isModal() && dialog->parentWidget() &&
        dialog->parentWidget()->window() == window_) {
      // Once the dialog is gone (and any other has had its say).
      QTimer::singleShot(0, window_, [window = window_] {
        if (window && window->isVisible() && !QApplication::activeModalWidget())
          window->activateWindow();
      });
    }
    return false;
  }
  // Before a key press becomes a shortcut, the focused widget is asked
  // whether it wants the key itself (ShortcutOverride). For the window's
  // shortcuts it is not asked: the shortcut wins.
  if (event->type() != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != window_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence pressed(key->keyCombination());
  for (QAction* action : window_->findChildren<QAction*>()) {
    if (!action->isEnabled()) continue;
    for (const QKeySequence& shortcut : action->shortcuts()) {
      if (shortcut == pressed) return true;
    }
  }
  return false;
}

}  // namespace morvel::demo
