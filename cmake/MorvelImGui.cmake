# Finds Dear ImGui for the ImGui component: a CMake package (vcpkg, Conan:
# imgui::imgui) or pkg-config (Debian's libimgui-dev, whose imgui.pc also
# brings stb), and stb_image for the map thumbnails. Defines the imported
# target MorvelImGui::imgui that Morvel::PropertiesImGui links; the installed
# package includes this file again, so a consumer finds the same library.
include_guard(GLOBAL)

if(NOT TARGET MorvelImGui::imgui)
  find_package(imgui CONFIG QUIET)
  if(TARGET imgui::imgui)
    set(morvel_imgui_target imgui::imgui)
  else()
    find_package(PkgConfig QUIET)
    if(PkgConfig_FOUND)
      pkg_check_modules(MORVEL_IMGUI QUIET IMPORTED_TARGET GLOBAL imgui)
      pkg_check_modules(MORVEL_STB QUIET IMPORTED_TARGET GLOBAL stb)
    endif()
    if(TARGET PkgConfig::MORVEL_IMGUI)
      set(morvel_imgui_target PkgConfig::MORVEL_IMGUI)
    endif()
  endif()
  if(morvel_imgui_target)
    add_library(MorvelImGui::imgui INTERFACE IMPORTED GLOBAL)
    target_link_libraries(MorvelImGui::imgui INTERFACE ${morvel_imgui_target})
    if(TARGET PkgConfig::MORVEL_STB)
      target_link_libraries(MorvelImGui::imgui INTERFACE PkgConfig::MORVEL_STB)
    endif()
  endif()
endif()
