# Installs the build in BUILD_DIR into a scratch prefix under WORK_DIR, then
# configures, builds and runs the host in CONSUMER_DIR against it with
# find_package(MorvelProperties). Any failing step fails the test.
foreach(var BUILD_DIR WORK_DIR CONSUMER_DIR)
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

run_step("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
         --component MorvelProperties)

foreach(expected
    include/morvel/panel/properties.h
    include/morvel/scene/scene_graph.h
    include/morvel/warn/frm_warn.h)
  if(NOT EXISTS ${prefix}/${expected})
    message(FATAL_ERROR "not installed: ${expected}")
  endif()
endforeach()
file(GLOB_RECURSE leaked ${prefix}/include/*_testing.h ${prefix}/include/*_harness.h)
if(leaked)
  message(FATAL_ERROR "test helpers installed: ${leaked}")
endif()

set(configure_args -S ${CONSUMER_DIR} -B ${consumer_build}
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
run_step("run the host" ${consumer_build}/minimal_host)
if(NOT step_output MATCHES "minimal host: ok")
  message(FATAL_ERROR "the host did not finish:\n${step_output}")
endif()
