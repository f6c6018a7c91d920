# GoogleTest, built from source with the target toolchain so that the tests
# are Windows programs like the product they test.

set(CQ_GOOGLETEST_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
if(NOT EXISTS "${CQ_GOOGLETEST_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${CQ_GOOGLETEST_DIR}: "
                      "set CQ_GOOGLETEST_DIR, or configure with -DBUILD_TESTING=OFF")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory("${CQ_GOOGLETEST_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

# How long one test program may run before CTest ends it: a hung program ends
# in two minutes, not the preset's ten. Apart from the two that say why they
# need more, the slowest takes about 30 s on a machine busy with builds.
set(CQ_TEST_TIMEOUT 120)

# cq_add_test(<name> SOURCES <files...> [LIBRARIES <libs...>] [PROPERTIES <ctest properties...>])
# One GoogleTest program, run by CTest through the cross-compiling emulator,
# within CQ_TEST_TIMEOUT unless its PROPERTIES give it a TIMEOUT of its own.
function(cq_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  cq_warnings(${name})
  cq_executable_links(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  # tools/wine-run answers 77 where the machine cannot run the program.
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${CQ_TEST_TIMEOUT})
  if(ARG_PROPERTIES)
    set_tests_properties(${name} PROPERTIES ${ARG_PROPERTIES})
  endif()
endfunction()
