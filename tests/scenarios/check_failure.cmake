# Runs one scenario that must fail and checks that the runner says exactly
# what the scenario's first line promises:
#   # FAIL: line 7: expected widget chkCommonHide.Value = 1, found 0
# The runner must print "FAIL <file>: line 7: ...", close with
# "0 passed, 1 failed" and exit with status 1.
#
# cmake -DPANEL=<morvel-panel> -DSCENARIO=<file> -P check_failure.cmake
file(STRINGS ${SCENARIO} first_line LIMIT_COUNT 1)
string(REGEX MATCH "^# FAIL: (.*)$" matched "${first_line}")
if(NOT matched)
  message(FATAL_ERROR "${SCENARIO}: the first line must be \"# FAIL: line N: ...\"")
endif()
set(expected "FAIL ${SCENARIO}: ${CMAKE_MATCH_1}\n0 passed, 1 failed\n")

execute_process(COMMAND ${PANEL} run ${SCENARIO}
                OUTPUT_VARIABLE output
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "exit status ${status}, expected 1\n${output}${errors}")
endif()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "runner said:\n${output}\nexpected:\n${expected}")
endif()
message(STATUS "failed as expected: ${CMAKE_MATCH_1}")
