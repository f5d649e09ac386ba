# `make package` (the CMake target "package"): a Debian package with both
# programs in /usr/bin (the prefix the programs were built for), the default Data/ files in /usr/share/corvane-mod/Data
# (a --dir folder or a user's data folder starts from them), the systemd unit
# with its user, and the licence as the copyright file.
include(GNUInstallDirs)

install(TARGETS corvane-mod corvane-mod-headless RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/corvane-mod.service DESTINATION lib/systemd/system)
install(FILES packaging/corvane-mod.sysusers DESTINATION lib/sysusers.d RENAME corvane-mod.conf)
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane-mod RENAME copyright)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane-mod)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane-mod)
set(CPACK_PACKAGE_VENDOR "the Corvane Mod developers")
set(CPACK_PACKAGE_CONTACT "the Corvane Mod developers <developers@corvane-mod.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "administration tool for one rented multiplayer game server")
set(CPACK_PACKAGE_DESCRIPTION
    "Corvane Mod reads the game server's log over HTTP, talks to the server by\n"
    "remote console (RCON), runs players' chat commands, keeps a player database\n"
    "with permission groups, enforces rules on its own and steers the map\n"
    "rotation. corvane-mod is the operator window; corvane-mod-headless runs\n"
    "without one, also as the service corvane-mod.service.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://corvane-mod.example.org")
# The libraries the programs link (Qt 6, SQLite, the C++ runtime) are found
# by dpkg-shlibdeps; the window also needs Qt's platform plugins, a server
# without a display does not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "systemd | adduser")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/packaging/postinst;${PROJECT_SOURCE_DIR}/packaging/prerm;${PROJECT_SOURCE_DIR}/packaging/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
include(CPack)
