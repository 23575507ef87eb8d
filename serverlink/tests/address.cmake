zol_add_test(serverlink_address_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/server_address_test.cpp
  LIBS zolserverlink
  LABELS serverlink)
