# A fresh build/bin is a working program directory: a Lumen_.ini and the
# sample firmware image beside the programs, so a scan of trax-sim shows each
# module's ID, name and description.
#
# The build tree's Lumen_.ini sends to 127.0.0.1:58580 (trax-sim's default),
# never to the plant network: a developer's build is run against the
# simulators far more often than against modules. It is written only when
# missing, so an edited one survives rebuilds. The installed Lumen_.ini keeps
# the modules' real destination, 255.255.255.255:58580.

set(TRAX_SAMPLE_IMAGE M4-TRAX100.bin)
set(TRAX_PROGRAM_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

set(TRAX_BROADCAST_ADDRESS 127.0.0.1)
configure_file(data/Lumen_.ini.in ${CMAKE_BINARY_DIR}/generated/Lumen_.build.ini @ONLY)
set(TRAX_BROADCAST_ADDRESS 255.255.255.255)
configure_file(data/Lumen_.ini.in ${CMAKE_BINARY_DIR}/generated/Lumen_.ini @ONLY)

add_custom_command(OUTPUT ${TRAX_PROGRAM_DIR}/Lumen_.ini
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/generated/Lumen_.build.ini ${TRAX_PROGRAM_DIR}/Lumen_.ini
  COMMENT "Lumen_.ini for the build tree (127.0.0.1:58580)")

# The image's major number matches the simulated modules' firmware (4), so the
# scan reads their basic settings. It is a simulator's image, not a module's.
set(trax_program_dir_outputs ${TRAX_PROGRAM_DIR}/Lumen_.ini)
if(TARGET trax-sim)
  add_custom_command(OUTPUT ${TRAX_PROGRAM_DIR}/${TRAX_SAMPLE_IMAGE}
    COMMAND trax-sim make-image --kind system --version 4.1.0.0 --size 65536
            ${TRAX_PROGRAM_DIR}/${TRAX_SAMPLE_IMAGE}
    DEPENDS trax-sim
    COMMENT "Sample firmware image ${TRAX_SAMPLE_IMAGE}")
  list(APPEND trax_program_dir_outputs ${TRAX_PROGRAM_DIR}/${TRAX_SAMPLE_IMAGE})
endif()
add_custom_target(trax_program_directory ALL DEPENDS ${trax_program_dir_outputs})
