# Every global of the game code is either covered by the state hash or left out of
# it on purpose: compares the writable data symbols of the library's objects
# (objdump) with what `zorbex-sim --list-state` names. Inputs: SIM, OBJDUMP, OBJECTS
# (separated by "|").
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${SIM} --list-state OUTPUT_VARIABLE listed RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "zorbex-sim --list-state failed")
endif()
string(REPLACE "\n" ";" listed "${listed}")
set(known "")
set(prefixes "")
foreach(line IN LISTS listed)
  if(line MATCHES "^(hashed|left-out) (.+)\\*$")
    list(APPEND prefixes "${CMAKE_MATCH_2}")
  elseif(line MATCHES "^(hashed|left-out) (.+)$")
    list(APPEND known "${CMAKE_MATCH_2}")
  endif()
endforeach()

string(REPLACE "|" ";" objects "${OBJECTS}")
set(missing "")
foreach(object IN LISTS objects)
  # the runtime is the machine's, not the game's; the hash's own tables and the
  # behaviour index it reads are not state
  if(object MATCHES "/src/runtime/" OR object MATCHES "/state_hash" OR object MATCHES "/behaviours\\.cpp")
    continue()
  endif()
  execute_process(COMMAND ${OBJDUMP} -t -C ${object} OUTPUT_VARIABLE symbols)
  # objects in writable data only, global or file-local; constants (.rodata,
  # .data.rel.ro) cannot be state
  string(REGEX MATCHALL "[^\n]* O \\.(bss|data|data\\.rel|data\\.rel\\.local|tbss|tdata)\t[0-9a-f]+ [^\n]+"
         symbols "${symbols}")
  foreach(line IN LISTS symbols)
    string(REGEX REPLACE "^[^\t]*\t[0-9a-f]+ (\\.hidden )?" "" name "${line}")
    if(name MATCHES "^(guard variable|typeinfo|vtable)" OR name MATCHES "\\.")
      continue()
    endif()
    if(name IN_LIST known)
      continue()
    endif()
    set(matched FALSE)
    foreach(prefix IN LISTS prefixes)
      string(FIND "${name}" "${prefix}" at)
      if(at EQUAL 0)
        set(matched TRUE)
      endif()
    endforeach()
    if(NOT matched)
      get_filename_component(file ${object} NAME)
      list(APPEND missing "${name} (${file})")
    endif()
  endforeach()
endforeach()
if(missing)
  string(REPLACE ";" "\n  " missing "${missing}")
  message(FATAL_ERROR "globals neither in the state hash nor left out of it on purpose "
                      "(add each to src/shell/state_hash.cpp):\n  ${missing}")
endif()
