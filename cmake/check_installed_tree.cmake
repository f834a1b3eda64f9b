# Installs the build into a scratch prefix and runs it from there as a player would:
# the programs find the data at ../share/zorbex/data, the settings tool and the game
# use $XDG_DATA_HOME/zorbex/, and the same tool beside a build writes the working
# directory. Inputs: BUILD (the build folder), WORK (a scratch folder), GAMESDIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/elsewhere)
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE code OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "install into ${prefix} failed:\n${err}")
endif()
set(games ${prefix}/${GAMESDIR})
set(ENV{HOME} ${WORK}/home)
set(ENV{XDG_DATA_HOME} ${WORK}/home/xdg)
set(ENV{SDL_VIDEODRIVER} dummy)
set(ENV{SDL_AUDIODRIVER} dummy)

# the settings tool of the installed tree writes the XDG folder, whatever the working directory
execute_process(COMMAND ${games}/zorbex-setup --window --difficulty 3 WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(config ${WORK}/home/xdg/zorbex/config.dat)
if(NOT code EQUAL 0 OR NOT EXISTS ${config} OR EXISTS ${WORK}/elsewhere/config.dat)
  message(FATAL_ERROR "installed zorbex-setup did not write ${config} (${code}):\n${out}${err}")
endif()
file(READ ${config} bytes HEX)
if(NOT bytes STREQUAL "0000000003000000")
  message(FATAL_ERROR "config.dat holds ${bytes}, not window mode and difficulty 3")
endif()
# ... and reads it back with the game's own reader
execute_process(COMMAND ${games}/zorbex-setup --show WORKING_DIRECTORY ${WORK}/elsewhere
                OUTPUT_VARIABLE out)
if(NOT out MATCHES "screen mode: window\ndifficulty: 3 ")
  message(FATAL_ERROR "zorbex-setup --show after writing:\n${out}")
endif()

# the simulator finds every picture and sound of the installed data
execute_process(COMMAND ${games}/zorbex-sim --stage 1 --frames 60 --quiet WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR err MATCHES "missing")
  message(FATAL_ERROR "installed zorbex-sim (${code}):\n${out}${err}")
endif()

# the game itself starts, stays up and keeps its folder in XDG_DATA_HOME
file(REMOVE_RECURSE ${WORK}/home/xdg)
execute_process(COMMAND ${games}/zorbex WORKING_DIRECTORY ${WORK}/elsewhere TIMEOUT 3
                RESULT_VARIABLE code ERROR_VARIABLE err)
if(NOT code MATCHES "timeout" OR err MATCHES "missing")
  message(FATAL_ERROR "installed zorbex ended early (${code}):\n${err}")
endif()
if(NOT IS_DIRECTORY ${WORK}/home/xdg/zorbex)
  message(FATAL_ERROR "installed zorbex did not create ${WORK}/home/xdg/zorbex")
endif()

# beside a build, the settings tool keeps to the working directory
execute_process(COMMAND ${BUILD}/zorbex-setup --fullscreen WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE code OUTPUT_QUIET)
if(NOT code EQUAL 0 OR NOT EXISTS ${WORK}/elsewhere/config.dat)
  message(FATAL_ERROR "zorbex-setup of the build did not write config.dat in the working directory")
endif()
file(REMOVE_RECURSE ${WORK})
