#include "qt/warn_dialog.h"

#include <QIcon>
#include <QPointer>

#include "qt/pictures.h"

namespace morvel::qt {

WarnDialog::WarnDialog(frmWarn& warn, const ScreenMetrics& metrics,
                       QWidget* parent)
    : QDialog(parent), warn_(warn) {
  Widget* root = warn_.Widgets().Root();
  view_ = std::make_unique<WidgetView>(warn_.Widgets(), *root, metrics, this);
  view_->SetFollowRootSize(true);
  QWidget* surface = view_->RootWidget();
  surface->move(0, 0);
  setFixedSize(surface->size());
  setWindowTitle(QString::fromStdString(PlainCaption(root->Caption())));
  if (auto* form = dynamic_cast<Form*>(root)) {
    QPixmap icon = PictureFor(form->Icon());
    if (!icon.isNull()) setWindowIcon(QIcon(icon));
  }
  setAccessibleName(windowTitle());
  // The tip's heading stands out from the tip itself.
  if (QWidget* heading = view_->Find("Label1")) {
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
  }
  // The OK button unloads the model; the window follows it.
  view_->after_input = [this] {
    if (!warn_.IsLoaded() && isVisible()) done(QDialog::Accepted);
  };
  // The tip swallows its own failures; anything the view still reports is
  // of no concern to the user either.
  view_->on_error = [](const Error&, const Widget*) {};
}

WarnDialog::~WarnDialog() {
  // A window destroyed while on screen was closed all the same: the choice
  // is kept.
  if (isVisible()) warn_.Unload();
  view_.reset();
}

void WarnDialog::Prepare() {
  warn_.Load();
  view_->Flush();
  if (QWidget* ok = view_->Find("cmdOK")) ok->setFocus();
}

void WarnDialog::Run() {
  Prepare();
  exec();
}

void WarnDialog::Open() {
  Prepare();
  setModal(true);
  show();
}

void WarnDialog::done(int result) {
  warn_.Unload();
  QDialog::done(result);
}

}  // namespace morvel::qt
