#include "imgui/imgui_platform.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "imgui/imgui_input.h"

namespace morvel::imgui {
namespace {

namespace fs = std::filesystem;

// A folder of thousands of files lists its first ones; a person types the
// rest.
constexpr std::size_t kMaxListed = 2000;

// Enter answers yes, Escape no, as in any dialog.
bool Confirmed() { return Pressed(Key::kEnter); }
bool Dismissed() { return Pressed(Key::kEscape); }

class MessageModal final : public Modal {
 public:
  MessageModal(const std::string& text, const std::string& title,
               MessageIcon icon, MessageButtons buttons)
      : text_(text), title_(title + "##morvel-message"), icon_(icon),
        buttons_(buttons) {}
  const char* Title() const override { return title_.c_str(); }
  bool DrawBody() override {
    if (icon_ != MessageIcon::kNone) {
      // The exclamation mark of a warning, drawn: fonts may lack the sign.
      ImDrawList& draw = *ImGui::GetWindowDrawList();
      ImVec2 at = ImGui::GetCursorScreenPos();
      float r = ImGui::GetFontSize();
      ImVec2 c(at.x + r, at.y + r);
      draw.AddCircleFilled(c, r, icon_ == MessageIcon::kCritical
                                     ? IM_COL32(200, 50, 40, 255)
                                     : IM_COL32(230, 170, 20, 255));
      draw.AddRectFilled(ImVec2(c.x - 1.5f, c.y - r * 0.6f),
                         ImVec2(c.x + 1.5f, c.y + r * 0.2f),
                         IM_COL32(255, 255, 255, 255));
      draw.AddCircleFilled(ImVec2(c.x, c.y + r * 0.5f), 1.8f,
                           IM_COL32(255, 255, 255, 255));
      ImGui::Dummy(ImVec2(2 * r, 2 * r));
      ImGui::SameLine();
    }
    ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + 360);
    ImGui::TextUnformatted(text_.c_str());
    ImGui::PopTextWrapPos();
    ImGui::Separator();
    const char* yes = buttons_ == MessageButtons::kYesNo ? "Yes" : "OK";
    bool answered = ImGui::Button(yes, ImVec2(90, 0)) || Confirmed();
    answer_ = {ImGui::GetItemRectMin(), ImGui::GetItemRectMax()};
    if (buttons_ != MessageButtons::kOk) {
      ImGui::SameLine();
      const char* no = buttons_ == MessageButtons::kYesNo ? "No" : "Cancel";
      answered = ImGui::Button(no, ImVec2(90, 0)) || answered;
    }
    return answered || Dismissed();
  }
  std::optional<std::pair<ImVec2, ImVec2>> AnswerButton() const override {
    return answer_;
  }

 private:
  std::optional<std::pair<ImVec2, ImVec2>> answer_;
  std::string text_;
  std::string title_;
  MessageIcon icon_;
  MessageButtons buttons_;
};

class ColourModal final : public Modal {
 public:
  ColourModal(const std::string& title, Colour start)
      : title_(title + "##morvel-colour") {
    rgb_[0] = static_cast<float>(start & 0xFF) / 255.0f;
    rgb_[1] = static_cast<float>((start >> 8) & 0xFF) / 255.0f;
    rgb_[2] = static_cast<float>((start >> 16) & 0xFF) / 255.0f;
  }
  const char* Title() const override { return title_.c_str(); }
  bool DrawBody() override {
    ImGui::ColorPicker3("##colour", rgb_,
                        ImGuiColorEditFlags_NoAlpha |
                            ImGuiColorEditFlags_DisplayRGB |
                            ImGuiColorEditFlags_InputRGB);
    ImGui::Separator();
    if (ImGui::Button("OK", ImVec2(90, 0)) || Confirmed()) accepted_ = true;
    ImGui::SameLine();
    bool cancelled = ImGui::Button("Cancel", ImVec2(90, 0)) || Dismissed();
    return accepted_ || cancelled;
  }
  bool Accepted() const { return accepted_; }
  Colour Chosen() const {
    auto channel = [](float v) {
      return static_cast<Colour>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    return channel(rgb_[0]) | (channel(rgb_[1]) << 8) |
           (channel(rgb_[2]) << 16);
  }

 private:
  std::string title_;
  float rgb_[3] = {0, 0, 0};
  bool accepted_ = false;
};

bool IsImage(const fs::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  static const char* const kImages[] = {".png", ".jpg", ".jpeg", ".bmp",
                                        ".gif", ".tga", ".tif",  ".tiff"};
  return std::any_of(std::begin(kImages), std::end(kImages),
                     [&](const char* e) { return ext == e; });
}

// A small file chooser: the folder's sub-folders and images, a path to
// type, OK and Cancel.
class MapFileModal final : public Modal {
 public:
  MapFileModal(const std::string& title, const std::string& folder)
      : title_(title + "##morvel-mapfile") {
    std::error_code error;
    fs::path start = folder.empty() ? fs::current_path(error) : fs::path(folder);
    Open(start);
  }
  const char* Title() const override { return title_.c_str(); }
  bool DrawBody() override {
    ImGui::TextUnformatted(folder_.string().c_str());
    ImGui::BeginChild("##files", ImVec2(420, 260), true);
    if (folder_.has_parent_path() && folder_ != folder_.root_path() &&
        ImGui::Selectable("..", false, ImGuiSelectableFlags_AllowDoubleClick) &&
        ImGui::IsMouseDoubleClicked(0)) {
      next_folder_ = folder_.parent_path();
    }
    for (const Entry& entry : entries_) {
      std::string label = entry.folder ? entry.name + "/" : entry.name;
      bool chosen = !entry.folder && path_ == (folder_ / entry.name).string();
      if (ImGui::Selectable(label.c_str(), chosen,
                            ImGuiSelectableFlags_AllowDoubleClick)) {
        if (entry.folder) {
          if (ImGui::IsMouseDoubleClicked(0)) next_folder_ = folder_ / entry.name;
        } else {
          path_ = (folder_ / entry.name).string();
          if (ImGui::IsMouseDoubleClicked(0)) accepted_ = true;
        }
      }
    }
    if (truncated_) ImGui::TextDisabled("(more files: type the name)");
    ImGui::EndChild();
    ImGui::SetNextItemWidth(420);
    ImGui::InputText("##path", &path_);
    if (ImGui::Button("OK", ImVec2(90, 0)) || Confirmed())
      accepted_ = !path_.empty();
    ImGui::SameLine();
    bool cancelled = ImGui::Button("Cancel", ImVec2(90, 0)) || Dismissed();
    if (next_folder_) {
      Open(*next_folder_);
      next_folder_.reset();
    }
    return accepted_ || cancelled;
  }
  bool Accepted() const { return accepted_; }
  const std::string& Path() const { return path_; }
  const fs::path& Folder() const { return folder_; }

 private:
  struct Entry {
    std::string name;
    bool folder;
  };
  void Open(const fs::path& folder) {
    folder_ = folder;
    entries_.clear();
    truncated_ = false;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
      bool is_folder = it->is_directory(error);
      if (!is_folder && !IsImage(it->path())) continue;
      if (entries_.size() >= kMaxListed) {
        truncated_ = true;
        break;
      }
      entries_.push_back({it->path().filename().string(), is_folder});
    }
    std::sort(entries_.begin(), entries_.end(),
              [](const Entry& a, const Entry& b) {
                return a.folder != b.folder ? a.folder : a.name < b.name;
              });
  }

  std::string title_;
  fs::path folder_;
  std::vector<Entry> entries_;
  bool truncated_ = false;
  std::optional<fs::path> next_folder_;
  std::string path_;
  bool accepted_ = false;
};

std::string Titled(const std::string& application_key, const char* what) {
  return application_key.empty() ? what : application_key + " - " + what;
}

}  // namespace

void ImGuiClipboard::Clear() { ImGui::SetClipboardText(""); }

void ImGuiClipboard::SetText(const std::string& text) {
  ImGui::SetClipboardText(text.c_str());
}

std::string ImGuiClipboard::GetText() {
  const char* text = ImGui::GetClipboardText();
  return text ? text : "";
}

void ImGuiMessageBox::Show(const std::string& text, const std::string& title,
                           MessageIcon icon, MessageButtons buttons) {
  MessageModal modal(text, title, icon, buttons);
  if (!modals_.Run(modal))
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

ColourChoice ImGuiDialogUtility::ChooseColour(Long /*owner*/,
                                              const std::string& application_key,
                                              Colour colour) {
  if (next_colour) {
    ColourChoice answer = *next_colour;
    next_colour.reset();
    return answer;
  }
  ColourModal modal(Titled(application_key, "Colour"), colour & 0xFFFFFF);
  if (!modals_.Run(modal) || !modal.Accepted()) return {0, colour};
  return {kChooseColourAccepted, modal.Chosen()};
}

std::string ImGuiDialogUtility::ChooseMapFile(Long /*owner*/,
                                              const std::string& application_key,
                                              Long /*setting_a*/,
                                              Integer /*setting_b*/) {
  if (next_map_file) {
    std::string answer = *next_map_file;
    next_map_file.reset();
    return answer;
  }
  MapFileModal modal(Titled(application_key, "Choose a map"),
                     map_folder.empty() ? scene_folder_ : map_folder);
  if (!modals_.Run(modal) || !modal.Accepted()) return {};
  fs::path chosen(modal.Path());
  map_folder = chosen.parent_path().string();
  // A file inside the scene's folder is named relative to it, as a scene
  // file names its maps (and as the grid's thumbnails find them).
  if (!scene_folder_.empty()) {
    std::error_code error;
    fs::path relative = fs::relative(chosen, scene_folder_, error);
    if (!error && !relative.empty() && relative.is_relative() &&
        *relative.begin() != "..")
      return relative.string();
  }
  return chosen.string();
}

void ImGuiDialogUtility::SetSceneFolder(const std::string& folder) {
  if (folder != scene_folder_) map_folder.clear();
  scene_folder_ = folder;
}

void ImGuiDialogUtility::WriteDebugMessage(const std::string& text) {
  if (std::getenv("MORVEL_DEBUG")) std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace morvel::imgui
