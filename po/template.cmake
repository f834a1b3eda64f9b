# Writes the catalogues' template: every msgid the sources pass to Tr() or TrIn() or mark
# with N_() (found by xgettext), then every line of the epilogues under data-src/endings/,
# kept under the name of its file as context. usage: cmake -DSOURCE_DIR=... -DOUTPUT=.../zorbex.pot -P template.cmake

find_program(XGETTEXT xgettext REQUIRED)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h)
list(SORT sources)
set(code_pot ${OUTPUT}.code)
execute_process(
  COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --keyword= --keyword=Tr --keyword=N_ --keyword=TrIn:1c,2
          --keyword=DrawMenuText:3 --keyword=DrawMenuTextCentred:3
          --add-comments=TRANSLATORS: --omit-header --force-po --sort-by-file --width=100
          -o ${code_pot} ${sources}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "xgettext failed")
endif()
file(READ ${code_pot} code_entries)
file(REMOVE ${code_pot})

set(pot "# The words Zorbex's players read: the template of the catalogues in this folder.\n")
string(APPEND pot "# Made from the sources and data-src/endings/ by `cmake --build --preset release --target pot`.\n")
string(APPEND pot "msgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: zorbex\\n\"\n")
string(APPEND pot "\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Content-Transfer-Encoding: 8bit\\n\"\n\n")
string(APPEND pot "${code_entries}")

file(GLOB epilogues RELATIVE ${SOURCE_DIR}/data-src ${SOURCE_DIR}/data-src/endings/*.txt)
list(SORT epilogues)
foreach(name IN LISTS epilogues)
  if(name MATCHES "stage([0-9]+)")
    set(after "the epilogue of a run won on stage ${CMAKE_MATCH_1}")
  else()
    set(after "the epilogue of every run that used a continue")
  endif()
  file(READ ${SOURCE_DIR}/data-src/${name} text)
  set(number 0)
  while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" end)
    if(end EQUAL -1)
      set(line "${text}")
      set(text "")
    else()
      string(SUBSTRING "${text}" 0 ${end} line)
      math(EXPR next "${end} + 1")
      string(SUBSTRING "${text}" ${next} -1 text)
    endif()
    math(EXPR number "${number} + 1")
    string(REGEX REPLACE "\r$" "" line "${line}")
    if(line STREQUAL "")
      continue()
    endif()
    string(REPLACE "\\" "\\\\" line "${line}")
    string(REPLACE "\"" "\\\"" line "${line}")
    string(APPEND pot "#. TRANSLATORS: one line of ${after}. A line too wide for\n")
    string(APPEND pot "#. the ending's window is broken where the language allows.\n")
    string(APPEND pot "#: data-src/${name}:${number}\nmsgctxt \"${name}\"\nmsgid \"${line}\"\nmsgstr \"\"\n\n")
  endwhile()
endforeach()
string(REGEX REPLACE "\n+$" "\n" pot "${pot}")
file(WRITE ${OUTPUT} "${pot}")
