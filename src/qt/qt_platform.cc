#include "qt/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>

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
  // In the order MessageIcon and MessageButtons list them.
  static const QMessageBox::Icon kIcons[] = {
      QMessageBox::NoIcon, QMessageBox::Critical, QMessageBox::Question,
      QMessageBox::Warning, QMessageBox::Information};
  static const QMessageBox::StandardButtons kButtons[] = {
      QMessageBox::Ok, QMessageBox::Ok | QMessageBox::Cancel,
      QMessageBox::Yes | QMessageBox::No};
  if (auto i = static_cast<std::size_t>(icon); i < std::size(kIcons)) {
    box.setIcon(kIcons[i]);
  }
  if (auto i = static_cast<std::size_t>(buttons); i < std::size(kButtons)) {
    box.setStandardButtons(kButtons[i]);
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
    // The system colours the panel uses, by index; any other is the
    // window's.
    static const std::pair<std::uint32_t, QPalette::ColorRole> kRoles[] = {
        {0x05, QPalette::Base},             // window
        {0x08, QPalette::Text},             // window text
        {0x0D, QPalette::Highlight},        // highlight
        {0x0E, QPalette::HighlightedText},  // highlighted text
        {0x0F, QPalette::Button},           // button face
        {0x10, QPalette::Mid},              // button shadow
        {0x12, QPalette::ButtonText},       // button text
        {0x14, QPalette::Light},            // 3D highlight
        {0x18, QPalette::ToolTipBase}};     // info background
    QPalette::ColorRole role = QPalette::Window;
    for (const auto& [index, system_role] : kRoles) {
      if ((packed & 0xFF) == index) role = system_role;
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
