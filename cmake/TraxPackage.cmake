# `cpack` (after a build) makes two Debian packages from the install
# components: trax-suite (the editor, Tessor, their CLIs and the libraries)
# and trax-simulators (trax-sim, plc-sim and their scenarios). Dependencies
# are those of the installed binaries as dpkg-shlibdeps finds them (Qt 6
# base, libmodbus, the C++ runtime), plus a CJK font for the windows' texts.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trax)
set(CPACK_PACKAGE_VENDOR Tarsel)
set(CPACK_PACKAGE_CONTACT "Tarsel <support@tarsel.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tools for TRAX Ethernet communication modules")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL suite simulators)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The suite's own libraries live in the program directory, not on the
# system's library path.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)

set(CPACK_DEBIAN_SUITE_PACKAGE_NAME trax-suite)
set(CPACK_DEBIAN_SUITE_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_SUITE_DESCRIPTION "Orvane finds TRAX modules on the plant network, reads and writes their
settings and peer tables, and upgrades their firmware, over the network or
through the PLC's serial port; orvane-cli does the same from scripts.
Tessor tests Modbus TCP servers; tessor-cli reads, writes and polls
PLC registers from scripts. Wirelet and Corvel are serial libraries for
PLC drivers.")
set(CPACK_DEBIAN_SIMULATORS_PACKAGE_NAME trax-simulators)
set(CPACK_DEBIAN_SIMULATORS_DESCRIPTION "Simulated TRAX modules and a simulated PLC, for training and tests:
trax-sim answers the module protocol for any number of virtual modules on
loopback, optionally serving Modbus TCP; plc-sim is a PLC on a
pseudo-terminal speaking the serial order protocol. Both inject faults on
request.")

# What Debian asks of every package: its copyright and change log.
foreach(component suite simulators)
  set(doc ${CMAKE_BINARY_DIR}/package-doc/trax-${component})
  file(MAKE_DIRECTORY ${doc})
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  file(WRITE ${doc}/changelog.Debian
    "trax (${PROJECT_VERSION}-1) stable; urgency=medium\n\n"
    "  * Release ${PROJECT_VERSION}.\n\n"
    " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
  execute_process(COMMAND gzip -9nf ${doc}/changelog.Debian)
  install(FILES ${CMAKE_SOURCE_DIR}/data/copyright ${doc}/changelog.Debian.gz
          DESTINATION share/doc/trax-${component} COMPONENT ${component})
endforeach()

include(CPack)
