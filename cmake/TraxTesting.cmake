# One way to add a test program: GoogleTest (with GoogleMock), discovered by CTest.
find_package(GTest QUIET)
include(GoogleTest)

set(TRAX_TEST_DIR ${CMAKE_BINARY_DIR}/tests)
# Every write to a module leaves a backup in the per-user state directory;
# tests keep theirs in the build tree, never in the user's home.
set(TRAX_TEST_ENV "QT_QPA_PLATFORM=offscreen;XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state")

# trax_add_gtest(name SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENV "K=V" ...])
function(trax_add_gtest name)
  if(NOT BUILD_TESTING)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRAX_TEST_DIR})
  target_compile_definitions(${name} PRIVATE
    TRAX_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    TRAX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name}
    TEST_PREFIX "${name}."
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120)
  # The environment is a list, which discovery's generated script would cut
  # to its first entry; it is set on the discovered tests afterwards instead.
  set(environment ${TRAX_TEST_ENV} ${T_ENV})
  set(environment_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${environment_file}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${environment}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_file})
endfunction()

# trax_add_qtest(name SOURCES ... LIBS ...): a Qt Test program run offscreen.
function(trax_add_qtest name)
  if(NOT BUILD_TESTING OR NOT TRAX_BUILD_GUI)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test Qt6::Widgets Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRAX_TEST_DIR} AUTOMOC ON)
  target_compile_definitions(${name} PRIVATE
    TRAX_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    TRAX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120
    ENVIRONMENT "${TRAX_TEST_ENV};${T_ENV}")
endfunction()

# trax_add_fuzzer(name SOURCES ... LIBS ... [CORPUS dir]): a libFuzzer target,
# built only in the clang build with TRAX_FUZZ, and run briefly as a test.
function(trax_add_fuzzer name)
  if(NOT TRAX_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  set(args -runs=200000 -max_total_time=15)
  if(F_CORPUS)
    list(APPEND args ${F_CORPUS})
  endif()
  add_test(NAME ${name} COMMAND ${name} ${args})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()
