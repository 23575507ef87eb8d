# Included by client/CMakeLists.txt (paths from client/).
# The tiles of a display, shown by the view on the offscreen platform with
# a scripted server.
zol_add_test(client_tile_tests
  SOURCES display/tests/information_tiles_test.cpp display/tests/power_image_tiles_test.cpp
  LIBS zolclientcore zoltestmain_widgets
  LABELS client
  OWN_MAIN)

# The HTML tiles need Qt WebEngine, hence a real X server: Xvfb.
add_executable(client_html_tile_tests display/tests/html_tile_test.cpp lsan_suppressions.cpp
               webengine_asan_options.cpp)
target_link_libraries(client_html_tile_tests PRIVATE zolclientcore zoltestmain_widgets Qt6::Test
                      GTest::gtest)
add_test(NAME client_html_tile_tests
         COMMAND xvfb-run -a -s "-screen 0 1280x800x24" $<TARGET_FILE:client_html_tile_tests>)
set_tests_properties(client_html_tile_tests PROPERTIES
  LABELS client TIMEOUT 180 ENVIRONMENT "QT_QPA_PLATFORM=xcb")
