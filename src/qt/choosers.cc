#include "qt/choosers.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

#include "base/error.h"
#include "qt/qt_platform.h"

namespace morvel::qt {
namespace {

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

QString Title(const std::string& application_key, const char* what) {
  QString title = QString::fromUtf8(what);
  return application_key.empty() ? title : ToQ(application_key) + " - " + title;
}

// The file dialog's own result for its "No Map" button.
constexpr int kNoMapResult = 2;

// A chooser is a window of its own: once it closes, the window and the
// widget the person was in have the keyboard again, so that the next key
// (Ctrl+Z) reaches them and not nothing, whatever the window manager does.
class KeyboardComesBack {
 public:
  explicit KeyboardComesBack(QWidget* parent)
      : widget_(QApplication::focusWidget() ? QApplication::focusWidget()
                                            : parent) {}
  ~KeyboardComesBack() {
    if (!widget_) return;
    widget_->window()->activateWindow();
    if (widget_->focusPolicy() != Qt::NoFocus) {
      widget_->setFocus(Qt::ActiveWindowFocusReason);
    }
  }
  KeyboardComesBack(const KeyboardComesBack&) = delete;
  KeyboardComesBack& operator=(const KeyboardComesBack&) = delete;

 private:
  QPointer<QWidget> widget_;
};

}  // namespace

QtDialogUtility::QtDialogUtility(std::shared_ptr<DialogUtility> debug_sink,
                                 QWidget* parent)
    : debug_sink_(std::move(debug_sink)), parent_(parent) {}

QtDialogUtility::~QtDialogUtility() = default;

void QtDialogUtility::AnswerColour(Colour colour) {
  colour_answers_.push_back({kChooseColourAccepted, colour});
}

void QtDialogUtility::CancelColour() { colour_answers_.push_back({0, 0}); }

void QtDialogUtility::AnswerMapFile(std::string path) {
  map_answers_.push_back({false, std::move(path)});
}

void QtDialogUtility::AnswerNoMap() { map_answers_.push_back({false, ""}); }

void QtDialogUtility::CancelMapFile() { map_answers_.push_back({true, ""}); }

ColourChoice QtDialogUtility::ChooseColour(Long /*owner*/,
                                           const std::string& application_key,
                                           Colour colour) {
  if (!colour_answers_.empty()) {
    ColourChoice answer = colour_answers_.front();
    colour_answers_.pop_front();
    // A cancelled chooser leaves the colour it was given.
    if (answer.result != kChooseColourAccepted) answer.colour = colour;
    return answer;
  }
  QColor start = QColor::fromRgb(ColourToRgb(colour & 0xFFFFFF));
  KeyboardComesBack keyboard(parent_);
  QColor chosen =
      QColorDialog::getColor(start, parent_, Title(application_key, "Colour"));
  if (!chosen.isValid()) return {0, colour};
  return {kChooseColourAccepted, RgbToColour(chosen.rgb()) & 0xFFFFFF};
}

std::string QtDialogUtility::ChooseMapFile(Long /*owner*/,
                                           const std::string& application_key,
                                           Long /*setting_a*/,
                                           Integer /*setting_b*/) {
  MapAnswer answer;
  if (!map_answers_.empty()) {
    answer = map_answers_.front();
    map_answers_.pop_front();
  } else {
    answer.cancelled = !ShowMapFileDialog(application_key, answer.path);
  }
  // The panel asks before it changes anything: raising here leaves the map
  // exactly as it was, where an empty answer would remove it.
  if (answer.cancelled) {
    RaiseError(kErrChooserCancelled, "Cancel was selected.");
  }
  return answer.path;
}

bool QtDialogUtility::ShowMapFileDialog(const std::string& application_key,
                                        std::string& path) {
  // Qt's own dialog, so that it has room for the "No Map" button and
  // behaves the same on every desktop.
  QFileDialog dialog(
      parent_, Title(application_key, "Choose a map"),
      ToQ(map_folder_.empty() ? scene_folder_ : map_folder_),
      QStringLiteral("Images (*.png *.jpg *.jpeg *.bmp *.gif *.tga *.tif "
                     "*.tiff *.webp);;All files (*)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    QPushButton* no_map =
        buttons->addButton(QStringLiteral("&No Map"), QDialogButtonBox::ResetRole);
    no_map->setToolTip(QStringLiteral("Remove this map from the material"));
    QObject::connect(no_map, &QPushButton::clicked, &dialog,
                     [&dialog] { static_cast<QDialog&>(dialog).done(kNoMapResult); });
  }
  KeyboardComesBack keyboard(parent_);
  const int result = dialog.exec();
  if (result == kNoMapResult) {
    path.clear();
    return true;
  }
  if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return false;
  }
  QString chosen = dialog.selectedFiles().front();
  map_folder_ = QFileInfo(chosen).absolutePath().toStdString();
  path = RelativeToScene(chosen.toStdString());
  return true;
}

std::string QtDialogUtility::RelativeToScene(const std::string& path) const {
  if (scene_folder_.empty()) return path;
  QString relative = QDir(ToQ(scene_folder_)).relativeFilePath(ToQ(path));
  if (relative.startsWith(QStringLiteral("..")) ||
      QDir::isAbsolutePath(relative)) {
    return path;
  }
  return relative.toStdString();
}

void QtDialogUtility::SetSceneFolder(const std::string& folder) {
  if (folder != scene_folder_) map_folder_.clear();
  scene_folder_ = folder;
}

void QtDialogUtility::WriteDebugMessage(const std::string& text) {
  if (debug_sink_) {
    debug_sink_->WriteDebugMessage(text);
  } else if (std::getenv("MORVEL_DEBUG")) {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

}  // namespace morvel::qt
