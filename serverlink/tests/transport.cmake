# Sockets, connection and framing, request engine and connect handshake.
zol_add_test(serverlink_transport_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fake_server.cpp
          ${CMAKE_CURRENT_LIST_DIR}/connect_handshake_test.cpp
  LIBS zolserverlink
  LABELS serverlink
  TIMEOUT 120)
