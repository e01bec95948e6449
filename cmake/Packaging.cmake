# A Debian package of the installed programs and files: cpack -G DEB in the build folder.
# Its dependencies are read off the programs' shared libraries (dpkg-shlibdeps).

# Debian asks for the copyright and a compressed changelog in the package's doc folder.
execute_process(COMMAND date -R -u -d "${TESSALY_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE TESSALY_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
               ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
# -n: no name or time in the header, so the same release gives the same bytes
execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/debian/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/debian/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright
              ${CMAKE_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaly)

# the programs' manual pages, compressed as Debian keeps them
foreach(page tessaly tessaly-export)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/man/${page}.1
                  OUTPUT_FILE ${CMAKE_BINARY_DIR}/man/${page}.1.gz COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tessaly developers <tessaly@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/tessaly/tessaly")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# the icons are SVG, drawn by Qt's SVG plugins, which no program links to
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "design program for card (tablet) weaving
Tessaly designs bands woven with cards (tablets): the threading of every card,
the colours of its holes and the turning sequence. It weaves the band in
simulation pick by pick, draws its face and reverse face, writes the turning
instructions, guides the weaver at the loom one pick at a time, and prints the
threading, the colour legend, the band and the instructions.

It reads and writes its own .kst patterns and the files of Twisted Threads,
GTT and tablet weaving drafts; tessaly-export turns patterns into pictures,
instructions and other formats from the command line.")
include(CPack)
