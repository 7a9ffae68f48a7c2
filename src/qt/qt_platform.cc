#include "qt/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <cmath>

#include "base/numbers.h"

namespace morvel::qt {
namespace {

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void QtClipboard::Clear() { QGuiApplication::clipboard()->clear(); }

void QtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQ(text));
}

std::string QtClipboard::GetText() {
  return QGuiApplication::clipboard()->text().toStdString();
}

void QtMessageBox::Show(const std::string& text, const std::string& title,
                        MessageIcon icon, MessageButtons buttons) {
  if (on_show) on_show(text, title);
  if (!interactive) return;
  QMessageBox box(parent_);
  box.setWindowTitle(ToQ(title));
  box.setText(ToQ(text));
  switch (icon) {
    case MessageIcon::kNone:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MessageIcon::kCritical:
      box.setIcon(QMessageBox::Critical);
      break;
    case MessageIcon::kQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case MessageIcon::kExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
  }
  switch (buttons) {
    case MessageButtons::kOk:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::kOkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MessageButtons::kYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
  }
  box.setAccessibleName(ToQ(title));
  box.exec();
}

QtScreenMetrics::QtScreenMetrics() : x_(15), y_(15) {
  // Twips are 1/1440 inch; a screen that reports no sensible density is
  // treated as the usual 96 dpi.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    double dpi_x = screen->logicalDotsPerInchX();
    double dpi_y = screen->logicalDotsPerInchY();
    if (dpi_x >= 24 && dpi_x <= 1440) x_ = RoundToLong(1440.0 / dpi_x);
    if (dpi_y >= 24 && dpi_y <= 1440) y_ = RoundToLong(1440.0 / dpi_y);
  }
}

unsigned int ColourToRgb(Colour colour) {
  auto packed = static_cast<std::uint32_t>(colour);
  if (packed & 0x80000000u) {
    // A system colour: the palette of the running style stands in for the
    // colour scheme of the system the panel was designed on.
    QPalette palette = QApplication::palette();
    QPalette::ColorRole role = QPalette::Window;
    switch (packed & 0xFF) {
      case 0x05:
        role = QPalette::Base;
        break;  // window
      case 0x08:
        role = QPalette::Text;
        break;  // window text
      case 0x0D:
        role = QPalette::Highlight;
        break;
      case 0x0E:
        role = QPalette::HighlightedText;
        break;
      case 0x0F:
        role = QPalette::Button;
        break;  // button face
      case 0x10:
        role = QPalette::Mid;
        break;  // button shadow
      case 0x12:
        role = QPalette::ButtonText;
        break;
      case 0x14:
        role = QPalette::Light;
        break;  // 3D highlight
      case 0x18:
        role = QPalette::ToolTipBase;
        break;  // info background
      default:
        role = QPalette::Window;
        break;
    }
    return palette.color(role).rgb();
  }
  unsigned int r = packed & 0xFF;
  unsigned int g = (packed >> 8) & 0xFF;
  unsigned int b = (packed >> 16) & 0xFF;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

Colour RgbToColour(unsigned int rgb) {
  unsigned int r = (rgb >> 16) & 0xFF;
  unsigned int g = (rgb >> 8) & 0xFF;
  unsigned int b = rgb & 0xFF;
  return static_cast<Colour>((b << 16) | (g << 8) | r);
}

}  // namespace morvel::qt
