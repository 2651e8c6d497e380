# The system layout of a Debian package (ZELMORA_PACKAGE=ON): programs in bin/, the editor's
# animation player in lib/<multiarch>/zelmora/, the installer the package builder ships in
# share/zelmora/, the desktop entry, icon, AppStream metadata, manual pages made from the programs'
# own --help, bash completion, copyright and changelog. CPack's DEB generator turns it into
# zelmora_VERSION_ARCH.deb (scripts/package).
include(GNUInstallDirs)
set(deb ${CMAKE_SOURCE_DIR}/packaging/deb)
set(generated ${CMAKE_BINARY_DIR}/deb)
file(MAKE_DIRECTORY ${generated})

install(TARGETS ZMDEdit zmd Fendrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The editor's animation player, a private module it finds from bin/.
if(TARGET zelmora_media_player)
  install(TARGETS zelmora_media_player LIBRARY DESTINATION ${ZELMORA_PACKAGE_MODULE_DIR})
endif()
# The installer is Fendrel itself; a link keeps one copy and leaves architecture-dependent files
# out of share/.
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/zelmora\")
  file(CREATE_LINK ../../bin/Fendrel \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/zelmora/ZMDInst.dat\" SYMBOLIC)
")
install(FILES ${deb}/zelmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/zelmora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(VERSION ${PROJECT_VERSION})
configure_file(${deb}/zelmora.metainfo.xml ${generated}/org.example.zelmora.metainfo.xml @ONLY)
install(FILES ${generated}/org.example.zelmora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${deb}/zmd.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zmd)
install(FILES ${deb}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelmora)
configure_file(${deb}/changelog ${generated}/changelog @ONLY)

# Manual pages and the changelog, compressed without a time stamp so the package is reproducible.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
set(pages)
foreach(program zmd ZMDEdit Fendrel)
  set(page ${generated}/${program}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program} -DHELP2MAN=${HELP2MAN}
            -DOUTPUT=${page} -P ${deb}/man_page.cmake
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${program} ${deb}/man_page.cmake VERBATIM)
  list(APPEND pages ${page}.gz)
endforeach()
add_custom_command(OUTPUT ${generated}/changelog.gz
  COMMAND ${GZIP} -9nc ${generated}/changelog > ${generated}/changelog.gz
  DEPENDS ${generated}/changelog)
add_custom_target(deb_extras ALL DEPENDS ${pages} ${generated}/changelog.gz)
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelmora)

# cpack builds only what the package holds (scripts/package builds it first), not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Zelmora developers <zelmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "solar system designer for the space game Quarvel")
set(CPACK_PACKAGE_DESCRIPTION "Zelmora edits the solar systems of Quarvel: the star, its planets and each
planet's script of messages, with away-team adventures, a test simulator, a
script checker and packages that other players install with Fendrel.

The editor (ZMDEdit) asks once for the game's folder inside a Wine prefix;
zmd does the same work on the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Spelling needs a Hunspell dictionary; any installed one can be chosen.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-en-us | hunspell-dictionary")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
