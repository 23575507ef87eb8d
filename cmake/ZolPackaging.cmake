# Debian packages of the suite, one per install component:
#   zol-client  zolclient, zolmsg, pictures, themes, menu entry, wall-panel examples
#   zolcli      the command-line client (no Qt)
#   zolsim      the server simulator with the demo house
# Build them from a release build with `make package`. Library dependencies
# are computed by dpkg-shlibdeps from the programs themselves; only what no
# program links is named here by hand.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zol)
set(CPACK_PACKAGE_VENDOR "ZOL client suite developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZOL_PACKAGE_CONTACT}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL zol-client zolcli zolsim)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# 0644/0755 control files and md5sums, as dpkg-deb and lintian expect.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_ZOL-CLIENT_PACKAGE_NAME zol-client)
set(CPACK_DEBIAN_ZOL-CLIENT_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_ZOL-CLIENT_DESCRIPTION
  "touch-panel client for ZOL home automation
ZOL Client shows the displays of a ZOL house as tiles on a full-screen,
touch-friendly window and operates its devices: lights, dimmers, keypads,
programs and thermostats. ZOLMsg, which the client starts, shows messages
from the server. Includes a desktop menu entry and an autostart example for
wall panels.")
# The client asks for these faces by name ("Open Sans Light", "Arial",
# "Calibri"); fontconfig maps them onto these packages, and nothing links them.
set(CPACK_DEBIAN_ZOL-CLIENT_PACKAGE_DEPENDS
  "fonts-open-sans, fonts-liberation2, fonts-crosextra-carlito")
# Qt loads these as plugins at run time, so dpkg-shlibdeps cannot see them:
# TIFF pictures (PNG, JPEG and GIF come with Qt's GUI library) and the flite
# voice for spoken messages.
set(CPACK_DEBIAN_ZOL-CLIENT_PACKAGE_RECOMMENDS
  "qt6-image-formats-plugins, qt6-speech-flite-plugin")
# Panels that run a Wayland compositor instead of X need Qt's Wayland plugin.
set(CPACK_DEBIAN_ZOL-CLIENT_PACKAGE_SUGGESTS "qt6-wayland, zolsim")

set(CPACK_DEBIAN_ZOLCLI_PACKAGE_NAME zolcli)
set(CPACK_DEBIAN_ZOLCLI_PACKAGE_SECTION net)
set(CPACK_DEBIAN_ZOLCLI_DESCRIPTION
  "command-line client for ZOL home automation
zolcli sends one command to a ZOL home-automation server, writes the reply
to a result file and ends with an exit code, so that scripts can switch
lights, start programs and query the server.")
set(CPACK_DEBIAN_ZOLCLI_PACKAGE_SUGGESTS "zolsim")

set(CPACK_DEBIAN_ZOLSIM_PACKAGE_NAME zolsim)
set(CPACK_DEBIAN_ZOLSIM_PACKAGE_SECTION net)
set(CPACK_DEBIAN_ZOLSIM_DESCRIPTION
  "simulated ZOL home-automation server
zolsim stands in for a ZOL home-automation server and its cloud relay on
the loopback interface: it serves a house design to the ZOL clients, pushes
notifications, and can misbehave on purpose for tests. The demo house is
included, to try the client or scripts built on zolcli.")
set(CPACK_DEBIAN_ZOLSIM_PACKAGE_SUGGESTS "zol-client, zolcli")

include(CPack)
