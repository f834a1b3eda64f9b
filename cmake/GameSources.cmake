# The game library's sources: every subsystem folder under src/, the shared half of the
# runtime at src/runtime/ itself, and one platform half of the runtime, picked by its
# folder: src/runtime/sdl/ for the desktop, src/runtime/web/ for the browser.
function(zorbex_game_sources platform out_var)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/src/runtime/[^/]+/")
  file(GLOB platform_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/runtime/${platform}/*.cpp)
  set(${out_var} ${sources} ${platform_sources} PARENT_SCOPE)
endfunction()
