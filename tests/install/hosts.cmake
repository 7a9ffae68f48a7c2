# build_and_run_host(NAME SOURCE PREFIX EXPECT [ARGS a...] [EXIT_CODE n]):
# configures the host project in SOURCE against the package installed under
# PREFIX (find_package, as a host outside this tree does), builds it into
# WORK_DIR/NAME, runs its executable NAME with ARGS and checks that it ends
# with EXIT_CODE (0 by default) and prints something matching EXPECT on its
# standard output or error. The compiler and flags of the build under test
# (CXX_COMPILER, CXX_FLAGS, LINKER_FLAGS, BUILD_TYPE) are used when set, so
# a sanitizer build tries its own libraries.
function(build_and_run_host name source prefix expect)
  cmake_parse_arguments(ARG "" "EXIT_CODE" "ARGS" ${ARGN})
  if(NOT DEFINED ARG_EXIT_CODE)
    set(ARG_EXIT_CODE 0)
  endif()
  set(build ${WORK_DIR}/${name})
  set(configure_args -S ${source} -B ${build} -DCMAKE_PREFIX_PATH=${prefix})
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
  foreach(step configure build run)
    if(step STREQUAL "configure")
      set(command ${CMAKE_COMMAND} ${configure_args})
    elseif(step STREQUAL "build")
      set(command ${CMAKE_COMMAND} --build ${build})
    else()
      set(command ${build}/${name} ${ARG_ARGS})
    endif()
    execute_process(COMMAND ${command} RESULT_VARIABLE result
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(wanted 0)
    if(step STREQUAL "run")
      set(wanted ${ARG_EXIT_CODE})
    endif()
    if(NOT result STREQUAL wanted)
      message(FATAL_ERROR "${step} ${name} failed (${result}, not ${wanted}):\n"
                          "${out}\n${err}")
    endif()
  endforeach()
  if(NOT "${out}${err}" MATCHES "${expect}")
    message(FATAL_ERROR "${name} did not say \"${expect}\":\n${out}\n${err}")
  endif()
  message(STATUS "${name} against ${prefix}: ok")
endfunction()

# The hosts a package is tried with: the core host alone, or (WITH_IMGUI)
# the ImGui host on a context without a window, and (WITH_QT) the small Qt
# host, the documented Qt host over the reference scene graph and the
# foreign host over its own document.
function(build_and_run_hosts prefix)
  if(NOT WITH_QT AND NOT WITH_IMGUI)
    build_and_run_host(minimal_host ${SOURCE_DIR}/tests/install/consumer
                       ${prefix} "minimal host: ok")
    return()
  endif()
  if(WITH_IMGUI)
    build_and_run_host(imgui_host ${SOURCE_DIR}/tests/install/imgui_consumer
                       ${prefix} "imgui host: ok")
  endif()
  if(NOT WITH_QT)
    return()
  endif()
  build_and_run_host(qt_consumer ${SOURCE_DIR}/tests/install/qt_consumer
                     ${prefix} "qt host: ok")
  build_and_run_host(qt_host ${SOURCE_DIR}/examples/qt_host ${prefix}
                     "usage: qt_host SCENE.json" EXIT_CODE 2)
  build_and_run_host(foreign_host ${SOURCE_DIR}/examples/foreign_host
                     ${prefix} "foreign host: ok"
                     ARGS --screenshot ${WORK_DIR}/foreign_host.png)
  if(NOT EXISTS ${WORK_DIR}/foreign_host.png)
    message(FATAL_ERROR "the foreign host drew no picture")
  endif()
endfunction()
