# Layout files: the widgets of a window or a section as the designer leaves
# them, as data (docs/layout-files.md). At configure time each file becomes
# a C++ source holding the WidgetSpec table the code builds its widgets
# from, so nothing parses layouts at run time and nothing but CMake is
# needed to read them.
#
#   morvel_layout(TARGET FILE FUNCTION)
#
# adds to TARGET a generated source that defines
#   std::span<const WidgetSpec> morvel::FUNCTION();
# over the widgets of FILE (relative to the calling folder). Editing FILE
# re-runs the configure step; a file that is not a layout file stops it with
# a message naming the file, the widget and the key.
#
# The keys a widget may have, their types, and which of them must be given,
# are read from the WidgetSpec declaration in src/widgets/widget.h, and the
# kinds from WidgetKind, so that a field or a kind added there is one that
# layout files can use, with no change here.
#
# The generator also runs as a script, which is how its tests call it:
#   cmake -DLAYOUT_FILE=a.layout.json -DLAYOUT_OUTPUT=a.cc
#         -DLAYOUT_FUNCTION=ALayout -P cmake/MorvelLayout.cmake
include_guard(GLOBAL)
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

set(MORVEL_LAYOUT_WIDGET_H ${CMAKE_CURRENT_LIST_DIR}/../src/widgets/widget.h)

# The declaration block of `what` ("enum class WidgetKind", "struct
# WidgetSpec") in widget.h, comments and line breaks removed.
function(_morvel_layout_declaration what out)
  file(READ ${MORVEL_LAYOUT_WIDGET_H} header)
  string(FIND "${header}" "${what} {" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "${MORVEL_LAYOUT_WIDGET_H}: no \"${what}\" to read layout files by")
  endif()
  string(SUBSTRING "${header}" ${start} -1 block)
  string(FIND "${block}" "\n};" end)
  string(SUBSTRING "${block}" 0 ${end} block)
  string(REGEX REPLACE "//[^\n]*" "" block "${block}")
  string(REPLACE "${what} {" "" block "${block}")
  string(REGEX REPLACE "[ \n]+" " " block "${block}")
  set(${out} "${block}" PARENT_SCOPE)
endfunction()

# MORVEL_LAYOUT_KINDS: the kind names ("Frame", "CheckBox", as the text dump
# prints them); MORVEL_LAYOUT_FIELDS: the WidgetSpec fields in declaration
# order, which designated initializers must keep; for each field F,
# MORVEL_LAYOUT_TYPE_F (kind, string, int, long, number, bool) and
# MORVEL_LAYOUT_REQUIRED_F (no default in the declaration).
function(_morvel_layout_read_declarations)
  _morvel_layout_declaration("enum class WidgetKind" kinds)
  string(REGEX MATCHALL "k[A-Za-z0-9]+" kinds "${kinds}")
  list(TRANSFORM kinds REPLACE "^k" "")
  set(MORVEL_LAYOUT_KINDS ${kinds} PARENT_SCOPE)

  # Each statement of the struct is one element of a CMake list.
  _morvel_layout_declaration("struct WidgetSpec" statements)
  set(fields)
  foreach(statement IN LISTS statements)
    string(STRIP "${statement}" statement)
    if(statement STREQUAL "")
      continue()
    endif()
    if(NOT statement MATCHES "^(WidgetKind|const char\\*|int|Long|double|bool) (.+)$")
      message(FATAL_ERROR "${MORVEL_LAYOUT_WIDGET_H}: layout files cannot give "
                          "the WidgetSpec field \"${statement}\" yet: teach "
                          "cmake/MorvelLayout.cmake its type")
    endif()
    set(cxx_types "WidgetKind" "const char*" "int" "Long" "double" "bool")
    set(layout_types kind string int long number bool)
    list(FIND cxx_types "${CMAKE_MATCH_1}" at)
    list(GET layout_types ${at} type)
    string(REPLACE "," ";" declarators "${CMAKE_MATCH_2}")
    foreach(declarator IN LISTS declarators)
      string(REGEX MATCH "^ *([A-Za-z_][A-Za-z0-9_]*) *(=?)" _ "${declarator}")
      list(APPEND fields ${CMAKE_MATCH_1})
      set(MORVEL_LAYOUT_TYPE_${CMAKE_MATCH_1} ${type} PARENT_SCOPE)
      if(CMAKE_MATCH_2 STREQUAL "")
        set(MORVEL_LAYOUT_REQUIRED_${CMAKE_MATCH_1} TRUE PARENT_SCOPE)
      else()
        set(MORVEL_LAYOUT_REQUIRED_${CMAKE_MATCH_1} FALSE PARENT_SCOPE)
      endif()
    endforeach()
  endforeach()
  set(MORVEL_LAYOUT_FIELDS ${fields} PARENT_SCOPE)
endfunction()

# `text` as the body of a C++ string literal.
function(_morvel_layout_cxx_string text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  # Other control characters as three-digit octal escapes, which, unlike
  # hexadecimal ones, never run on into the characters that follow.
  foreach(code RANGE 1 31)
    string(ASCII ${code} character)
    string(FIND "${text}" "${character}" at)
    if(NOT at EQUAL -1)
      math(EXPR high "${code} / 8")
      math(EXPR low "${code} % 8")
      string(REPLACE "${character}" "\\0${high}${low}" text "${text}")
    endif()
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The first key of the JSON object `json` that is not in the list `known`;
# `out` stays undefined when there is none.
function(_morvel_layout_unknown_key json known out)
  string(JSON count LENGTH "${json}")
  if(count EQUAL 0)
    return()
  endif()
  math(EXPR last "${count} - 1")
  foreach(member RANGE ${last})
    string(JSON key MEMBER "${json}" ${member})
    if(NOT key IN_LIST known)
      set(${out} "${key}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

# A JSON value of type `json_type` as the file shows it, for messages.
function(_morvel_layout_shown value json_type out)
  if(json_type STREQUAL "STRING")
    set(value "\"${value}\"")
  elseif(json_type STREQUAL "BOOLEAN")
    if(value)
      set(value true)
    else()
      set(value false)
    endif()
  elseif(json_type STREQUAL "NULL")
    set(value null)
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# The C++ initializer of widget `index` (the JSON object `widget`) of `file`.
function(_morvel_layout_widget file index widget out)
  string(JSON name ERROR_VARIABLE missing GET "${widget}" name)
  if(missing OR name STREQUAL "")
    set(where "${file}: widget ${index}")
  else()
    set(where "${file}: widget ${index} (${name})")
  endif()

  _morvel_layout_unknown_key("${widget}" "note;${MORVEL_LAYOUT_FIELDS}" key)
  if(DEFINED key)
    message(FATAL_ERROR "${where}: unknown key \"${key}\"")
  endif()
  string(JSON note_type ERROR_VARIABLE no_note TYPE "${widget}" note)
  if(NOT no_note AND NOT note_type STREQUAL "STRING")
    message(FATAL_ERROR "${where}: key \"note\": expects a string")
  endif()

  # Appended as text, not as a list: a caption may hold a semicolon.
  set(initializers "")
  foreach(field IN LISTS MORVEL_LAYOUT_FIELDS)
    string(JSON json_type ERROR_VARIABLE absent TYPE "${widget}" ${field})
    if(absent)
      if(MORVEL_LAYOUT_REQUIRED_${field})
        message(FATAL_ERROR "${where}: key \"${field}\" is missing")
      endif()
      continue()
    endif()
    string(JSON value GET "${widget}" ${field})
    set(type ${MORVEL_LAYOUT_TYPE_${field}})
    set(expected)
    if(type STREQUAL "string" OR type STREQUAL "kind")
      if(NOT json_type STREQUAL "STRING")
        set(expected "a string")
      elseif(MORVEL_LAYOUT_REQUIRED_${field} AND value STREQUAL "")
        message(FATAL_ERROR "${where}: key \"${field}\" is empty")
      endif()
    elseif(type STREQUAL "bool")
      if(NOT json_type STREQUAL "BOOLEAN")
        set(expected "true or false")
      endif()
    elseif(type STREQUAL "int" OR type STREQUAL "long")
      # Both are 32 bits wide (int, and Long which is std::int32_t).
      if(NOT json_type STREQUAL "NUMBER" OR NOT value MATCHES "^-?[0-9]+$")
        set(expected "a whole number")
      elseif(value LESS -2147483648 OR value GREATER 2147483647)
        message(FATAL_ERROR "${where}: key \"${field}\": ${value} is outside "
                            "-2147483648..2147483647")
      endif()
    elseif(NOT json_type STREQUAL "NUMBER")
      set(expected "a number")
    endif()
    if(expected)
      _morvel_layout_shown("${value}" ${json_type} shown)
      message(FATAL_ERROR "${where}: key \"${field}\": expects ${expected}, "
                          "found ${shown}")
    endif()

    if(type STREQUAL "kind")
      if(NOT value IN_LIST MORVEL_LAYOUT_KINDS)
        list(JOIN MORVEL_LAYOUT_KINDS ", " known)
        message(FATAL_ERROR "${where}: key \"kind\": unknown kind \"${value}\" "
                            "(one of ${known})")
      endif()
      set(value "WidgetKind::k${value}")
    elseif(type STREQUAL "string")
      _morvel_layout_cxx_string("${value}" value)
      set(value "\"${value}\"")
    elseif(type STREQUAL "bool")
      # C++ spells true and false as JSON does.
      _morvel_layout_shown("${value}" BOOLEAN value)
    endif()
    if(NOT initializers STREQUAL "")
      string(APPEND initializers ", ")
    endif()
    string(APPEND initializers ".${field} = ${value}")
  endforeach()
  set(${out} "    {${initializers}},\n" PARENT_SCOPE)
endfunction()

# Writes to `output` the C++ source of the layout file `file`, defining
# morvel::`function`(). The source is rewritten only when it changes, so
# that a configure run recompiles nothing it need not.
function(morvel_layout_generate file output function)
  _morvel_layout_read_declarations()
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "${file}: no such layout file")
  endif()
  file(READ "${file}" json)
  string(JSON top_type ERROR_VARIABLE error TYPE "${json}")
  if(error)
    # "failed parsing json string: * Line 1, Column 14\n  Syntax error: ..."
    string(STRIP "${error}" error)
    string(REGEX REPLACE "^failed parsing json string: \\* " "" error "${error}")
    string(REGEX REPLACE "\n *" ": " error "${error}")
    message(FATAL_ERROR "${file}: not valid JSON: ${error}")
  endif()
  if(NOT top_type STREQUAL "OBJECT")
    message(FATAL_ERROR "${file}: expects an object with \"widgets\" (and a \"note\")")
  endif()
  _morvel_layout_unknown_key("${json}" "note;widgets" key)
  if(DEFINED key)
    message(FATAL_ERROR "${file}: unknown key \"${key}\" (a layout file "
                        "has \"widgets\" and a \"note\")")
  endif()
  string(JSON widgets_type ERROR_VARIABLE error TYPE "${json}" widgets)
  if(error OR NOT widgets_type STREQUAL "ARRAY")
    message(FATAL_ERROR "${file}: key \"widgets\": expects a list of widgets")
  endif()

  set(table)
  string(JSON count LENGTH "${json}" widgets)
  if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(index RANGE ${last})
      # Each widget is taken out as a document of its own, since every JSON
      # query parses its whole document again: a widget's keys are then
      # looked up in a small one.
      string(JSON widget_type TYPE "${json}" widgets ${index})
      if(NOT widget_type STREQUAL "OBJECT")
        message(FATAL_ERROR "${file}: widget ${index}: expects an object")
      endif()
      string(JSON widget GET "${json}" widgets ${index})
      _morvel_layout_widget("${file}" ${index} "${widget}" initializer)
      string(APPEND table "${initializer}")
    endforeach()
  endif()

  if(PROJECT_SOURCE_DIR)
    file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${file})
  else()
    set(shown ${file})
  endif()
  set(source "// Generated from ${shown} by cmake/MorvelLayout.cmake:
// edit that file, not this one.
#include <span>

#include \"widgets/widget.h\"

namespace morvel {
namespace {

const WidgetSpec kLayout[] = {
${table}};

}  // namespace

std::span<const WidgetSpec> ${function}() { return kLayout; }

}  // namespace morvel
")
  if(EXISTS "${output}")
    file(READ "${output}" old)
    if(old STREQUAL source)
      return()
    endif()
  endif()
  file(WRITE "${output}" "${source}")
endfunction()

function(morvel_layout target file function)
  get_filename_component(file ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(name ${file} NAME)
  string(REGEX REPLACE "\\.json$" "" name "${name}")
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.cc)
  morvel_layout_generate(${file} ${output} ${function})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${file} ${MORVEL_LAYOUT_WIDGET_H})
  target_sources(${target} PRIVATE ${output})
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  get_filename_component(LAYOUT_FILE "${LAYOUT_FILE}" ABSOLUTE)
  get_filename_component(LAYOUT_OUTPUT "${LAYOUT_OUTPUT}" ABSOLUTE)
  morvel_layout_generate("${LAYOUT_FILE}" "${LAYOUT_OUTPUT}" "${LAYOUT_FUNCTION}")
endif()
