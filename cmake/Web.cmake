# The browser build, with Debian's emscripten: the same game library over the browser's half
# of the media runtime; the game on a static page (zorbex.js, zorbex.wasm, zorbex.data and
# the page's files), the simulator for Node (zorbex-sim.js) and the replay watcher the page
# loads when a replay is opened (zorbex-watch.js). Everything lands in the build folder,
# which is the site. Nothing is downloaded: emscripten's ports are never used.
# The pictures, sounds and rendered text lines come from the desktop build (make release).

set(ZORBEX_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build/release CACHE PATH
    "The desktop build whose data/ and zorbex-textbake the browser build takes")
set(native_data ${ZORBEX_NATIVE_BUILD}/data)
set(textbake ${ZORBEX_NATIVE_BUILD}/zorbex-textbake)
if(NOT EXISTS ${textbake})
  message(FATAL_ERROR "The browser build takes its data from the desktop build: "
                      "build ${ZORBEX_NATIVE_BUILD} first (make release)")
endif()
find_program(ZORBEX_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
# Debian's emscripten finds its JavaScript helpers (acorn) only through NODE_PATH
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")
set(file_packager ${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py)

function(zorbex_game_flags target)
  # no fused multiply-adds, as on the desktop: the same float results to the bit
  target_compile_options(${target} PRIVATE -Wall -Wextra -ffp-contract=off)
endfunction()

# The same game library over the browser's half of the runtime: src/runtime/web/, whose
# page.js is the part that must be JavaScript.
include(${CMAKE_SOURCE_DIR}/cmake/GameSources.cmake)
zorbex_game_sources(web game_sources)
add_library(zorbex_game STATIC ${game_sources})
target_include_directories(zorbex_game PUBLIC ${CMAKE_SOURCE_DIR}/src)
# Debian's libstb-dev: the PNG decoder and writer
target_include_directories(zorbex_game SYSTEM PRIVATE /usr/include/stb)
zorbex_game_flags(zorbex_game)
include(${CMAKE_SOURCE_DIR}/cmake/EmbedText.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/Catalogues.cmake)

# The data the desktop made, and the lines of text it rendered, beside the programs; the
# page's package of the pictures and sounds (music is fetched when it is first played).
set(data_stamp ${ZORBEX_DATA_DIR}/.web-stamp)
# The pictures are packed again, losslessly, by Debian's zopflipng: the same pixels once
# decoded, in about half the bytes, which the page loads before its first frame. The sound
# effects become Ogg Vorbis (oggenc), a sixth of their WAV, each of the WAV's length to the
# sample: effects never reach the game's state or its pictures, and the browser decodes them.
find_program(ZORBEX_ZOPFLIPNG zopflipng REQUIRED)
find_program(ZORBEX_OGGENC oggenc REQUIRED)
add_custom_command(
  OUTPUT ${data_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZORBEX_DATA_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${native_data} ${ZORBEX_DATA_DIR}
  COMMAND ${textbake} ${ZORBEX_DATA_DIR}
  COMMAND sh -c "find '${ZORBEX_DATA_DIR}' -name '*.png' -print0 | xargs -0 -P 2 -I @ '${ZORBEX_ZOPFLIPNG}' -q -y @ @ >/dev/null"
  COMMAND ${ZORBEX_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/web-effects.py ${ZORBEX_DATA_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${data_stamp}
  DEPENDS ${native_data}/.pictures-stamp ${native_data}/.sounds-stamp ${textbake}
          ${CMAKE_SOURCE_DIR}/scripts/web-effects.py
  COMMENT "Taking the desktop build's data and rendered text, the pictures packed smaller, the effects in Ogg Vorbis"
  VERBATIM)
set(package ${CMAKE_BINARY_DIR}/zorbex.data)
set(package_loader ${CMAKE_BINARY_DIR}/generated/zorbex-data.js)
add_custom_command(
  OUTPUT ${package} ${package_loader}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${ZORBEX_PYTHON} ${file_packager} ${package} --preload ${ZORBEX_DATA_DIR}@/data
          --exclude "*.mp3" --exclude "*/.*" --js-output=${package_loader}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${data_stamp}
  COMMENT "Packing the pictures and sounds for the page"
  VERBATIM)
add_custom_target(zorbex_web_data ALL DEPENDS ${package} ${package_loader})

set(runtime_library ${CMAKE_SOURCE_DIR}/src/runtime/web/page.js)
set(common_link -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sTOTAL_STACK=1MB
                "SHELL:--js-library ${runtime_library}")
option(ZORBEX_WEB_CHECKS "Link the browser build with emscripten's run-time checks and names" OFF)
if(ZORBEX_WEB_CHECKS)
  list(APPEND common_link -sASSERTIONS=2 --profiling-funcs)
endif()
# what the page calls: the runtime's hooks (and the game's status in the game itself)
set(page_exports _main _malloc _free _WebKeyChanged _WebFocusLost _WebAllKeysUp _WebTapped _WebHoldFrames
                 _WebPlayButtons _WebScriptedFramesLeft _WebFramesStarted)
set(page_link ${common_link} -sENVIRONMENT=web -sMODULARIZE=1
              -sASYNCIFY -sASYNCIFY_IGNORE_INDIRECT=1
              "-sASYNCIFY_IMPORTS=['zorbex_page_wait_animation_frame','zorbex_page_sleep']"
              # the scene table calls its scenes through pointers, and a scene may wait (the
              # title's start sound): that indirect call unwinds. So does the replay
              # theatre's call of its frame runner (a watched run's title sounds at 1x), with
              # every function between the theatre and the scene, as this emscripten does
              # not carry the list on to callers
              "-sASYNCIFY_ADD=['RunScene*','TheatreFrame*','SeekTheatre*','*PlayOne*','*WatchRunner*','*TheatreRunner*','RunReplayedFrame*','*RunTheatreMode*']"
              "-sEXPORTED_RUNTIME_METHODS=['FS','UTF8ToString','allocateUTF8','ccall','addRunDependency','removeRunDependency','FS_createPath','FS_createDataFile','FS_createPreloadedFile']"
              -lidbfs.js "SHELL:--pre-js ${package_loader}")

# `exits`: 1 when the page wants to hear the program's exit code (the watcher's verdict)
function(zorbex_page_program target export_name exits)
  target_link_libraries(${target} PRIVATE zorbex_game)
  zorbex_game_flags(${target})
  list(JOIN ARGN "," exports)
  target_link_options(${target} PRIVATE ${page_link} -sEXPORT_NAME=${export_name}
                      -sEXIT_RUNTIME=${exits} "-sEXPORTED_FUNCTIONS=[${exports}]")
  set_target_properties(${target} PROPERTIES LINK_DEPENDS "${runtime_library};${package_loader}")
  add_dependencies(${target} zorbex_web_data)
endfunction()

# The game on the page.
add_executable(zorbex ${CMAKE_SOURCE_DIR}/src/web_main.cpp)
zorbex_page_program(zorbex createZorbexGame 0 ${page_exports} _ZorbexStatus)

# The simulator, without what a browser cannot have (FFmpeg's video export, libcurl's
# submission to a score board) and with its scratch folder made without Linux's own calls.
file(GLOB sim_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/sim/*.cpp)
list(REMOVE_ITEM sim_sources ${CMAKE_SOURCE_DIR}/tools/sim/video_export.cpp
                             ${CMAKE_SOURCE_DIR}/tools/sim/video_run.cpp
                             ${CMAKE_SOURCE_DIR}/tools/sim/submit.cpp
                             ${CMAKE_SOURCE_DIR}/tools/sim/scratch_save.cpp)
list(APPEND sim_sources ${CMAKE_SOURCE_DIR}/tools/sim/web/unavailable.cpp
                        ${CMAKE_SOURCE_DIR}/tools/sim/web/scratch_save.cpp)
# ... for Node, reading and writing real files, with the desktop's exit codes
add_executable(zorbex-sim ${sim_sources})
target_include_directories(zorbex-sim PRIVATE ${CMAKE_SOURCE_DIR}/tools/sim)
target_link_libraries(zorbex-sim PRIVATE zorbex_game)
zorbex_game_flags(zorbex-sim)
target_link_options(zorbex-sim PRIVATE ${common_link} -sENVIRONMENT=node -sNODERAWFS=1
                    -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1)
set_target_properties(zorbex-sim PROPERTIES LINK_DEPENDS ${runtime_library})
add_dependencies(zorbex-sim zorbex_web_data)
# ... and for the page, where it watches a replay (zorbex-sim --watch) on a canvas of its own
add_executable(zorbex-watch ${sim_sources})
target_include_directories(zorbex-watch PRIVATE ${CMAKE_SOURCE_DIR}/tools/sim)
zorbex_page_program(zorbex-watch createZorbexWatch 1 ${page_exports})

# Frame times in the browser (scripts/web-figures.py loads it beside the game): the same
# program as the desktop's zorbex-frame-times, linked as the game is.
add_executable(zorbex-frame-times ${CMAKE_SOURCE_DIR}/bench/frame_times/main.cpp
               ${CMAKE_SOURCE_DIR}/bench/bench_scenes.cpp)
target_include_directories(zorbex-frame-times PRIVATE ${CMAKE_SOURCE_DIR}/bench)
zorbex_page_program(zorbex-frame-times createZorbexFrameTimes 1 ${page_exports})
# ... and the snapshots' figures (scripts/web-figures.py --snapshots), as the desktop's
add_executable(zorbex-snapshot-times ${CMAKE_SOURCE_DIR}/bench/snapshot_times/main.cpp)
zorbex_page_program(zorbex-snapshot-times createZorbexSnapshotTimes 1 ${page_exports})

# The page's own files, the game's icons as its favicon and the web app's, and the service
# worker that keeps the site for offline play, its cache named by a digest of the files.
file(GLOB page_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/*.html ${CMAKE_SOURCE_DIR}/web/*.js
     ${CMAKE_SOURCE_DIR}/web/*.css ${CMAKE_SOURCE_DIR}/web/*.webmanifest)
set(page_outputs "")
foreach(file ${page_files})
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy ${file} ${CMAKE_BINARY_DIR}/${name}
                     DEPENDS ${file})
  list(APPEND page_outputs ${CMAKE_BINARY_DIR}/${name})
endforeach()
set(icon_names zorbex-192.png zorbex-512.png zorbex-192-maskable.png zorbex-512-maskable.png)
set(icon_outputs ${CMAKE_BINARY_DIR}/favicon.png)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/favicon.png
                   COMMAND ${CMAKE_COMMAND} -E copy ${ZORBEX_NATIVE_BUILD}/icons/zorbex-32.png
                           ${CMAKE_BINARY_DIR}/favicon.png
                   DEPENDS ${data_stamp})
foreach(name ${icon_names})
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy ${ZORBEX_NATIVE_BUILD}/icons/${name} ${CMAKE_BINARY_DIR}/${name}
                     DEPENDS ${data_stamp})
  list(APPEND icon_outputs ${CMAKE_BINARY_DIR}/${name})
endforeach()
# what a host serves: these, service-worker.js, and the music in data/ (make web-dist)
set(site_files index.html zorbex-page.js zorbex-touch.js zorbex.css manifest.webmanifest favicon.png
               ${icon_names} zorbex.js zorbex.wasm zorbex.data zorbex-watch.js zorbex-watch.wasm)
string(REPLACE ";" "\n" site_list "${site_files}")
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/site-files.txt CONTENT "${site_list}\nservice-worker.js\n")
set(service_worker ${CMAKE_BINARY_DIR}/service-worker.js)
add_custom_command(OUTPUT ${service_worker}
                   COMMAND ${CMAKE_COMMAND} -DSITE=${CMAKE_BINARY_DIR} "-DFILES=${site_files}"
                           -DTEMPLATE=${CMAKE_SOURCE_DIR}/web/service-worker.js.in -DOUTPUT=${service_worker}
                           -P ${CMAKE_SOURCE_DIR}/cmake/WebServiceWorker.cmake
                   DEPENDS ${page_outputs} ${icon_outputs} ${package} zorbex zorbex-watch
                           ${CMAKE_SOURCE_DIR}/web/service-worker.js.in
                           ${CMAKE_SOURCE_DIR}/cmake/WebServiceWorker.cmake
                   COMMENT "The service worker of this build"
                   VERBATIM)
add_custom_target(zorbex_page ALL DEPENDS ${page_outputs} ${icon_outputs} ${service_worker})

# Tests (ctest --test-dir build/web): every golden replay verifies under Node with the
# desktop's hashes, and the page holds up in headless Chromium against the desktop build.
enable_testing()
find_program(ZORBEX_NODE node REQUIRED)
set(work ${CMAKE_BINARY_DIR}/test-work)
file(MAKE_DIRECTORY ${work})
file(GLOB golden_replays CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/golden/*.replay)
foreach(replay ${golden_replays})
  get_filename_component(name ${replay} NAME_WE)
  # the stage-1 run draws every frame, as the desktop's test does
  set(draw --no-draw)
  if(name STREQUAL "stage1")
    set(draw "")
  endif()
  add_test(NAME web_golden_${name}_replay
           COMMAND ${ZORBEX_NODE} ${CMAKE_BINARY_DIR}/zorbex-sim.js --verify ${replay} ${draw} --quiet
           WORKING_DIRECTORY ${work})
endforeach()
# the same options give the same summary line and exit code; replays cross between builds
add_test(NAME web_sim_matches_desktop
         COMMAND ${ZORBEX_PYTHON} ${CMAKE_SOURCE_DIR}/tests/web/sim_parity_test.py ${ZORBEX_NODE}
                 ${CMAKE_BINARY_DIR}/zorbex-sim.js ${ZORBEX_NATIVE_BUILD}/zorbex-sim ${work}/parity)
add_test(NAME web_page_in_chromium
         COMMAND ${ZORBEX_PYTHON} ${CMAKE_SOURCE_DIR}/tests/web/page_test.py ${CMAKE_BINARY_DIR}
                 ${ZORBEX_NATIVE_BUILD}/zorbex-sim ${work}/page)
set_tests_properties(web_page_in_chromium PROPERTIES TIMEOUT 600)
# on a phone: touch, layout, offline, a new build, the manifest, missing files, the keyboard
add_test(NAME web_page_on_a_phone
         COMMAND ${ZORBEX_PYTHON} ${CMAKE_SOURCE_DIR}/tests/web/phone_test.py ${CMAKE_BINARY_DIR}
                 ${ZORBEX_NATIVE_BUILD}/zorbex-sim ${work}/phone)
set_tests_properties(web_page_on_a_phone PROPERTIES TIMEOUT 600)
# the front end's menus and pause, played by keys on the page
add_test(NAME web_menus_in_chromium
         COMMAND ${ZORBEX_PYTHON} ${CMAKE_SOURCE_DIR}/tests/web/menu_test.py ${CMAKE_BINARY_DIR}
                 ${CMAKE_BINARY_DIR}/test-work/web-menus)
set_tests_properties(web_menus_in_chromium PROPERTIES TIMEOUT 300)
# REPLAYS, the theatre (watched, sped up, sought back, still verified), KEEP and DELETE in
# the browser's store, and PRACTICE, in the page's canvas by keys
add_test(NAME web_theatre_in_chromium
         COMMAND ${ZORBEX_PYTHON} ${CMAKE_SOURCE_DIR}/tests/web/theatre_test.py ${CMAKE_BINARY_DIR}
                 ${ZORBEX_NATIVE_BUILD}/zorbex-sim ${work}/theatre)
set_tests_properties(web_theatre_in_chromium PROPERTIES TIMEOUT 600)
