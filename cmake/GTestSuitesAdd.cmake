# Run by CTest as it reads the tests (see GTestSuites.cmake): adds one test
# per GoogleTest suite of suites_program. When the program cannot list its
# suites, a single failing entry takes their place and tells why.

function(suites_listing_failed why)
  add_test("${suites_prefix}.list_suites" "${CMAKE_COMMAND}" -E echo
           "${suites_program} could not list its test suites: ${why}")
  set_tests_properties("${suites_prefix}.list_suites" PROPERTIES WILL_FAIL TRUE)
endfunction()

set(suites_list_command ${suites_emulator} "${suites_program}" --gtest_list_tests)
if(NOT EXISTS "${suites_program}")
  suites_listing_failed("the program is not built")
  return()
endif()

if(EXISTS "${suites_list_file}" AND NOT "${suites_program}" IS_NEWER_THAN "${suites_list_file}")
  file(STRINGS "${suites_list_file}" suites)
else()
  execute_process(COMMAND ${suites_list_command} OUTPUT_VARIABLE listing ERROR_VARIABLE errors
                  RESULT_VARIABLE status TIMEOUT 300)
  # Suites start a line ("Suite." or "Prefix/Suite.", maybe "  # TypeParam"
  # after it); their tests are the indented lines below.
  string(REGEX MATCHALL "\n[A-Za-z_][A-Za-z0-9_/]*\\." suites "\n${listing}")
  list(TRANSFORM suites REPLACE "^\n(.*)\\.$" "\\1")
  list(FILTER suites EXCLUDE REGEX "^(.*/)?DISABLED_")
  if(NOT status EQUAL 0 OR NOT suites)
    file(REMOVE "${suites_list_file}")
    suites_listing_failed("exit status ${status}, output:\n${listing}${errors}")
    return()
  endif()
  list(JOIN suites "\n" lines)
  file(WRITE "${suites_list_file}" "${lines}\n")
endif()

foreach(suite IN LISTS suites)
  add_test("${suites_prefix}.${suite}" ${suites_emulator} "${suites_program}" --gtest_brief=1
           "--gtest_filter=${suite}.*")
  set_tests_properties("${suites_prefix}.${suite}" PROPERTIES ${suites_properties})
endforeach()
