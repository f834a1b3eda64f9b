# Install rules and the Debian package (`make package`, CPack's DEB generator).
# The tree installs relocatably: the game looks for its data at ../share/zorbex/data
# relative to its executable, so a prefix unpacked anywhere still runs.
include(GNUInstallDirs)

set(ZORBEX_VERSION 1.0.0)
set(ZORBEX_APP_ID org.zorbex.Zorbex)
set(ZORBEX_INSTALL_GAMESDIR games CACHE STRING "Folder of the game's programs, below the prefix")
set(ZORBEX_MAINTAINER "Zorbex developers <maintainers@zorbex.org>" CACHE STRING
    "Maintainer named in the Debian package")
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/zorbex)

install(TARGETS zorbex zorbex-setup zorbex-sim RUNTIME DESTINATION ${ZORBEX_INSTALL_GAMESDIR})
# the generators' stamps stay behind
install(DIRECTORY ${ZORBEX_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/zorbex/data
        PATTERN ".*" EXCLUDE)
install(FILES ${packaging}/${ZORBEX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${packaging}/${ZORBEX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/zorbex-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${ZORBEX_APP_ID}.png)
endforeach()

# Manual pages and the changelog go in compressed, without timestamps (reproducible).
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
set(compressed "")
foreach(file zorbex.6 zorbex-setup.6 zorbex-sim.6 changelog)
  set(out ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
  add_custom_command(OUTPUT ${out}
                     COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${packaging}/${file} ${out}
                     DEPENDS ${packaging}/${file}
                     COMMENT "Compressing ${file}" VERBATIM)
  list(APPEND compressed ${out})
endforeach()
add_custom_target(zorbex_docs ALL DEPENDS ${compressed})
foreach(page zorbex.6 zorbex-setup.6 zorbex-sim.6)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${packaging}/copyright DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorbex)
set(CPACK_PACKAGE_VERSION ${ZORBEX_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZORBEX_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "horizontally scrolling shoot-'em-up")
# (CPack puts the summary above it as the synopsis line)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Fly a lone fighter through 28 stages laid out as a pyramid of seven columns:
every run plays seven of them, one per column, and after each won stage you
pick the next one on a route map. Script-driven enemy waves come in over
scrolling maps with ground installations, items raise your shot, missiles and
armour, a screen-clearing bomb gets you out of trouble, and every stage ends
with a boss. Each of the seven last stages leads to its own ending; the best
ten runs are kept.
.
The package also holds zorbex-setup, which writes the game's settings, and
zorbex-sim, which runs the game headless for replays and screenshots.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zorbex.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# the ending's texts need a Japanese Gothic face, found at run time
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
# zorbex-sim opens FFmpeg's libraries only for --video and libcurl only for --submit, where
# the package's library scan cannot see them: named here by the packages of the versions
# it was built against
foreach(lib avcodec avformat avutil swscale swresample)
  string(REGEX MATCH "^[0-9]+" major "${FFMPEG_lib${lib}_VERSION}")
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", lib${lib}${major}")
endforeach()
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libcurl4")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# Binaries as Debian builds them: fortified calls, and relocations made read-only at load.
if(NOT ZORBEX_SANITIZE AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  target_compile_definitions(zorbex_game PRIVATE _FORTIFY_SOURCE=2)
  foreach(program zorbex zorbex-setup zorbex-sim)
    target_compile_definitions(${program} PRIVATE _FORTIFY_SOURCE=2)
    target_link_options(${program} PRIVATE -Wl,-z,relro,-z,now)
  endforeach()
endif()

if(ZORBEX_BUILD_TESTS)
  set(work ${CMAKE_BINARY_DIR}/test-work)
  # An installed tree runs from wherever it was put, with the player's files in XDG_DATA_HOME.
  add_test(NAME installed_tree_runs_with_xdg_folder
           COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${work}/installed-tree
                   -DGAMESDIR=${ZORBEX_INSTALL_GAMESDIR}
                   -P ${CMAKE_SOURCE_DIR}/cmake/check_installed_tree.cmake)
  # The menu entry and the software-centre metadata, checked by the freedesktop.org tools.
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(APPSTREAMCLI appstreamcli)
  if(DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_entry_validates
             COMMAND ${DESKTOP_FILE_VALIDATE} ${packaging}/${ZORBEX_APP_ID}.desktop)
    set_tests_properties(desktop_entry_validates PROPERTIES FAIL_REGULAR_EXPRESSION "error|warning")
  endif()
  if(APPSTREAMCLI)
    add_test(NAME metainfo_validates
             COMMAND ${APPSTREAMCLI} validate --no-net ${packaging}/${ZORBEX_APP_ID}.metainfo.xml)
  endif()
endif()
