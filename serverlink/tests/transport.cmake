# Sockets, connection and framing, request engine and connect handshake.
zol_add_test(serverlink_transport_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fake_server.cpp
          ${CMAKE_CURRENT_LIST_DIR}/frame_splitter_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/greeting_frame_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/request_engine_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/socket_set_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/server_link_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/connect_handshake_test.cpp
  LIBS zolserverlink
  LABELS serverlink
  TIMEOUT 180)
