# One CTest entry per GoogleTest suite (fixture) of a test program, so that a
# crash ends only its own suite and CTest's counts say which suites ran.
# CTest asks the program itself for its suites (--gtest_list_tests, through
# the cross-compiling emulator when there is one) as it starts; the list is
# kept beside the program until the program is rebuilt, so later runs start
# at once. Each entry runs the program with --gtest_filter=<Suite>.*.
#
#   tessivo_gtest_suites(<target> <prefix> [PROPERTIES <test properties>...])
#
# The entries are named <prefix>.<Suite> and get the given test properties.
function(tessivo_gtest_suites target prefix)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "PROPERTIES")
  set(emulator "")
  if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
    set(emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
  endif()
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}-suites.cmake")
  file(GENERATE OUTPUT "${include_file}" CONTENT
"set(suites_program [==[$<TARGET_FILE:${target}>]==])
set(suites_emulator [==[${emulator}]==])
set(suites_prefix [==[${prefix}]==])
set(suites_properties [==[${arg_PROPERTIES}]==])
set(suites_list_file [==[${CMAKE_CURRENT_BINARY_DIR}/${target}-suites.txt]==])
include([==[${CMAKE_SOURCE_DIR}/cmake/GTestSuitesAdd.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
