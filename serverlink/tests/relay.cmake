zol_add_test(serverlink_daily_log_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/daily_log_test.cpp
  LIBS zolserverlink
  LABELS serverlink)
