# The installed tree: the programs in bin/, the window's modules in the
# library folder's pelmora38/, the catalogue, pictures and help file
# in share/pelmora38/ (where the programs look for them, from their own folder),
# the desktop entry with its AppStream metainfo, icons, man pages, the completion
# of pelmora-cli, pelmora-web's systemd unit, and in share/doc/pelmora38/ the
# copyright, the changelogs and an nginx example; and a Debian package of it,
# whose dependencies dpkg-shlibdeps reads off the programs.
include(GNUInstallDirs)

install(TARGETS pelmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(PELMORA_BUILD_GUI)
    install(TARGETS pelmora38 pelmora-web RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS pelmora38-print pelmora38-download LIBRARY DESTINATION ${PELMORA_MODULES_DIR})
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
install(FILES ${PELMORA_PACKAGING}/com.corvane.pelmora38.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PELMORA_PACKAGING}/pelmora-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME pelmora-cli)

# Man pages and changelogs compressed as Debian installs them: gzip -9n leaves out
# the name and time, so that the same text gives the same bytes.
find_program(PELMORA_GZIP gzip REQUIRED)
set(PELMORA_COMPRESSED_DIR ${CMAKE_BINARY_DIR}/compressed)
set(PELMORA_COMPRESSED)
function(pelmora_compress source name)
    set(copy ${PELMORA_COMPRESSED_DIR}/${name})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND ${PELMORA_GZIP} -9nf ${copy}
        DEPENDS ${source})
    list(APPEND PELMORA_COMPRESSED ${copy}.gz)
    set(PELMORA_COMPRESSED ${PELMORA_COMPRESSED} PARENT_SCOPE)
endfunction()
foreach(page pelmora38.1 pelmora-cli.1 pelmora-web.1)
    pelmora_compress(${PELMORA_PACKAGING}/man/${page} ${page})
    install(FILES ${PELMORA_COMPRESSED_DIR}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
pelmora_compress(${CMAKE_SOURCE_DIR}/CHANGELOG.md changelog)
pelmora_compress(${PELMORA_PACKAGING}/changelog.Debian changelog.Debian)
add_custom_target(pelmora_compressed_files ALL DEPENDS ${PELMORA_COMPRESSED})

set(PELMORA_DOC ${CMAKE_INSTALL_DATADIR}/doc/pelmora38)
install(FILES ${PELMORA_PACKAGING}/copyright ${PELMORA_COMPRESSED_DIR}/changelog.gz
              ${PELMORA_COMPRESSED_DIR}/changelog.Debian.gz
        DESTINATION ${PELMORA_DOC})
install(FILES ${PELMORA_PACKAGING}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME pelmora38)
if(PELMORA_BUILD_GUI)
    install(FILES ${PELMORA_PACKAGING}/nginx-pelmora-web.conf DESTINATION ${PELMORA_DOC}/examples)
    # The unit names the program and the catalogue under the prefix installed
    # to, which only the install step knows (cmake --install --prefix, cpack).
    install(CODE "set(PELMORA_UNIT_SOURCE [[${PELMORA_PACKAGING}/pelmora-web.service]])
                  set(PELMORA_UNIT_STAGED [[${CMAKE_BINARY_DIR}/unit/pelmora-web.service]])")
    install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/InstallUnit.cmake)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmora38)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Pelmora 38 developers <pelmora38@corvane.com>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.corvane.com/pelmora38/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for waveguide assemblies")
# One string, each line under 80 columns, "." for the empty line between paragraphs.
set(CPACK_PACKAGE_DESCRIPTION [[
Pelmora 38 composes the catalogue part numbers of waveguide assemblies
(straight sections, bends, twists, flexible sections, tapered transitions,
coax adaptors), describes and prices them for a quantity with their delivery
time, and collects them into orders saved as spreadsheet, text or XML files.
.
Three programs share the same rules: pelmora38, a two-screen wizard in a
window; pelmora-cli, for scripts and lists of parts; and pelmora-web, a web
server with the configurator's page for browsers, shipped with a systemd unit
and an nginx example.]])
# Not a Debian-native version: the Debian changelog is changelog.Debian.gz,
# CHANGELOG.md is the upstream changelog.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's font; no library names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
set(CPACK_STRIP_FILES ON)
# Installed under DESTDIR with the final prefix, so that the unit names /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
