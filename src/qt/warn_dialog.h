#ifndef MORVEL_QT_WARN_DIALOG_H_
#define MORVEL_QT_WARN_DIALOG_H_

#include <QDialog>
#include <memory>

#include "platform/platform.h"
#include "qt/widget_view.h"
#include "warn/frm_warn.h"

// The tip window on screen: a QDialog that shows the frmWarn model through a
// widget view. Whichever way the window closes (OK, Escape, the title bar's
// close button, the host closing it), the model is unloaded and so stores
// the user's choice.
namespace morvel::qt {

class WarnDialog final : public QDialog {
 public:
  // `warn` and `metrics` must outlive the dialog.
  WarnDialog(frmWarn& warn, const ScreenMetrics& metrics,
             QWidget* parent = nullptr);
  ~WarnDialog() override;

  // Loads the model (the text shown, the box checked) and shows the window
  // modally; returns once it is closed and the choice is stored.
  void Run();
  // Loads the model and shows the window without waiting (scripted runs
  // drive it and close it themselves).
  void Open();

  WidgetView& View() { return *view_; }
  frmWarn& Model() { return warn_; }

  void done(int result) override;

 private:
  void Prepare();
  frmWarn& warn_;
  std::unique_ptr<WidgetView> view_;
};

}  // namespace morvel::qt

#endif  // MORVEL_QT_WARN_DIALOG_H_
