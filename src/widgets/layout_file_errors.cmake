# A layout file that is not one stops the build with a message that names
# the file, the widget and the key, and writes nothing; a good file passes.
# Each case below is a file's text and the message it must give (empty: the
# file is good).
#
# cmake -DWORK=<scratch folder> -P layout_file_errors.cmake
cmake_minimum_required(VERSION 3.25)
set(generator ${CMAKE_CURRENT_LIST_DIR}/../../cmake/MorvelLayout.cmake)
set(good [=[{"kind": "Frame", "name": "fraA"}]=])

file(MAKE_DIRECTORY ${WORK})
set(failures "")
set(judged 0)

# Runs the generator over `text` and notes in `failures` where it does not
# give the `expected` message.
function(judge name text expected)
  set(file ${WORK}/${name}.layout.json)
  set(output ${WORK}/${name}.cc)
  file(WRITE ${file} "${text}")
  file(REMOVE ${output})
  execute_process(COMMAND ${CMAKE_COMMAND} -DLAYOUT_FILE=${file}
                          -DLAYOUT_OUTPUT=${output} -DLAYOUT_FUNCTION=ALayout
                          -P ${generator}
                  RESULT_VARIABLE status ERROR_VARIABLE said OUTPUT_QUIET)
  # CMake wraps and indents its error messages.
  string(REGEX REPLACE "[ \n]+" " " said "${said}")
  if(expected STREQUAL "")
    if(NOT status EQUAL 0 OR NOT EXISTS ${output})
      string(APPEND failures "${name}: a good file was refused: ${said}\n")
    endif()
  elseif(status EQUAL 0)
    string(APPEND failures "${name}: accepted, expected \"${expected}\"\n")
  elseif(EXISTS ${output})
    string(APPEND failures "${name}: refused, but the table was written\n")
  else()
    string(FIND "${said}" "(message): ${file}: ${expected}" found)
    if(found EQUAL -1)
      string(APPEND failures
             "${name}: said\n  ${said}\nexpected\n  ${file}: ${expected}\n")
    endif()
  endif()
  math(EXPR judged "${judged} + 1")
  set(failures "${failures}" PARENT_SCOPE)
  set(judged ${judged} PARENT_SCOPE)
endfunction()

judge(good [=[{"note": "n", "widgets": [{"note": "m", "kind": "Label", "name": "a"}]}]=]
      "")
judge(no_widgets [=[{"note": "n", "widgets": []}]=]
      "")
judge(not_json [=[{"widgets": [}]=]
      "not valid JSON: Line 1, Column 14: Syntax error: value, object or array expected.")
judge(a_list [=[[]]=]
      "expects an object with \"widgets\" (and a \"note\")")
judge(unknown_top_key [=[{"widget": []}]=]
      "unknown key \"widget\" (a layout file has \"widgets\" and a \"note\")")
judge(widgets_not_a_list [=[{"widgets": {}}]=]
      "key \"widgets\": expects a list of widgets")
judge(widget_not_an_object "{\"widgets\": [${good}, 3]}"
      "widget 1: expects an object")
judge(unknown_key [=[{"widgets": [{"kind": "Label", "name": "lblA", "captoin": "A"}]}]=]
      "widget 0 (lblA): unknown key \"captoin\"")
judge(missing_name "{\"widgets\": [${good}, {\"kind\": \"Label\"}]}"
      "widget 1: key \"name\" is missing")
judge(empty_name [=[{"widgets": [{"kind": "Label", "name": ""}]}]=]
      "widget 0: key \"name\" is empty")
judge(missing_kind [=[{"widgets": [{"name": "lblA"}]}]=]
      "widget 0 (lblA): key \"kind\" is missing")
judge(unknown_kind [=[{"widgets": [{"kind": "Slidr", "name": "sldA"}]}]=]
      "widget 0 (sldA): key \"kind\": unknown kind \"Slidr\" (one of Form, Frame, Label, CheckBox, ComboBox, Button, PictureBox, Slider, UpDownText, TextField, TextBox, FlexGrid, ImageList)")
judge(kind_in_code_spelling [=[{"widgets": [{"kind": "kFrame", "name": "fraA"}]}]=]
      "widget 0 (fraA): key \"kind\": unknown kind \"kFrame\"")
judge(number_as_text [=[{"widgets": [{"kind": "Frame", "name": "fraA", "left": "120"}]}]=]
      "widget 0 (fraA): key \"left\": expects a whole number, found \"120\"")
judge(fraction [=[{"widgets": [{"kind": "Slider", "name": "sldA", "tick": 1.5}]}]=]
      "widget 0 (sldA): key \"tick\": expects a whole number, found 1.5")
judge(too_wide [=[{"widgets": [{"kind": "Frame", "name": "fraA", "width": 2147483648}]}]=]
      "widget 0 (fraA): key \"width\": 2147483648 is outside -2147483648..2147483647")
judge(index_as_bool [=[{"widgets": [{"kind": "Label", "name": "a", "index": true}]}]=]
      "widget 0 (a): key \"index\": expects a whole number, found true")
judge(bound_as_text [=[{"widgets": [{"kind": "Slider", "name": "sldA", "max": "10"}]}]=]
      "widget 0 (sldA): key \"max\": expects a number, found \"10\"")
judge(bool_as_text [=[{"widgets": [{"kind": "Frame", "name": "fraA", "visible": "no"}]}]=]
      "widget 0 (fraA): key \"visible\": expects true or false, found \"no\"")
judge(caption_as_number [=[{"widgets": [{"kind": "Label", "name": "a", "caption": 5}]}]=]
      "widget 0 (a): key \"caption\": expects a string, found 5")
judge(tooltip_as_null [=[{"widgets": [{"kind": "Label", "name": "a", "tooltip": null}]}]=]
      "widget 0 (a): key \"tooltip\": expects a string, found null")
judge(note_as_list [=[{"widgets": [{"kind": "Label", "name": "a", "note": ["x"]}]}]=]
      "widget 0 (a): key \"note\": expects a string")

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${judged} layout files judged as expected")
