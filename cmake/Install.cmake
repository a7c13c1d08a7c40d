# The installed tree: the programs in bin/, the catalogue, pictures and help file
# in share/pelmora38/ (where the programs look for them, from their own folder),
# the desktop entry, icons, man pages and the completion of pelmora-cli; and a
# Debian package of it, whose dependencies dpkg-shlibdeps reads off the programs.
include(GNUInstallDirs)

install(TARGETS pelmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(PELMORA_BUILD_GUI)
    install(TARGETS pelmora38 pelmora-web RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(PELMORA_SHARE ${CMAKE_INSTALL_DATADIR}/pelmora38)
install(DIRECTORY ${PELMORA_SHIPPED_DIR}/Data ${PELMORA_SHIPPED_DIR}/Images
        DESTINATION ${PELMORA_SHARE})
install(FILES ${PELMORA_SHIPPED_DIR}/Pelmora38.hlp DESTINATION ${PELMORA_SHARE})
if(PELMORA_BUILD_GUI)
    # pelmora-web's page.
    install(DIRECTORY ${PELMORA_PAGE_DIR}/ DESTINATION ${PELMORA_SHARE}/web)
endif()

set(PELMORA_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${PELMORA_PACKAGING}/pelmora38.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PELMORA_PACKAGING}/icons/pelmora38-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME pelmora38.png)
install(FILES ${CMAKE_SOURCE_DIR}/src/gui/resources/mainicon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME pelmora38.png)
install(FILES ${PELMORA_PACKAGING}/icons/pelmora38.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PELMORA_PACKAGING}/man/pelmora38.1 ${PELMORA_PACKAGING}/man/pelmora-cli.1
              ${PELMORA_PACKAGING}/man/pelmora-web.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PELMORA_PACKAGING}/pelmora-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME pelmora-cli)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmora38)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Pelmora 38 developers <pelmora38@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator for waveguide assemblies")
set(CPACK_PACKAGE_DESCRIPTION
    "A two-screen wizard composes, describes and prices waveguide assemblies and collects "
    "them into orders; pelmora-cli drives the same rules for scripts and RFQ lists.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's font; no library names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
include(CPack)
