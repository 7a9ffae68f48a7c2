# Makes the Debian packages of the build in BUILD_DIR with `cpack -G DEB`
# into WORK_DIR and checks what each holds: the core package the static
# library, exactly the public headers and the CMake package; the Qt package
# (WITH_QT) the adapter library, its header and its CMake targets; the Scene
# package the reference scene graph's library, headers and targets; the
# ImGui package (WITH_IMGUI) its library, headers, targets and how to find
# Dear ImGui again. Nothing
# else: no tools, no test helpers, no implementation headers. Then the
# packages are unpacked together, as installing them would lay them out,
# and the hosts of hosts.cmake are built and run against them.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR WORK_DIR SOURCE_DIR PUBLIC_HEADERS PUBLIC_SCENE_HEADERS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "deb.cmake needs -D${var}=...")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake
                        -B ${WORK_DIR}
                WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${out}\n${err}")
endif()

# The files of a package, as dpkg lists them, without the folders.
function(package_files name out_var)
  file(GLOB deb ${WORK_DIR}/${name}_*.deb)
  list(LENGTH deb count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one ${name} package, found: ${deb}")
  endif()
  execute_process(COMMAND dpkg-deb --contents ${deb}
                  RESULT_VARIABLE result OUTPUT_VARIABLE listing)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb cannot read ${deb}")
  endif()
  string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" lines "${listing}")
  set(files "")
  foreach(line ${lines})
    string(STRIP "${line}" line)
    string(REGEX REPLACE "^\\./usr/" "" line "${line}")
    list(APPEND files ${line})
  endforeach()
  list(SORT files)
  set(${out_var} ${files} PARENT_SCOPE)
endfunction()

function(expect_files name expected)
  package_files(${name} files)
  list(SORT expected)
  if(NOT files STREQUAL expected)
    string(REPLACE ";" "\n  " shown "${files}")
    string(REPLACE ";" "\n  " wanted "${expected}")
    message(FATAL_ERROR "${name} holds:\n  ${shown}\nexpected:\n  ${wanted}")
  endif()
  message(STATUS "${name}: ok")
endfunction()

set(cmake_dir lib/cmake/MorvelProperties)

# expect_package(NAME TARGETS HEADERS FILE...): package NAME holds FILEs,
# the public HEADERS and the targets file TARGETS with its per-configuration
# companions, and nothing else.
function(expect_package name targets headers)
  set(files ${ARGN} ${cmake_dir}/${targets}.cmake)
  foreach(header ${headers})
    list(APPEND files include/morvel/${header})
  endforeach()
  file(GLOB per_config ${BUILD_DIR}/CMakeFiles/Export/*/${targets}-*.cmake)
  foreach(file ${per_config})
    get_filename_component(file ${file} NAME)
    list(APPEND files ${cmake_dir}/${file})
  endforeach()
  expect_files(${name} "${files}")
endfunction()

expect_package(libmorvelproperties-dev MorvelPropertiesTargets
               "${PUBLIC_HEADERS}" lib/libMorvelProperties.a
               ${cmake_dir}/MorvelPropertiesConfig.cmake
               ${cmake_dir}/MorvelPropertiesConfigVersion.cmake)
if(WITH_QT)
  expect_package(libmorvelproperties-qt-dev MorvelPropertiesQtTargets
                 "${PUBLIC_QT_HEADERS}" lib/libmorvel_qt.a)
endif()
if(WITH_IMGUI)
  expect_package(libmorvelproperties-imgui-dev MorvelPropertiesImGuiTargets
                 "${PUBLIC_IMGUI_HEADERS}" lib/libmorvel_imgui.a
                 ${cmake_dir}/MorvelImGui.cmake)
endif()
expect_package(libmorvelproperties-scene-dev MorvelPropertiesSceneTargets
               "${PUBLIC_SCENE_HEADERS}" lib/libmorvel_memscene.a)

set(root ${WORK_DIR}/root)
file(GLOB debs ${WORK_DIR}/*.deb)
foreach(deb ${debs})
  execute_process(COMMAND dpkg-deb -x ${deb} ${root} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb cannot unpack ${deb}")
  endif()
endforeach()
include(${SOURCE_DIR}/tests/install/hosts.cmake)
build_and_run_hosts(${root}/usr)
