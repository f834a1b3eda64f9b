# The catalogues are complete: a template made afresh from the sources has no msgid that
# po/zorbex.pot or any po/LANG.po lacks or leaves untranslated or fuzzy, and every .po
# passes `msgfmt --check`. usage: cmake -DSOURCE_DIR=... -DWORK=... -P check.cmake

find_program(MSGCMP msgcmp REQUIRED)
find_program(MSGFMT msgfmt REQUIRED)
file(MAKE_DIRECTORY ${WORK})
set(fresh ${WORK}/fresh.pot)
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${SOURCE_DIR} -DOUTPUT=${fresh}
                        -P ${SOURCE_DIR}/po/template.cmake RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the template could not be made")
endif()
set(problems "")
execute_process(COMMAND ${MSGCMP} --use-untranslated ${SOURCE_DIR}/po/zorbex.pot ${fresh}
                RESULT_VARIABLE failed ERROR_VARIABLE why)
if(failed)
  string(APPEND problems "po/zorbex.pot is out of date (make it again: --target pot):\n${why}")
endif()
file(GLOB catalogues ${SOURCE_DIR}/po/*.po)
if(NOT catalogues)
  string(APPEND problems "no catalogues in po/\n")
endif()
foreach(po IN LISTS catalogues)
  get_filename_component(name ${po} NAME)
  # every msgid of the sources, translated and not fuzzy
  execute_process(COMMAND ${MSGCMP} ${po} ${fresh} RESULT_VARIABLE failed ERROR_VARIABLE why)
  if(failed)
    string(APPEND problems "po/${name} lacks translations:\n${why}")
  endif()
  execute_process(COMMAND ${MSGFMT} --check --statistics -o ${WORK}/${name}.mo ${po}
                  RESULT_VARIABLE failed ERROR_VARIABLE why)
  if(failed OR why MATCHES "untranslated|fuzzy")
    string(APPEND problems "po/${name}: ${why}")
  endif()
endforeach()
if(problems)
  message(FATAL_ERROR "${problems}")
endif()
message(STATUS "every catalogue is complete")
