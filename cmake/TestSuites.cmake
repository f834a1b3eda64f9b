# One ctest entry per GoogleTest suite: the tests of a suite run in one process, so
# they share its start-up (the game's pictures and sounds load once per process).
# Included by tests/CMakeLists.txt; the same file runs in script mode after every
# build of the test program to list its suites.

if(CMAKE_SCRIPT_MODE_FILE)
  # Inputs: TEST_EXECUTABLE, TEST_WORKING_DIR, CTEST_FILE (the ctest script to write).
  execute_process(COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests
                  WORKING_DIRECTORY "${TEST_WORKING_DIR}"
                  OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result
                  TIMEOUT 60)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TEST_EXECUTABLE} --gtest_list_tests failed (${result}):\n${errors}")
  endif()
  # A suite whose every test skipped reads as skipped; any failure or pass in the
  # summary after the skipped list breaks the match, so no failure is ever hidden.
  set(all_skipped "\\[  PASSED  \\] 0 tests\\.\n\\[  SKIPPED \\] [0-9]+ tests?, listed below:\n(\\[  SKIPPED \\] [^\n]*\n)*$")
  set(script "")
  string(REPLACE "\n" ";" lines "${listing}")
  foreach(line IN LISTS lines)
    # suite lines stand at the left margin and end in '.', tests are indented
    if(NOT line MATCHES "^([A-Za-z0-9_/]+)\\.( |$)")
      continue()
    endif()
    set(suite "${CMAKE_MATCH_1}")
    if(suite MATCHES "(^|/)DISABLED_")
      continue()
    endif()
    string(APPEND script
           "add_test([==[${suite}]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
           "set_tests_properties([==[${suite}]==] PROPERTIES WORKING_DIRECTORY [==[${TEST_WORKING_DIR}]==]"
           " SKIP_REGULAR_EXPRESSION [==[${all_skipped}]==])\n")
  endforeach()
  file(WRITE "${CTEST_FILE}" "${script}")
  return()
endif()

# Registers the suites of `target` with ctest, listed after each build of it.
function(zorbex_add_test_suites target working_dir)
  set(ctest_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake")
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND "${CMAKE_COMMAND}" -D "TEST_EXECUTABLE=$<TARGET_FILE:${target}>"
                             -D "TEST_WORKING_DIR=${working_dir}" -D "CTEST_FILE=${ctest_file}"
                             -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
                     BYPRODUCTS "${ctest_file}"
                     VERBATIM)
  file(WRITE "${include_file}"
       "if(EXISTS \"${ctest_file}\")\n"
       "  include(\"${ctest_file}\")\n"
       "else()\n"
       "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
