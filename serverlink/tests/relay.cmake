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
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/relay_session_test.cpp
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
