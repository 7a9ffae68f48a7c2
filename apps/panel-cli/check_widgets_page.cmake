# The page PAGE is exactly what TOOL prints for `widgets --markdown`.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${TOOL} widgets --markdown
                RESULT_VARIABLE result OUTPUT_VARIABLE generated)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "morvel-panel widgets --markdown failed (${result})")
endif()
file(READ ${PAGE} page)
if(NOT page STREQUAL generated)
  message(FATAL_ERROR "${PAGE} is not what the layout tables give: run\n"
                      "  build/bin/morvel-panel widgets --markdown > docs/widgets.md")
endif()
