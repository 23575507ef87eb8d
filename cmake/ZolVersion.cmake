# Product versions compiled into the programs. The GUI client sends a, b and
# (c * 65536 + d) in its greeting; the command-line program sends d, b, a.
set(ZOL_CLIENT_VERSION_A 16)
set(ZOL_CLIENT_VERSION_B 0)
set(ZOL_CLIENT_VERSION_C 0)
set(ZOL_CLIENT_VERSION_D 17)
set(ZOL_CLI_VERSION_A 1)
set(ZOL_CLI_VERSION_B 0)
set(ZOL_CLI_VERSION_C 0)
set(ZOL_CLI_VERSION_D 2)
configure_file(${CMAKE_SOURCE_DIR}/cmake/zol_version.h.in
               ${CMAKE_BINARY_DIR}/generated/zol_version.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
