# The programs of the suite are the executables built into the program
# directory; tests and fuzzers are built elsewhere. One test runs every
# program with --version and --help, so a new program is checked as soon as
# it joins the build.

# trax_collect_programs(dir result): appends the programs defined in `dir` and
# below it to the list variable `result`.
function(trax_collect_programs dir result)
  set(found ${${result}})
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(output ${target} RUNTIME_OUTPUT_DIRECTORY)
    if(type STREQUAL "EXECUTABLE" AND (output STREQUAL "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
                                       OR output STREQUAL "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ORVANETEST"))
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    trax_collect_programs(${subdir} found)
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

if(BUILD_TESTING)
  set(trax_programs)
  trax_collect_programs(${CMAKE_SOURCE_DIR} trax_programs)
  set(trax_program_files)
  foreach(program IN LISTS trax_programs)
    list(APPEND trax_program_files $<TARGET_FILE:${program}>)
  endforeach()
  add_test(NAME ProgramsAnswerHelpAndVersion
    COMMAND sh ${CMAKE_SOURCE_DIR}/test_support/help_and_version_test.sh ${PROJECT_VERSION} ${trax_program_files})
  set_tests_properties(ProgramsAnswerHelpAndVersion PROPERTIES TIMEOUT 300)
endif()
