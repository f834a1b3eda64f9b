# Level data (stage scripts, layouts, texts) lives as text under data-src/ and is
# compiled into zorbex_game as byte arrays, looked up by path with FindLevelText.
# Included by the top-level CMakeLists after the library is defined; the same file
# runs in script mode at build time to write the generated source.

if(CMAKE_SCRIPT_MODE_FILE)
  # Inputs: EMBED_ROOT (folder), EMBED_OUTPUT (the .cpp to write), EMBED_FILES
  # (paths relative to EMBED_ROOT, separated by "|").
  string(REPLACE "|" ";" files "${EMBED_FILES}")
  set(arrays "")
  set(entries "")
  set(index 0)
  foreach(name IN LISTS files)
    if(name STREQUAL "")
      continue()
    endif()
    file(READ "${EMBED_ROOT}/${name}" text)
    if(text MATCHES "^same-as ([^ \r\n]+)( boss ([0-9]+))?")
      # "same-as stage11.script boss 1": another stage's script, with this stage's boss
      set(source "${CMAKE_MATCH_1}")
      set(boss "${CMAKE_MATCH_3}")
      get_filename_component(folder "${name}" DIRECTORY)
      file(READ "${EMBED_ROOT}/${folder}/${source}" text)
      if(NOT boss STREQUAL "")
        string(REGEX REPLACE "(^|\n)event,000,[0-9]+" "\\1event,000,${boss}" text "${text}")
      endif()
      file(WRITE "${EMBED_OUTPUT}.part" "${text}")
      file(READ "${EMBED_OUTPUT}.part" hex HEX)
      file(REMOVE "${EMBED_OUTPUT}.part")
    else()
      file(READ "${EMBED_ROOT}/${name}" hex HEX)
    endif()
    # character literals: bytes above 0x7f (UTF-8 texts) must not narrow into char
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    # break the byte list into lines of a readable length
    string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){24})" "\\1\n    " bytes "${bytes}")
    string(APPEND arrays "// ${name}\nconst char kText${index}[] = {\n    ${bytes}0x00};\n")
    string(APPEND entries "    {\"${name}\", kText${index}},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  file(WRITE "${EMBED_OUTPUT}.tmp"
       "// Generated from data-src/ by cmake/EmbedText.cmake; edit the text files instead.\n"
       "#include \"stages/level_texts.h\"\n\nnamespace {\n${arrays}}  // namespace\n\n"
       "const LevelText kLevelTexts[] = {\n${entries}    {nullptr, nullptr},\n};\n"
       "const int kLevelTextCount = ${index};\n")
  # rewrite only on change, so that an untouched text does not rebuild the library
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${EMBED_OUTPUT}.tmp" "${EMBED_OUTPUT}")
  file(REMOVE "${EMBED_OUTPUT}.tmp")
  return()
endif()

set(ZORBEX_LEVEL_DATA_DIR ${CMAKE_SOURCE_DIR}/data-src)
file(GLOB_RECURSE ZORBEX_LEVEL_TEXTS CONFIGURE_DEPENDS RELATIVE ${ZORBEX_LEVEL_DATA_DIR}
     ${ZORBEX_LEVEL_DATA_DIR}/*)
# notes for designers are not level data
list(FILTER ZORBEX_LEVEL_TEXTS EXCLUDE REGEX "(\\.md|~)$")
list(SORT ZORBEX_LEVEL_TEXTS)
set(ZORBEX_LEVEL_TEXT_PATHS "")
foreach(name IN LISTS ZORBEX_LEVEL_TEXTS)
  list(APPEND ZORBEX_LEVEL_TEXT_PATHS ${ZORBEX_LEVEL_DATA_DIR}/${name})
endforeach()
string(REPLACE ";" "|" ZORBEX_LEVEL_TEXT_ARG "${ZORBEX_LEVEL_TEXTS}")

set(ZORBEX_LEVEL_TEXT_SOURCE ${CMAKE_BINARY_DIR}/generated/level_texts_data.cpp)
add_custom_command(
  OUTPUT ${ZORBEX_LEVEL_TEXT_SOURCE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${CMAKE_COMMAND} -DEMBED_ROOT=${ZORBEX_LEVEL_DATA_DIR}
          -DEMBED_OUTPUT=${ZORBEX_LEVEL_TEXT_SOURCE} "-DEMBED_FILES=${ZORBEX_LEVEL_TEXT_ARG}"
          -P ${CMAKE_CURRENT_LIST_FILE}
  DEPENDS ${ZORBEX_LEVEL_TEXT_PATHS} ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Embedding the level data"
  VERBATIM)
target_sources(zorbex_game PRIVATE ${ZORBEX_LEVEL_TEXT_SOURCE})
