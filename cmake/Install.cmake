# Installing the core library for hosts that embed the panel:
#   cmake --install build --prefix /opt/morvel
# puts the static library in lib/, the headers in include/morvel/ and a CMake
# package in lib/cmake/MorvelProperties/, so that a host writes
#   find_package(MorvelProperties REQUIRED)
#   target_link_libraries(my_host PRIVATE Morvel::Properties)
# The reference scene graph, the Qt adapter and the tools are not part of it;
# `--component MorvelProperties` installs only the library's own files.
include_guard(GLOBAL)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MORVEL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/MorvelProperties)

# Inside the build it is MorvelProperties (alias Morvel::Properties); the
# installed package exports the same name.
set_target_properties(MorvelProperties PROPERTIES EXPORT_NAME Properties)

install(TARGETS MorvelProperties
        EXPORT MorvelPropertiesTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT MorvelProperties
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT MorvelProperties
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT MorvelProperties
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/morvel)

# The headers of the core's folders, in the layout the includes use
# ("panel/properties.h"). Test helpers stay behind.
foreach(dir base platform widgets scene panel warn
            sections/common sections/shape sections/materials sections/group
            sections/light sections/camera sections/bone)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/src/${dir})
    install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/src/${dir}/
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/morvel/${dir}
            COMPONENT MorvelProperties
            FILES_MATCHING PATTERN "*.h"
            PATTERN "*_testing.h" EXCLUDE
            PATTERN "*_harness.h" EXCLUDE
            PATTERN "test_*.h" EXCLUDE)
  endif()
endforeach()

install(EXPORT MorvelPropertiesTargets
        NAMESPACE Morvel::
        FILE MorvelPropertiesTargets.cmake
        DESTINATION ${MORVEL_INSTALL_CMAKEDIR}
        COMPONENT MorvelProperties)

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

# The package works from outside: install into a scratch prefix, then
# configure, build and run a small host that finds it with find_package.
if(MORVEL_BUILD_TESTS AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/run.cmake)
  add_test(NAME install.find_package
           COMMAND ${CMAKE_COMMAND}
                   -DBUILD_DIR=${CMAKE_BINARY_DIR}
                   -DWORK_DIR=${CMAKE_BINARY_DIR}/install-test
                   -DCONSUMER_DIR=${CMAKE_CURRENT_SOURCE_DIR}/tests/install/consumer
                   -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
                   "-DCXX_FLAGS=${CMAKE_CXX_FLAGS}"
                   "-DLINKER_FLAGS=${CMAKE_EXE_LINKER_FLAGS}"
                   -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/run.cmake)
  set_tests_properties(install.find_package PROPERTIES LABELS install
                       TIMEOUT 600)
endif()
