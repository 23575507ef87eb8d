zol_add_test(serverlink_codec_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/field_list_test.cpp ${CMAKE_CURRENT_LIST_DIR}/settings_table_test.cpp
  LIBS zolserverlink
  LABELS serverlink)
