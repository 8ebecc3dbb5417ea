# Where a Linux desktop looks for a game's files, and the Debian package made
# from exactly those files:
#   cmake --install build --prefix ~/.local      or      (cd build && cpack -G DEB)
include(GNUInstallDirs)

set(TAV_APP_ID org.example.Tav)  # placeholder domain until the project has its own

# Debian keeps games in /usr/games (and /usr/local/games), both on every
# user's PATH there; lintian insists on it for a package of section games.
set(TAV_INSTALL_GAMESDIR games CACHE STRING "Where the program is installed, below the prefix")
# Qt's project setup gives programs a run path next to themselves; the game
# uses the system's Qt and needs none.
set_target_properties(tav PROPERTIES INSTALL_RPATH "")
install(TARGETS tav RUNTIME DESTINATION ${TAV_INSTALL_GAMESDIR})
install(FILES resources/${TAV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/${TAV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Drawn by tools/cardart (tav_cardart --icons resources/icons); a test checks
# the committed pictures are what the generator draws.
install(DIRECTORY resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES resources/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The manual page carries the project's version, and Debian wants it (and the
# changelog) compressed without a time stamp: gzip -9n.
configure_file(resources/tav.6.in tav.6 @ONLY)
set(TAV_MANPAGE ${CMAKE_CURRENT_BINARY_DIR}/tav.6)
add_custom_command(
  OUTPUT tav.6.gz changelog.gz
  COMMAND gzip -9n -c ${TAV_MANPAGE} > tav.6.gz
  COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/resources/changelog > changelog.gz
  DEPENDS ${TAV_MANPAGE} resources/changelog
  VERBATIM)
add_custom_target(tav_compressed_docs ALL DEPENDS tav.6.gz changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tav.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The table server, in the same package: the program, its manual page, the
# protocol's reference, and a service unit that is not enabled on install
# (Debian 12 keeps units under /lib, outside the /usr prefix).
if(TARGET tav-server)
  install(TARGETS tav-server RUNTIME DESTINATION ${TAV_INSTALL_GAMESDIR})
  configure_file(resources/tav-server.6.in tav-server.6 @ONLY)
  set(TAV_SERVER_MANPAGE ${CMAKE_CURRENT_BINARY_DIR}/tav-server.6)
  add_custom_command(
    OUTPUT tav-server.6.gz
    COMMAND gzip -9n -c ${TAV_SERVER_MANPAGE} > tav-server.6.gz
    DEPENDS ${TAV_SERVER_MANPAGE}
    VERBATIM)
  add_custom_target(tav_server_manpage ALL DEPENDS tav-server.6.gz)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tav-server.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES docs/protocol.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES resources/tav-server.service DESTINATION /lib/systemd/system)
  # The server as a user meets it: refused lines, --version, --help naming
  # what the manual page names, a start and a stop by SIGTERM.
  add_test(NAME tav_server.command_line
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/tests/app/server_command_line_test.sh
                   $<TARGET_FILE:tav-server> ${PROJECT_VERSION} ${TAV_SERVER_MANPAGE})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tav developers <tav@example.org>")  # placeholder maintainer
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "six-seat Chinese climbing card game")
# One string: separate arguments would be joined by CMake's list semicolons.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tav (瑟柯牌局) is a Chinese climbing card game for six seats, played with four"
    "full decks and their jokers. You sit with two partners against three"
    "opponents; the computer plays the five other seats. Places decide the"
    "score and the tribute paid before the next deal.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tav.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# What the libraries do not name: Qt's window-system plugins, Qt's own
# translations (its buttons and dialogs in Chinese, see ui/application.cpp), and
# the fonts the table, its labels and the card art ask for by name (see
# ui/fonts.cpp and tools/cardart).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-noto-cjk, fonts-liberation2, fonts-lxgw-wenkai, fonts-arphic-ukai, fonts-dejavu-core, fonts-dejavu-extra")
include(CPack)
