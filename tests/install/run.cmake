# Installs the build in BUILD_DIR into a scratch prefix under WORK_DIR, checks
# the installed headers, then configures, builds and runs hosts against it
# with find_package(MorvelProperties) (hosts.cmake): with WITH_QT off, the
# core component alone and the core host in consumer/; with WITH_QT on,
# every component and the Qt hosts (the small one in qt_consumer/, the
# documented one in examples/qt_host/, the foreign one in
# examples/foreign_host/); with WITH_IMGUI on, the core and ImGui
# components and the ImGui host in imgui_consumer/. Any failing step fails
# the test.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR WORK_DIR SOURCE_DIR PUBLIC_HEADERS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run.cmake needs -D${var}=...")
  endif()
endforeach()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(install_component component)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR}
                          --prefix ${prefix} --component ${component}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing ${component} failed (${result}):\n"
                        "${out}\n${err}")
  endif()
endfunction()

set(headers ${PUBLIC_HEADERS})
install_component(MorvelProperties)
if(WITH_QT)
  install_component(Qt)
  install_component(Scene)
  list(APPEND headers ${PUBLIC_QT_HEADERS} ${PUBLIC_SCENE_HEADERS})
endif()
if(WITH_IMGUI)
  install_component(ImGui)
  list(APPEND headers ${PUBLIC_IMGUI_HEADERS})
endif()

# Exactly the public headers, and each of them complete: everything a
# public header includes is installed too.
include(${SOURCE_DIR}/tests/install/headers.cmake)
check_installed_headers(${prefix}/include/morvel "${headers}")

include(${SOURCE_DIR}/tests/install/hosts.cmake)
build_and_run_hosts(${prefix})
