#include "imgui-demo/gl_window.h"

#define GLFW_INCLUDE_NONE
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <backends/imgui_impl_glfw.h>
#include <backends/imgui_impl_opengl3.h>
#include <imgui.h>
#include <stb_image_write.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace morvel::imgui_demo {
namespace {

// A plain light look: the panel was drawn for a light window.
void Style() {
  ImGui::StyleColorsLight();
  ImGuiStyle& style = ImGui::GetStyle();
  style.FrameRounding = 2;
  style.WindowRounding = 4;
  style.ScrollbarSize = 13;
  style.Colors[ImGuiCol_WindowBg] = ImVec4(0.94f, 0.94f, 0.94f, 1);
  style.Colors[ImGuiCol_ChildBg] = ImVec4(0.94f, 0.94f, 0.94f, 1);
  style.Colors[ImGuiCol_FrameBg] = ImVec4(1, 1, 1, 1);
}

void Fonts() {
  ImGuiIO& io = ImGui::GetIO();
  const char* font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  if (std::filesystem::exists(font) &&
      io.Fonts->AddFontFromFileTTF(font, 13.0f)) {
    return;
  }
  io.Fonts->AddFontDefault();
}

}  // namespace

ImTextureID GlTextures::Create(const imgui::Image& image) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, image.rgba.data());
  return reinterpret_cast<ImTextureID>(static_cast<std::uintptr_t>(texture));
}

void GlTextures::Destroy(ImTextureID texture) {
  auto name = static_cast<GLuint>(reinterpret_cast<std::uintptr_t>(texture));
  glDeleteTextures(1, &name);
}

bool GlWindow::Open(int width, int height, bool visible, std::string& error) {
  if (!glfwInit()) {
    error = "cannot start GLFW (no display?)";
    return false;
  }
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
  window_ = glfwCreateWindow(width, height, "Morvel Properties", nullptr, nullptr);
  if (!window_) {
    error = "cannot open an OpenGL 3.3 window";
    return false;
  }
  glfwMakeContextCurrent(window_);
  glfwSwapInterval(1);
  width_ = width;
  height_ = height;
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGui::GetIO().IniFilename = nullptr;
  Style();
  Fonts();
  ImGui_ImplGlfw_InitForOpenGL(window_, true);
  ImGui_ImplOpenGL3_Init("#version 330");
  imgui_ready_ = true;
  return true;
}

GlWindow::~GlWindow() {
  if (imgui_ready_) {
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplGlfw_Shutdown();
    ImGui::DestroyContext();
  }
  if (window_) glfwDestroyWindow(window_);
  glfwTerminate();
}

bool GlWindow::Frame(const std::function<void()>& draw) {
  if (glfwWindowShouldClose(window_)) return false;
  glfwPollEvents();
  ImGui_ImplOpenGL3_NewFrame();
  ImGui_ImplGlfw_NewFrame();
  ImGui::NewFrame();
  draw();
  // The panel runs the person's input of the frame in here (and may lend
  // itself frames of this window meanwhile): the draw data to show is the
  // context's latest.
  ImGui::Render();
  glfwGetFramebufferSize(window_, &width_, &height_);
  glViewport(0, 0, width_, height_);
  glClearColor(0.9f, 0.9f, 0.9f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
  glfwSwapBuffers(window_);
  return true;
}

bool GlWindow::Screenshot(const std::string& path) {
  // The frame just shown is in the front buffer; draw it once more into
  // the back buffer and read that.
  glClearColor(0.9f, 0.9f, 0.9f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width_) * height_ * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  // OpenGL's rows run bottom to top.
  stbi_flip_vertically_on_write(1);
  return stbi_write_png(path.c_str(), width_, height_, 4, pixels.data(),
                        width_ * 4) != 0;
}

void RunUnderXvfbWhenHeadless(int argc, char** argv) {
  if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) return;
  // Once is enough: under xvfb-run there is a display.
  if (std::getenv("MORVEL_UNDER_XVFB")) return;
  setenv("MORVEL_UNDER_XVFB", "1", 1);
  std::vector<char*> args = {const_cast<char*>("xvfb-run"),
                             const_cast<char*>("-a"),
                             const_cast<char*>("-s"),
                             const_cast<char*>("-screen 0 1600x1000x24")};
  for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  execvp("xvfb-run", args.data());
  // Not there: go on and say why a window cannot be had.
}

}  // namespace morvel::imgui_demo
