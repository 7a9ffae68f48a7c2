# Makes the Debian packages of the build in BUILD_DIR with `cpack -G DEB`
# into WORK_DIR and checks what each holds: the core package the static
# library, exactly the public headers and the CMake package; the Qt package
# (WITH_QT) the adapter library, its header and its CMake targets; the
# ImGui package (WITH_IMGUI) likewise, with how to find ImGui again.
# Nothing else: no tools, no test helpers, no implementation headers.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR WORK_DIR PUBLIC_HEADERS)
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
set(core lib/libMorvelProperties.a
         ${cmake_dir}/MorvelPropertiesConfig.cmake
         ${cmake_dir}/MorvelPropertiesConfigVersion.cmake
         ${cmake_dir}/MorvelPropertiesTargets.cmake)
foreach(header ${PUBLIC_HEADERS})
  list(APPEND core include/morvel/${header})
endforeach()
file(GLOB per_config ${BUILD_DIR}/CMakeFiles/Export/*/MorvelPropertiesTargets-*.cmake)
foreach(file ${per_config})
  get_filename_component(file ${file} NAME)
  list(APPEND core ${cmake_dir}/${file})
endforeach()
expect_files(libmorvelproperties-dev "${core}")

# A front end's package: its library, its headers and its CMake files.
function(expect_front_end name library export)
  set(files lib/${library} ${cmake_dir}/Morvel${export}Targets.cmake ${ARGN})
  file(GLOB per_config
       ${BUILD_DIR}/CMakeFiles/Export/*/Morvel${export}Targets-*.cmake)
  foreach(file ${per_config})
    get_filename_component(file ${file} NAME)
    list(APPEND files ${cmake_dir}/${file})
  endforeach()
  expect_files(${name} "${files}")
endfunction()

set(qt_headers "")
foreach(header ${PUBLIC_QT_HEADERS})
  list(APPEND qt_headers include/morvel/${header})
endforeach()
set(imgui_headers "")
foreach(header ${PUBLIC_IMGUI_HEADERS})
  list(APPEND imgui_headers include/morvel/${header})
endforeach()
if(WITH_QT)
  expect_front_end(libmorvelproperties-qt-dev libmorvel_qt.a PropertiesQt
                   ${qt_headers})
endif()
if(WITH_IMGUI)
  expect_front_end(libmorvelproperties-imgui-dev libmorvel_imgui.a
                   PropertiesImGui ${imgui_headers} ${cmake_dir}/MorvelImGui.cmake)
endif()
