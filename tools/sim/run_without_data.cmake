# Copies zorbex-sim to a folder with no data/ beside it and runs stage 1 there with
# no audio device; the run must reach its last frame and end normally.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${SIM} DESTINATION ${WORK})
get_filename_component(name ${SIM} NAME)
set(ENV{SDL_AUDIODRIVER} "none")
execute_process(COMMAND ${WORK}/${name} --stage 1 --autopilot --frames 2000 --check-pool
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "zorbex-sim without data/ ended with ${code}\n${out}\n${err}")
endif()
if(NOT out MATCHES "\"frames\":2000,")
  message(FATAL_ERROR "zorbex-sim without data/ stopped early:\n${out}")
endif()
message(STATUS "${out}")
