# The gettext catalogues: po/LANG.po compiled by msgfmt (checked as it goes) into .mo files,
# built into zorbex_game as byte arrays that the game's own reader opens
# (src/shell/language_catalogue.cpp). A language is one more po/LANG.po, nothing else.
# Included after the library is defined; the same file runs in script mode at build time to
# write the generated source.

if(CMAKE_SCRIPT_MODE_FILE)
  # Inputs: CATALOGUE_OUTPUT (the .cpp to write), CATALOGUE_FILES (.mo paths, "|" between).
  string(REPLACE "|" ";" files "${CATALOGUE_FILES}")
  set(arrays "")
  set(entries "")
  set(index 0)
  foreach(path IN LISTS files)
    get_filename_component(code "${path}" NAME_WE)
    file(READ "${path}" hex HEX)
    file(SIZE "${path}" size)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n    " bytes "${bytes}")
    string(APPEND arrays "// po/${code}.po\nconst unsigned char kCatalogue${index}[] = {\n    ${bytes}};\n")
    string(APPEND entries "    {\"${code}\", kCatalogue${index}, ${size}},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  file(WRITE "${CATALOGUE_OUTPUT}.tmp"
       "// Generated from po/ by cmake/Catalogues.cmake; edit the .po files instead.\n"
       "#include \"shell/language_catalogue.h\"\n\nnamespace {\n${arrays}}  // namespace\n\n"
       "const EmbeddedCatalogue kEmbeddedCatalogues[] = {\n${entries}    {nullptr, nullptr, 0},\n};\n"
       "const int kEmbeddedCatalogueCount = ${index};\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${CATALOGUE_OUTPUT}.tmp" "${CATALOGUE_OUTPUT}")
  file(REMOVE "${CATALOGUE_OUTPUT}.tmp")
  return()
endif()

find_program(ZORBEX_MSGFMT msgfmt REQUIRED)
set(ZORBEX_PO_DIR ${CMAKE_SOURCE_DIR}/po)
file(GLOB ZORBEX_PO_FILES CONFIGURE_DEPENDS ${ZORBEX_PO_DIR}/*.po)
list(SORT ZORBEX_PO_FILES)
set(mo_files "")
foreach(po IN LISTS ZORBEX_PO_FILES)
  get_filename_component(code ${po} NAME_WE)
  set(mo ${CMAKE_BINARY_DIR}/po/${code}.mo)
  add_custom_command(
    OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/po
    COMMAND ${ZORBEX_MSGFMT} --check -o ${mo} ${po}
    DEPENDS ${po}
    COMMENT "Compiling the ${code} catalogue"
    VERBATIM)
  list(APPEND mo_files ${mo})
endforeach()
string(REPLACE ";" "|" mo_arg "${mo_files}")
set(ZORBEX_CATALOGUE_SOURCE ${CMAKE_BINARY_DIR}/generated/catalogues_data.cpp)
add_custom_command(
  OUTPUT ${ZORBEX_CATALOGUE_SOURCE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${CMAKE_COMMAND} -DCATALOGUE_OUTPUT=${ZORBEX_CATALOGUE_SOURCE} "-DCATALOGUE_FILES=${mo_arg}"
          -P ${CMAKE_SOURCE_DIR}/cmake/Catalogues.cmake
  DEPENDS ${mo_files} ${CMAKE_SOURCE_DIR}/cmake/Catalogues.cmake
  COMMENT "Embedding the catalogues"
  VERBATIM)
target_sources(zorbex_game PRIVATE ${ZORBEX_CATALOGUE_SOURCE})

# The template (po/zorbex.pot) made again from the sources: cmake --build --preset release
# --target pot. Then `msgmerge --update po/LANG.po po/zorbex.pot` for each language.
add_custom_target(pot
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT=${ZORBEX_PO_DIR}/zorbex.pot
          -P ${ZORBEX_PO_DIR}/template.cmake
  COMMENT "Writing po/zorbex.pot from the sources"
  VERBATIM)

if(ZORBEX_BUILD_TESTS)
  find_program(ZORBEX_MSGCMP msgcmp REQUIRED)
  add_test(NAME catalogues_complete
           COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
                   -DWORK=${CMAKE_BINARY_DIR}/test-work/catalogues -P ${ZORBEX_PO_DIR}/check.cmake)
endif()
