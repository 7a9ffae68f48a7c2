# check_installed_headers(INCLUDE_DIR EXPECTED): the headers installed under
# INCLUDE_DIR are exactly EXPECTED (paths relative to it), and every
# "project/header.h" one of them includes is among them: a host can include
# any public header without reaching for one that was left behind, and no
# header of the implementation leaks out.
function(check_installed_headers include_dir expected)
  file(GLOB_RECURSE found RELATIVE ${include_dir} ${include_dir}/*)
  list(SORT found)
  set(wanted ${expected})
  list(SORT wanted)
  if(NOT found STREQUAL wanted)
    set(extra ${found})
    list(REMOVE_ITEM extra ${wanted})
    set(missing ${wanted})
    list(REMOVE_ITEM missing ${found})
    message(FATAL_ERROR "installed headers differ from the public ones\n"
                        "  not public: ${extra}\n  missing: ${missing}")
  endif()
  # The implementation never: the panel's internals, the sections, the test
  # helpers.
  foreach(header ${found})
    if(header MATCHES "^sections/|properties_impl\\.h$|properties_access\\.h$|_testing\\.h$|_harness\\.h$")
      message(FATAL_ERROR "${header} is no public header")
    endif()
  endforeach()
  foreach(header ${found})
    file(STRINGS ${include_dir}/${header} includes
         REGEX "^#include \"[^\"]+\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      if(NOT included IN_LIST found)
        message(FATAL_ERROR "${header} includes ${included}, which is not "
                            "installed")
      endif()
    endforeach()
  endforeach()
  list(LENGTH found count)
  message(STATUS "installed headers: ${count}, ok")
endfunction()
