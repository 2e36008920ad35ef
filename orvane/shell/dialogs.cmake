# The editor's settings dialogs over the forms, the Qt SettingsDialogs and the
# list's two hand-off commands (export and test), with their tests: one Qt
# Test program per dialog.
add_library(orvane_dialogs STATIC
  dlg_add_device.cpp
  dlg_advanced_set.cpp
  dlg_general_set.cpp
  dlg_p2p_config.cpp
  list_hand_off.cpp
  qt_settings_dialogs.cpp)
set_target_properties(orvane_dialogs PROPERTIES AUTOMOC ON)
target_include_directories(orvane_dialogs PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orvane_dialogs PUBLIC orvane_forms orvane_export orvane_controls orvane_protocol
  Qt6::Widgets)

foreach(dialog dlg_advanced_set dlg_add_device dlg_p2p_config)
  trax_add_qtest(${dialog}_test
    SOURCES tests/${dialog}_test.cpp
    LIBS orvane_dialogs trax_test_support)
endforeach()
# Its last test runs the basic settings command against the simulator and
# compares the write with orvane-cli's.
trax_add_qtest(dlg_general_set_test
  SOURCES tests/dlg_general_set_test.cpp
  LIBS orvane_dialogs orvane_cli_core trax_test_support)
if(TARGET dlg_general_set_test)
  add_dependencies(dlg_general_set_test trax-sim)
endif()

# The window's settings commands opening these dialogs, against trax-sim.
trax_add_qtest(qt_settings_dialogs_test
  SOURCES tests/qt_settings_dialogs_test.cpp
  LIBS orvane_shell trax_test_support)
if(TARGET qt_settings_dialogs_test)
  add_dependencies(qt_settings_dialogs_test trax-sim)
endif()
