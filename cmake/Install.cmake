# Installing the library for hosts that embed the panel:
#   cmake --install build --prefix /opt/morvel
# puts the static libraries in lib/, the public headers in include/morvel/
# and a CMake package in lib/cmake/MorvelProperties/, so that a host writes
#   find_package(MorvelProperties REQUIRED)                 # the core
#   target_link_libraries(my_host PRIVATE Morvel::Properties)
# or, for a Qt host,
#   find_package(MorvelProperties REQUIRED COMPONENTS Qt)
#   target_link_libraries(my_host PRIVATE Morvel::PropertiesQt)
# or, for a Dear ImGui host,
#   find_package(MorvelProperties REQUIRED COMPONENTS ImGui)
#   target_link_libraries(my_host PRIVATE Morvel::PropertiesImGui)
# and, for a host that starts from the reference scene graph,
#   find_package(MorvelProperties REQUIRED COMPONENTS Scene)
#   target_link_libraries(my_host PRIVATE Morvel::Scene)
# Install components: MorvelProperties (the core, standard library only),
# Qt and ImGui (the front ends, when they were built) and Scene (the
# reference scene graph with its JSON scene files; needs nlohmann-json in
# the host too). `--component MorvelProperties` installs the core alone.
# `cpack -G DEB` (in the build folder) makes one Debian package of each.
# The tools are not part of the package.
include_guard(GLOBAL)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MORVEL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/MorvelProperties)
set(MORVEL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/morvel)

# The public headers: what a host includes to embed the panel, and what
# those include in turn (tests/install checks that the set is closed). The
# panel's implementation, its sections and the test helpers stay behind.
set(MORVEL_PUBLIC_HEADERS
  base/error.h
  base/types.h
  host/host_interface.h
  host/reference_utilities.h
  host/scene_services.h
  host/selection_rules.h
  panel/properties.h
  pictures/pixels.h
  platform/headless.h
  platform/platform.h
  platform/settings_store.h
  scene/applier.h
  scene/scene.h
  scene/scene_bases.h
  scene/scene_graph.h
  scene/types.h
  scene/utilities.h
  warn/frm_warn.h
  widgets/widget.h)
set(MORVEL_PUBLIC_QT_HEADERS
  qt/choosers.h
  qt/properties_widget.h)
set(MORVEL_PUBLIC_IMGUI_HEADERS
  imgui/frame_lender.h
  imgui/properties_panel.h
  imgui/texture_maker.h)

# Inside the build it is MorvelProperties (alias Morvel::Properties); the
# installed package exports the same name.
set_target_properties(MorvelProperties PROPERTIES EXPORT_NAME Properties)

install(TARGETS MorvelProperties
        EXPORT MorvelPropertiesTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT MorvelProperties
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT MorvelProperties
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT MorvelProperties
        INCLUDES DESTINATION ${MORVEL_INSTALL_INCLUDEDIR})

function(morvel_install_headers component)
  foreach(header ${ARGN})
    get_filename_component(dir ${header} DIRECTORY)
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/src/${header}
            DESTINATION ${MORVEL_INSTALL_INCLUDEDIR}/${dir}
            COMPONENT ${component})
  endforeach()
endfunction()
morvel_install_headers(MorvelProperties ${MORVEL_PUBLIC_HEADERS})

install(EXPORT MorvelPropertiesTargets
        NAMESPACE Morvel::
        FILE MorvelPropertiesTargets.cmake
        DESTINATION ${MORVEL_INSTALL_CMAKEDIR}
        COMPONENT MorvelProperties)

# morvel_install_component(TARGET EXPORT_NAME COMPONENT HEADERS h...
#                          [FILES f...]): a component beside the core: its
# static library (Morvel::EXPORT_NAME), its public headers, the CMake files
# its package needs besides its targets, and its own targets file, which the
# package config reads when the component is asked for.
function(morvel_install_component target export_name component)
  cmake_parse_arguments(ARG "" "" "HEADERS;FILES" ${ARGN})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${export_name})
  install(TARGETS ${target}
          EXPORT MorvelProperties${component}Targets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${component}
          INCLUDES DESTINATION ${MORVEL_INSTALL_INCLUDEDIR})
  morvel_install_headers(${component} ${ARG_HEADERS})
  if(ARG_FILES)
    install(FILES ${ARG_FILES} DESTINATION ${MORVEL_INSTALL_CMAKEDIR}
            COMPONENT ${component})
  endif()
  install(EXPORT MorvelProperties${component}Targets
          NAMESPACE Morvel::
          FILE MorvelProperties${component}Targets.cmake
          DESTINATION ${MORVEL_INSTALL_CMAKEDIR}
          COMPONENT ${component})
endfunction()

# The Qt component: the adapter library (Morvel::PropertiesQt) and its
# public headers: the widget, and its choosers a host's tests script. It
# needs Qt 6 Widgets in the host too.
if(TARGET morvel_qt)
  morvel_install_component(morvel_qt PropertiesQt Qt
                           HEADERS ${MORVEL_PUBLIC_QT_HEADERS})
endif()

# The ImGui component: the front end's library (Morvel::PropertiesImGui),
# its public headers, and how to find Dear ImGui again in the host.
if(TARGET morvel_imgui)
  morvel_install_component(morvel_imgui PropertiesImGui ImGui
                           HEADERS ${MORVEL_PUBLIC_IMGUI_HEADERS}
                           FILES ${CMAKE_CURRENT_LIST_DIR}/MorvelImGui.cmake)
endif()

# The Scene component: the reference scene graph (Morvel::Scene) and the
# headers a host needs to load, show, select and save its scenes. It needs
# nlohmann-json in the host too.
set(MORVEL_PUBLIC_SCENE_HEADERS
  memscene/host_rules.h
  memscene/mem_applier.h
  memscene/mem_scene_graph.h
  memscene/mem_utilities.h)
if(TARGET morvel_memscene)
  morvel_install_component(morvel_memscene Scene Scene
                           HEADERS ${MORVEL_PUBLIC_SCENE_HEADERS})
endif()

configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/MorvelPropertiesConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/MorvelPropertiesConfig.cmake
  INSTALL_DESTINATION ${MORVEL_INSTALL_CMAKEDIR})
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/MorvelPropertiesConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/MorvelPropertiesConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/MorvelPropertiesConfigVersion.cmake
        DESTINATION ${MORVEL_INSTALL_CMAKEDIR}
        COMPONENT MorvelProperties)

# ---------------------------------------------------------------- packages
# `cpack -G DEB` in the build folder: libmorvelproperties-dev (the core),
# for each front end that was built libmorvelproperties-qt-dev and
# libmorvelproperties-imgui-dev (depending on the core package and on the
# toolkit's development package), and libmorvelproperties-scene-dev (the
# reference scene graph, depending on the core package and on
# nlohmann-json's).
set(CPACK_PACKAGE_NAME "libmorvelproperties")
set(CPACK_PACKAGE_VENDOR "MorvelProperties")
set(CPACK_PACKAGE_CONTACT "MorvelProperties developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Embeddable property panel for 3D modelling and animation hosts")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_MORVELPROPERTIES_PACKAGE_NAME libmorvelproperties-dev)
set(CPACK_DEBIAN_QT_PACKAGE_NAME libmorvelproperties-qt-dev)
set(CPACK_DEBIAN_QT_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4)")
set(CPACK_DEBIAN_IMGUI_PACKAGE_NAME libmorvelproperties-imgui-dev)
set(CPACK_DEBIAN_IMGUI_PACKAGE_DEPENDS "libimgui-dev (>= 1.86)")
set(CPACK_DEBIAN_SCENE_PACKAGE_NAME libmorvelproperties-scene-dev)
set(CPACK_DEBIAN_SCENE_PACKAGE_DEPENDS "nlohmann-json3-dev (>= 3)")
set(CPACK_COMPONENTS_ALL MorvelProperties)
if(TARGET morvel_qt)
  list(APPEND CPACK_COMPONENTS_ALL Qt)
endif()
if(TARGET morvel_imgui)
  list(APPEND CPACK_COMPONENTS_ALL ImGui)
endif()
if(TARGET morvel_memscene)
  list(APPEND CPACK_COMPONENTS_ALL Scene)
endif()
include(CPack)
cpack_add_component(MorvelProperties
  DISPLAY_NAME "MorvelProperties"
  DESCRIPTION "The property panel: static library, headers, CMake package")
cpack_add_component(Qt
  DISPLAY_NAME "MorvelProperties Qt adapter"
  DESCRIPTION "PropertiesWidget, the panel as one Qt 6 widget"
  DEPENDS MorvelProperties)
cpack_add_component(ImGui
  DISPLAY_NAME "MorvelProperties Dear ImGui front end"
  DESCRIPTION "PropertiesPanel, the panel drawn once a frame in an ImGui host"
  DEPENDS MorvelProperties)
cpack_add_component(Scene
  DISPLAY_NAME "MorvelProperties reference scene graph"
  DESCRIPTION "MemSceneGraph: scenes in memory, JSON scene files, an applier"
  DEPENDS MorvelProperties)

# ------------------------------------------------------------------- tests
# The package works from outside: install into a scratch prefix, then
# configure, build and run hosts that find it with find_package: the core
# alone, (when the adapter was built) every component with the Qt hosts
# offscreen, the documented one and the foreign one among them, and (when
# the ImGui front end was built) an ImGui host on a context without a
# window. The Debian packages are made, their file lists checked, and the
# same hosts built against them unpacked.
if(MORVEL_BUILD_TESTS AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/run.cmake)
  # morvel_add_install_test(NAME SCRIPT WITH_QT WITH_IMGUI TIMEOUT): runs
  # the script of tests/install/ on this build, with the compiler and flags
  # of the build and the public header lists (each list whole, in one quoted
  # argument).
  function(morvel_add_install_test name script with_qt with_imgui timeout)
    add_test(NAME ${name}
             COMMAND ${CMAKE_COMMAND}
                     -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     -DWORK_DIR=${CMAKE_BINARY_DIR}/${name}
                     -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
                     -DWITH_QT=${with_qt}
                     -DWITH_IMGUI=${with_imgui}
                     -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
                     "-DCXX_FLAGS=${CMAKE_CXX_FLAGS}"
                     "-DLINKER_FLAGS=${CMAKE_EXE_LINKER_FLAGS}"
                     -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
                     "-DPUBLIC_HEADERS=${MORVEL_PUBLIC_HEADERS}"
                     "-DPUBLIC_QT_HEADERS=${MORVEL_PUBLIC_QT_HEADERS}"
                     "-DPUBLIC_IMGUI_HEADERS=${MORVEL_PUBLIC_IMGUI_HEADERS}"
                     "-DPUBLIC_SCENE_HEADERS=${MORVEL_PUBLIC_SCENE_HEADERS}"
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/${script})
    set_tests_properties(${name} PROPERTIES LABELS install TIMEOUT ${timeout}
                         ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endfunction()
  set(with_qt OFF)
  set(with_imgui OFF)
  if(TARGET morvel_qt)
    set(with_qt ON)
  endif()
  if(TARGET morvel_imgui)
    set(with_imgui ON)
  endif()
  morvel_add_install_test(install.find_package run.cmake OFF OFF 600)
  if(with_qt)
    morvel_add_install_test(install.find_package_qt run.cmake ON OFF 900)
  endif()
  if(with_imgui)
    morvel_add_install_test(install.find_package_imgui run.cmake OFF ON 600)
  endif()
  morvel_add_install_test(install.deb deb.cmake ${with_qt} ${with_imgui} 900)
endif()
