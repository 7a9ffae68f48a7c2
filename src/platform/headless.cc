#include "platform/headless.h"

#include <utility>

namespace morvel {

void MemoryClipboard::MaybeFail(Operation operation) {
  const std::optional<Error>* failure = nullptr;
  switch (operation) {
    case Operation::kClear: failure = &fail_clear_; break;
    case Operation::kSetText: failure = &fail_set_; break;
    case Operation::kGetText: failure = &fail_get_; break;
  }
  if (failure != nullptr && failure->has_value()) throw **failure;
}

void MemoryClipboard::Clear() {
  calls_.push_back("Clear");
  MaybeFail(Operation::kClear);
  text_.clear();
}

void MemoryClipboard::SetText(const std::string& text) {
  calls_.push_back("SetText:" + text);
  MaybeFail(Operation::kSetText);
  text_ = text;
}

std::string MemoryClipboard::GetText() {
  calls_.push_back("GetText");
  MaybeFail(Operation::kGetText);
  return text_;
}

void MemoryClipboard::FailOn(Operation operation, std::optional<Error> error) {
  switch (operation) {
    case Operation::kClear: fail_clear_ = std::move(error); break;
    case Operation::kSetText: fail_set_ = std::move(error); break;
    case Operation::kGetText: fail_get_ = std::move(error); break;
  }
}

void RecordingMessageBox::Show(const std::string& text,
                               const std::string& title, MessageIcon icon,
                               MessageButtons buttons) {
  messages_.push_back(Message{title, text, icon, buttons});
  // A copy: the handler may show another message, which grows the vector.
  const Message shown = messages_.back();
  if (on_show_) on_show_(shown);
  if (fail_) throw *fail_;
}

FixedScreenMetrics::FixedScreenMetrics(Long twips_per_pixel_x,
                                       Long twips_per_pixel_y)
    : x_(twips_per_pixel_x), y_(twips_per_pixel_y) {
  // A screen reports at least one twip per pixel; zero would make every
  // pixel-to-twip conversion collapse and every twip-to-pixel one divide by 0.
  if (x_ <= 0 || y_ <= 0) {
    RaiseError(kErrInvalidProcedureCall,
               "Invalid procedure call or argument: twips per pixel must be "
               "positive");
  }
}

const char* MessageIconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kNone: return "None";
    case MessageIcon::kCritical: return "Critical";
    case MessageIcon::kQuestion: return "Question";
    case MessageIcon::kExclamation: return "Exclamation";
    case MessageIcon::kInformation: return "Information";
  }
  return "?";
}

const char* MessageButtonsName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk: return "OK";
    case MessageButtons::kOkCancel: return "OKCancel";
    case MessageButtons::kYesNo: return "YesNo";
  }
  return "?";
}

}  // namespace morvel
