# zol_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <label>]
#              [TIMEOUT <seconds>] [OWN_MAIN])
# OWN_MAIN: the sources bring main() (for example one that creates a QApplication).
# Builds one GoogleTest program and registers its tests with CTest, one CTest
# entry per test case, labelled with the module name.
find_package(GTest REQUIRED)
include(GoogleTest)

function(zol_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN;SERIAL" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  # SERIAL: the tests share something of the machine (the sound server).
  set(serial FALSE)
  if(ARG_SERIAL)
    set(serial TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT} RUN_SERIAL ${serial}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
