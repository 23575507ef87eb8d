zol_add_test(serverlink_daily_log_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/daily_log_test.cpp
  LIBS zolserverlink
  LABELS serverlink)
zol_add_test(serverlink_discovery_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bridge_discovery_test.cpp
  LIBS zolserverlink
  LABELS serverlink)
zol_add_test(serverlink_relay_codec_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/relay_crypto_test.cpp ${CMAKE_CURRENT_LIST_DIR}/json_reader_test.cpp
  LIBS zolserverlink
  LABELS serverlink)
zol_add_test(serverlink_relay_session_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/relay_session_test.cpp ${CMAKE_CURRENT_LIST_DIR}/relay_host_lookup_test.cpp
  LIBS zolserverlink
  LABELS serverlink)
zol_add_test(serverlink_relay_link_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/relay_link_test.cpp
  LIBS zolserverlink
  LABELS serverlink
  TIMEOUT 120)
zol_add_test(serverlink_relay_binding_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/relay_binding_test.cpp
  LIBS zolserverlink
  LABELS serverlink
  TIMEOUT 120)
# End to end against zolsim (built only with Qt); the test itself needs no Qt.
if(ZOL_WITH_QT)
  zol_add_test(serverlink_relay_zolsim_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/relay_zolsim_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/relay_message_reader_test.cpp
            ${CMAKE_SOURCE_DIR}/simulator/relay_message_reader.cpp
    LIBS zolserverlink
    LABELS serverlink
    TIMEOUT 120)
  target_compile_definitions(serverlink_relay_zolsim_tests PRIVATE ZOLSIM_PATH="$<TARGET_FILE:zolsim>")
  add_dependencies(serverlink_relay_zolsim_tests zolsim)
endif()
