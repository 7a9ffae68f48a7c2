# Installs the build in BUILD_DIR into a scratch prefix under WORK_DIR, checks
# the installed headers, then configures, builds and runs a host against it
# with find_package(MorvelProperties): the core host in consumer/ (the
# core component alone is installed), the Qt host in qt_consumer/ (WITH_QT
# on: the core and Qt components) or the ImGui host in imgui_consumer/
# (WITH_IMGUI on: the core and ImGui components). Any failing step fails
# the test.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR WORK_DIR SOURCE_DIR PUBLIC_HEADERS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run.cmake needs -D${var}=...")
  endif()
endforeach()

set(prefix ${WORK_DIR}/prefix)
set(consumer_build ${WORK_DIR}/consumer)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}\n${err}")
  endif()
  message(STATUS "${what}: ok")
  set(step_output "${out}" PARENT_SCOPE)
endfunction()

set(headers ${PUBLIC_HEADERS})
run_step("install the core" ${CMAKE_COMMAND} --install ${BUILD_DIR}
         --prefix ${prefix} --component MorvelProperties)
# A front end's component on top, and its host: Qt's in qt_consumer/, ImGui's
# in imgui_consumer/.
foreach(front_end Qt ImGui)
  string(TOUPPER ${front_end} upper)
  string(TOLOWER ${front_end} lower)
  if(NOT WITH_${upper} OR consumer_dir)
    continue()
  endif()
  run_step("install the ${front_end} component" ${CMAKE_COMMAND} --install
           ${BUILD_DIR} --prefix ${prefix} --component ${front_end})
  list(APPEND headers ${PUBLIC_${upper}_HEADERS})
  set(consumer_dir ${SOURCE_DIR}/tests/install/${lower}_consumer)
  set(host ${lower}_host)
endforeach()
if(NOT consumer_dir)
  set(consumer_dir ${SOURCE_DIR}/tests/install/consumer)
  set(host minimal_host)
endif()

# Exactly the public headers, and each of them complete: everything a
# public header includes is installed too.
include(${SOURCE_DIR}/tests/install/headers.cmake)
check_installed_headers(${prefix}/include/morvel "${headers}")

set(configure_args -S ${consumer_dir} -B ${consumer_build}
    -DCMAKE_PREFIX_PATH=${prefix})
if(CXX_COMPILER)
  list(APPEND configure_args -DCMAKE_CXX_COMPILER=${CXX_COMPILER})
endif()
if(CXX_FLAGS)
  list(APPEND configure_args "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}")
endif()
if(LINKER_FLAGS)
  list(APPEND configure_args "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
endif()
if(BUILD_TYPE)
  list(APPEND configure_args -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
endif()
run_step("configure the host" ${CMAKE_COMMAND} ${configure_args})
run_step("build the host" ${CMAKE_COMMAND} --build ${consumer_build})
run_step("run the host" ${consumer_build}/${host})
if(NOT step_output MATCHES "(minimal|qt|imgui) host: ok")
  message(FATAL_ERROR "the host did not finish:\n${step_output}")
endif()
