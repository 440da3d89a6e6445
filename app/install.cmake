# The program's companions: its help file beside the executable (the program looks for it
# there, under its own name with the extension "htm"; the command-line program under the
# window's), and what `make install` puts in place.

# Help file and signature file next to the built program, so that `make run` finds them.
set(QUILLON_AIDE ${CMAKE_SOURCE_DIR}/app/res/quillon.html)
set(QUILLON_SIG ${CMAKE_SOURCE_DIR}/app/res/quillon.sig)
get_target_property(QUILLON_DIR quillon RUNTIME_OUTPUT_DIRECTORY)
if(NOT QUILLON_DIR)
    set(QUILLON_DIR ${CMAKE_CURRENT_BINARY_DIR})
endif()
# The help file and the signature file sit beside the built program, as they do installed.
add_custom_command(
    OUTPUT ${QUILLON_DIR}/quillon.htm ${QUILLON_DIR}/quillon.sig
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUILLON_AIDE} ${QUILLON_DIR}/quillon.htm
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUILLON_SIG} ${QUILLON_DIR}/quillon.sig
    DEPENDS ${QUILLON_AIDE} ${QUILLON_SIG})
add_custom_target(quillon_fichiers ALL DEPENDS ${QUILLON_DIR}/quillon.htm ${QUILLON_DIR}/quillon.sig)

# Installed layout: the program and the command-line program live in lib/quillon with their
# help and signature files beside them (links to the copies in share/quillon), and
# bin/quillon and bin/quillon-cli link to them; a program resolves the link when it asks for
# its own path, so it finds them.
set(QUILLON_LIBDIR lib/quillon)
set(QUILLON_DATADIR share/quillon)
install(TARGETS quillon quillon-cli RUNTIME DESTINATION ${QUILLON_LIBDIR})
install(FILES ${QUILLON_AIDE} DESTINATION ${QUILLON_DATADIR} RENAME quillon.htm)
if(EXISTS ${QUILLON_SIG})
    install(FILES ${QUILLON_SIG} DESTINATION ${QUILLON_DATADIR})
endif()
install(CODE "
    set(racine \"\$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}\")
    file(MAKE_DIRECTORY \"\${racine}/bin\")
    file(CREATE_LINK ../${QUILLON_LIBDIR}/quillon \"\${racine}/bin/quillon\" SYMBOLIC)
    file(CREATE_LINK ../${QUILLON_LIBDIR}/quillon-cli \"\${racine}/bin/quillon-cli\" SYMBOLIC)
    file(CREATE_LINK ../../${QUILLON_DATADIR}/quillon.htm
         \"\${racine}/${QUILLON_LIBDIR}/quillon.htm\" SYMBOLIC)
    file(CREATE_LINK ../../${QUILLON_DATADIR}/quillon.sig
         \"\${racine}/${QUILLON_LIBDIR}/quillon.sig\" SYMBOLIC)
    message(STATUS \"Installing: \${racine}/bin/quillon -> ../${QUILLON_LIBDIR}/quillon\")
    message(STATUS \"Installing: \${racine}/bin/quillon-cli -> ../${QUILLON_LIBDIR}/quillon-cli\")
    message(STATUS \"Installing: \${racine}/${QUILLON_LIBDIR}/quillon.htm -> ../../${QUILLON_DATADIR}/quillon.htm\")
    message(STATUS \"Installing: \${racine}/${QUILLON_LIBDIR}/quillon.sig -> ../../${QUILLON_DATADIR}/quillon.sig\")
")

# The manual pages of both programs (compressed), the package's documents, and `make deb`.
include(cmake/deb.cmake)

# Desktop entry, icons and what software centres show, so that desktops list the program in
# their application menu.
install(FILES ${CMAKE_SOURCE_DIR}/app/res/quillon.metainfo.xml DESTINATION share/metainfo
        RENAME org.quillon.Quillon.metainfo.xml)
set(QUILLON_BIN ${CMAKE_INSTALL_PREFIX}/bin/quillon)
configure_file(${CMAKE_SOURCE_DIR}/app/res/quillon.desktop.in
               ${CMAKE_BINARY_DIR}/quillon.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/quillon.desktop DESTINATION share/applications)
# The program icon's images, drawn by app/res/dessine_images.cpp with those of quillon.ico, and
# the scalable one drawn after them (app/res/icons/quillon.svg).
foreach(taille 16 32 48 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/app/res/icons/quillon-${taille}.png
            DESTINATION share/icons/hicolor/${taille}x${taille}/apps RENAME quillon.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/app/res/icons/quillon.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(CODE "
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
        execute_process(COMMAND gtk-update-icon-cache -q -t -f
                                ${CMAKE_INSTALL_PREFIX}/share/icons/hicolor
                        OUTPUT_QUIET ERROR_QUIET)
        execute_process(COMMAND update-desktop-database -q ${CMAKE_INSTALL_PREFIX}/share/applications
                        OUTPUT_QUIET ERROR_QUIET)
    endif()
")
