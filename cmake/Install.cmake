# Installing the library for hosts that embed the panel:
#   cmake --install build --prefix /opt/morvel
# puts the static libraries in lib/, the public headers in include/morvel/
# and a CMake package in lib/cmake/MorvelProperties/, so that a host writes
#   find_package(MorvelProperties REQUIRED)                 # the core
#   target_link_libraries(my_host PRIVATE Morvel::Properties)
# or, for a Qt host,
#   find_package(MorvelProperties REQUIRED COMPONENTS Qt)
#   target_link_libraries(my_host PRIVATE Morvel::PropertiesQt)
# Two install components: MorvelProperties (the core, standard library only)
# and Qt (the Qt adapter, when it was built). `--component MorvelProperties`
# installs the core alone. `cpack -G DEB` (in the build folder) makes one
# Debian package of each. The reference scene graph and the tools are not
# part of the package.
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
  panel/properties.h
  host/scene_services.h
  platform/headless.h
  platform/platform.h
  platform/settings_store.h
  scene/applier.h
  scene/scene.h
  scene/scene_graph.h
  scene/types.h
  scene/utilities.h
  warn/frm_warn.h
  widgets/widget.h)
set(MORVEL_PUBLIC_QT_HEADERS
  qt/choosers.h
  qt/properties_widget.h)

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

# The Qt component: the adapter library (Morvel::PropertiesQt) and its
# public headers: the widget, and its choosers a host's tests script. It
# needs Qt 6 Widgets in the host too.
if(TARGET morvel_qt)
  set_target_properties(morvel_qt PROPERTIES EXPORT_NAME PropertiesQt)
  install(TARGETS morvel_qt
          EXPORT MorvelPropertiesQtTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Qt
          INCLUDES DESTINATION ${MORVEL_INSTALL_INCLUDEDIR})
  morvel_install_headers(Qt ${MORVEL_PUBLIC_QT_HEADERS})
  install(EXPORT MorvelPropertiesQtTargets
          NAMESPACE Morvel::
          FILE MorvelPropertiesQtTargets.cmake
          DESTINATION ${MORVEL_INSTALL_CMAKEDIR}
          COMPONENT Qt)
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
# `cpack -G DEB` in the build folder: libmorvelproperties-dev (the core) and,
# when the adapter was built, libmorvelproperties-qt-dev (depending on the
# core package and on Qt's development package).
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
set(CPACK_COMPONENTS_ALL MorvelProperties)
if(TARGET morvel_qt)
  list(APPEND CPACK_COMPONENTS_ALL Qt)
endif()
include(CPack)
cpack_add_component(MorvelProperties
  DISPLAY_NAME "MorvelProperties"
  DESCRIPTION "The property panel: static library, headers, CMake package")
cpack_add_component(Qt
  DISPLAY_NAME "MorvelProperties Qt adapter"
  DESCRIPTION "PropertiesWidget, the panel as one Qt 6 widget"
  DEPENDS MorvelProperties)

# ------------------------------------------------------------------- tests
# The package works from outside: install into a scratch prefix, then
# configure, build and run small hosts that find it with find_package: the
# core alone, and (when the adapter was built) a Qt host offscreen. The
# Debian packages are made and their file lists checked.
if(MORVEL_BUILD_TESTS AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/run.cmake)
  set(morvel_install_test_args
      -DBUILD_DIR=${CMAKE_BINARY_DIR}
      -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
      -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
      "-DCXX_FLAGS=${CMAKE_CXX_FLAGS}"
      "-DLINKER_FLAGS=${CMAKE_EXE_LINKER_FLAGS}"
      -DBUILD_TYPE=${CMAKE_BUILD_TYPE})
  add_test(NAME install.find_package
           COMMAND ${CMAKE_COMMAND} ${morvel_install_test_args}
                   -DWORK_DIR=${CMAKE_BINARY_DIR}/install-test
                   -DWITH_QT=OFF
                   "-DPUBLIC_HEADERS=${MORVEL_PUBLIC_HEADERS}"
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/run.cmake)
  set_tests_properties(install.find_package PROPERTIES LABELS install
                       TIMEOUT 600)
  if(TARGET morvel_qt)
    add_test(NAME install.find_package_qt
             COMMAND ${CMAKE_COMMAND} ${morvel_install_test_args}
                     -DWORK_DIR=${CMAKE_BINARY_DIR}/install-test-qt
                     -DWITH_QT=ON
                     "-DPUBLIC_HEADERS=${MORVEL_PUBLIC_HEADERS}"
                     "-DPUBLIC_QT_HEADERS=${MORVEL_PUBLIC_QT_HEADERS}"
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/run.cmake)
    set_tests_properties(install.find_package_qt PROPERTIES
                         LABELS "install;qt" TIMEOUT 600
                         ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  add_test(NAME install.deb
           COMMAND ${CMAKE_COMMAND}
                   -DBUILD_DIR=${CMAKE_BINARY_DIR}
                   -DWORK_DIR=${CMAKE_BINARY_DIR}/install-test-deb
                   -DWITH_QT=$<TARGET_EXISTS:morvel_qt>
                   "-DPUBLIC_HEADERS=${MORVEL_PUBLIC_HEADERS}"
                   "-DPUBLIC_QT_HEADERS=${MORVEL_PUBLIC_QT_HEADERS}"
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/deb.cmake)
  set_tests_properties(install.deb PROPERTIES LABELS install TIMEOUT 600)
endif()
