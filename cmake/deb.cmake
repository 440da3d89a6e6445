# `make deb`: the Linux programs as a Debian package (CPack), with what `make install` puts in
# place under /usr, the manual pages compressed, and the files Debian asks of every package
# (copyright, changelog). Its dependencies are those of the programs' libraries, as
# dpkg-shlibdeps finds them.
set(QUILLON_DOC share/doc/quillon)
foreach(page quillon quillon-cli)
    add_custom_command(
        OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/app/res/${page}.1 > ${CMAKE_BINARY_DIR}/man/${page}.1.gz
        DEPENDS ${CMAKE_SOURCE_DIR}/app/res/${page}.1)
    list(APPEND quillon_man ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/changelog.Debian.gz
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/changelog > ${CMAKE_BINARY_DIR}/changelog.Debian.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog)
add_custom_target(quillon_man ALL DEPENDS ${quillon_man} ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${quillon_man} DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/changelog.Debian.gz
        DESTINATION ${QUILLON_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Quillon project <quillon@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # quillon_1.0-1_amd64.deb
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The synopsis, then the long description: CPack indents its lines and marks its blank line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "add and strip the Quillon headers of files for a Macintosh
A Macintosh file has a data fork, a resource fork and Finder information
(file type, creator, dates) that a PC file system cannot hold; a Quillon
file carries them in one flat file that begins with a 128-byte header.

Quillon adds such a header to plain files in place, strips it off again,
and shows what a header holds, in a window (quillon) or from scripts
(quillon-cli).")
# Directories the package shares with others are the system's, not its own.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
