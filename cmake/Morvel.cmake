# Helpers shared by every folder's CMakeLists.txt.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/MorvelLayout.cmake)

# Our own targets build warning-free. The fuzz preset builds the whole
# library with clang, whose warnings are not GCC's; there they stay warnings.
option(MORVEL_WERROR "Treat compiler warnings as errors" ON)
function(morvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(MORVEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 reports a false -Wrestrict inside std::string's own copy at -O3
  # (GCC bug 105329); keep it a warning so Release builds still pass.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-error=restrict)
  endif()
endfunction()

# morvel_add_test(NAME [QT] SOURCES a_test.cc ... [LIBS lib ...]
#                 [RANDOM_USER a_test.cc ...])
# One GoogleTest executable per folder; each test case becomes a CTest test.
# QT: real Qt widgets and events with no display, each case run on the
# offscreen platform (labelled qt). RANDOM_USER sources are built in where
# the random user is.
function(morvel_add_test name)
  if(NOT MORVEL_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;RANDOM_USER" ${ARGN})
  if(ARG_QT)
    find_package(Qt6 6.4 COMPONENTS Test REQUIRED)
    add_executable(${name} ${MorvelProperties_SOURCE_DIR}/src/qt/qt_test_main.cc
                   ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test GTest::gmock GTest::gtest)
    target_compile_definitions(${name} PRIVATE
                               MORVEL_SOURCE_DIR="${MorvelProperties_SOURCE_DIR}")
    set(properties LABELS qt ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  else()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    set(properties LABELS unit)
  endif()
  if(ARG_RANDOM_USER AND TARGET morvel_random_user)
    target_sources(${name} PRIVATE ${ARG_RANDOM_USER})
    target_link_libraries(${name} PRIVATE morvel_random_user)
  endif()
  morvel_warnings(${name})
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()

# morvel_example_host(TARGET GUIDE LABEL [ENVIRONMENT var=value ...])
# The host an embedding guide (docs/GUIDE.md) shows, built warning-free so
# that the guide's code keeps compiling. With the tests: the guide shows the
# host's main.cc as it is (docs.GUIDE_example, dashes as underscores), and
# without a scene the host says how it is used and stops
# (examples.TARGET_usage, labelled LABEL, run with ENVIRONMENT).
function(morvel_example_host target guide label)
  cmake_parse_arguments(ARG "" "" "ENVIRONMENT" ${ARGN})
  morvel_warnings(${target})
  if(NOT MORVEL_BUILD_TESTS)
    return()
  endif()
  string(REPLACE "-" "_" guide_test docs.${guide}_example)
  add_test(NAME ${guide_test}
           COMMAND ${CMAKE_COMMAND}
                   -DGUIDE=${MorvelProperties_SOURCE_DIR}/docs/${guide}.md
                   -DCODE=${CMAKE_CURRENT_SOURCE_DIR}/main.cc
                   -P ${MorvelProperties_SOURCE_DIR}/examples/qt_host/check_guide.cmake)
  set_tests_properties(${guide_test} PROPERTIES LABELS docs)
  add_test(NAME examples.${target}_usage COMMAND ${target})
  set_tests_properties(examples.${target}_usage PROPERTIES
                       LABELS ${label} WILL_FAIL TRUE)
  if(ARG_ENVIRONMENT)
    set_tests_properties(examples.${target}_usage PROPERTIES
                         ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
endfunction()
