# `cmake --install` lays out the program directory, relocatable under any prefix:
#
#   <prefix>/lib/trax/                 orvane, orvane-cli, tessor-cli, trax-sim, plc-sim,
#                                      the four libraries, Lumen_.ini, the sample image,
#                                      the help pages
#   <prefix>/lib/trax/ORVANETEST/      tessor and its Config.ini
#   <prefix>/share/trax/scenarios/     the simulators' scenario files
#   <prefix>/bin/                      links to the programs people type
#   <prefix>/share/{applications,icons,mime,man}
#
# Every program finds its libraries through $ORIGIN and its settings through
# its own directory, so the whole tree may be moved. Lumen_.ini and Config.ini
# keep the modules' real destinations; a user who cannot write them gets a
# copy under ~/.config/trax (platform/settings_location.h).
# Install components: `suite` (the editor, Tessor, the two CLIs, the libraries)
# and `simulators` (trax-sim, plc-sim and their scenarios).
# Targets that join the build later are installed as soon as they exist.

set(TRAX_INSTALL_DIR lib/trax)
set(TRAX_LINK_DIR ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${TRAX_LINK_DIR})

# trax_install_program(target component [SUBDIR dir]): the program into the
# program directory and a relative link to it into <prefix>/bin.
function(trax_install_program target component)
  cmake_parse_arguments(P "" "SUBDIR" "" ${ARGN})
  if(NOT TARGET ${target})
    return()
  endif()
  set(dir ${TRAX_INSTALL_DIR})
  if(P_SUBDIR)
    set(dir ${dir}/${P_SUBDIR})
    # Beside its directory lie the libraries it links.
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN;$ORIGIN/..")
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION ${dir} COMPONENT ${component})
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  file(RELATIVE_PATH link_target ${CMAKE_INSTALL_PREFIX}/bin ${CMAKE_INSTALL_PREFIX}/${dir}/${name})
  file(CREATE_LINK ${link_target} ${TRAX_LINK_DIR}/${name} SYMBOLIC)
  install(FILES ${TRAX_LINK_DIR}/${name} DESTINATION bin COMPONENT ${component})
endfunction()

trax_install_program(orvane suite)
trax_install_program(orvane-cli suite)
# Beside orvane-cli, as in the build tree: its defaults come from a Config.ini
# beside it, not from the one the window rewrites (--config names that one).
trax_install_program(tessor-cli suite)
trax_install_program(tessor suite SUBDIR ORVANETEST)
trax_install_program(trax-sim simulators)
trax_install_program(plc_sim simulators)

foreach(library Wirelet Tethra Corvel quorra)
  if(TARGET ${library})
    install(TARGETS ${library} LIBRARY DESTINATION ${TRAX_INSTALL_DIR} COMPONENT suite NAMELINK_SKIP)
  endif()
endforeach()

install(FILES ${CMAKE_BINARY_DIR}/generated/Lumen_.ini DESTINATION ${TRAX_INSTALL_DIR} COMPONENT suite)
if(TARGET trax-sim)
  install(FILES ${TRAX_PROGRAM_DIR}/${TRAX_SAMPLE_IMAGE} DESTINATION ${TRAX_INSTALL_DIR} COMPONENT suite)
endif()
foreach(page ModuleHelpcn.htm GeneralHelpcn.htm)
  if(EXISTS ${CMAKE_SOURCE_DIR}/orvane/shell/help/${page})
    install(FILES orvane/shell/help/${page} DESTINATION ${TRAX_INSTALL_DIR} COMPONENT suite)
  endif()
endforeach()
# Orvane writes Config.ini only into an existing ORVANETEST, so the directory
# comes with the editor even before Tessor does.
install(FILES data/Config.ini DESTINATION ${TRAX_INSTALL_DIR}/ORVANETEST COMPONENT suite)

foreach(sim trax_sim plc_sim)
  string(REPLACE "_" "-" name ${sim})
  install(DIRECTORY sim/${sim}/scenarios/ DESTINATION share/trax/scenarios/${name}
          COMPONENT simulators FILES_MATCHING PATTERN "*.json")
endforeach()

# Desktop integration of the editor and Tessor.
foreach(program orvane tessor)
  if(TARGET ${program})
    install(FILES data/desktop/${program}.desktop DESTINATION share/applications COMPONENT suite)
    install(FILES data/icons/${program}.svg DESTINATION share/icons/hicolor/scalable/apps COMPONENT suite)
  endif()
endforeach()
install(FILES data/icons/application-x-orvane-document.svg
        DESTINATION share/icons/hicolor/scalable/mimetypes COMPONENT suite)
install(FILES data/mime/orvane.xml DESTINATION share/mime/packages COMPONENT suite)

# Manual pages, compressed as Debian wants them, each checked against its
# program's --help so that neither drifts from the other.
set(trax_manual_pages)
foreach(page orvane:orvane:suite orvane-cli:orvane-cli:suite tessor:tessor:suite
             tessor-cli:tessor-cli:suite trax-sim:trax-sim:simulators plc-sim:plc_sim:simulators)
  string(REPLACE ":" ";" page ${page})
  list(GET page 0 name)
  list(GET page 1 target)
  list(GET page 2 component)
  set(source ${CMAKE_SOURCE_DIR}/data/man/${name}.1)
  if(EXISTS ${source})
    set(packed ${CMAKE_BINARY_DIR}/man/${name}.1.gz)
    add_custom_command(OUTPUT ${packed}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND sh -c "gzip -9n -c '${source}' > '${packed}'"
      DEPENDS ${source} VERBATIM)
    list(APPEND trax_manual_pages ${packed})
    install(FILES ${packed} DESTINATION share/man/man1 COMPONENT ${component})
    if(BUILD_TESTING AND TARGET ${target})
      add_test(NAME manual_page_${name}
        COMMAND sh ${CMAKE_SOURCE_DIR}/data/man/manual_page_test.sh $<TARGET_FILE:${target}> ${source})
    endif()
  endif()
endforeach()
add_custom_target(trax_manual_pages ALL DEPENDS ${trax_manual_pages})
