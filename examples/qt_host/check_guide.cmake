# The guide GUIDE shows the file CODE whole, in its first ```cpp block.
cmake_minimum_required(VERSION 3.25)
file(READ ${GUIDE} guide)
file(READ ${CODE} code)
string(FIND "${guide}" "```cpp\n${code}```" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${GUIDE} does not show ${CODE} as it is: copy the "
                      "file into the guide's code block again")
endif()
