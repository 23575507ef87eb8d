# Control pop-ups: framework, keypads and dimmer, programs, thermostat.
zol_add_test(client_popup_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/popup_framework_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/load_popup_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/program_popup_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/thermostat_popup_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_panel_test.cpp
  LIBS zolclientcore zoltestmain_widgets Qt6::Test
  LABELS client
  OWN_MAIN)
