# cmake --install: the game, its desktop entry, icons, AppStream metadata and
# man page; CPack turns the same into a Debian package (scripts/package).
include(GNUInstallDirs)
install(TARGETS Ascelon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES dist/org.ascelon.Ascelon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/org.ascelon.Ascelon.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES dist/Ascelon.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
foreach(size 32 64 128 256)
    install(FILES data/icons/ascelon-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ascelon.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ascelon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Ascelon developers <ascelon@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "climb the turning towers that stand in the sea")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A small creature climbs the outside of a tall tower that turns as it walks\n"
    "around it, past steps, lifts, tunnels and enemies, before the clock runs out.\n"
    "Played with the keyboard or a gamepad, in a sharp scaled window or full screen.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies are read from the game's own libraries (dpkg-shlibdeps):
# SDL 1.2 and liblzma's runtime packages and the C library. The SDL 1.2 named
# is sdl12-compat's, which scales the window: the classic library, which
# would also satisfy libSDL-1.2.so.0, opens it at the console's 320 x 240.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libsdl1.2-compat-shim)
include(CPack)
