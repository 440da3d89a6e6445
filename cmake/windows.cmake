# The Windows program, cross-built with MinGW (cmake/mingw-i686.cmake): the same app/ and io/
# over the real Win32 headers and libraries, with the resource script compiled by windres.
#   quillon          quillon.exe, a GUI program that needs only Windows' own DLLs
#   quillon_paquet   the program as a user receives it, in QUILLON_PAQUET_DIR, and its zip
#   tests            the tests that run under Wine (BUILD_TESTING; `make test-windows`)

enable_language(RC)

# ---- quillon.exe: a GUI program; its resources are app/quillon.rc, whose images are the
# files drawn by app/res/dessine_images.cpp, as on Linux.
add_executable(quillon WIN32 app/quillon.rc)
target_include_directories(quillon PRIVATE ${CMAKE_SOURCE_DIR}/app)
set_property(SOURCE app/quillon.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/app/quillonid.h ${CMAKE_SOURCE_DIR}/io/iodlgid.h)
target_link_libraries(quillon PRIVATE "$<LINK_GROUP:RESCAN,quillon_app,io>")
# WinMain lives in the program's library, and the C runtime that calls it is linked after it:
# the linker is told to take it.
target_link_options(quillon PRIVATE -Wl,--undefined=_WinMain@16)
# The system libraries the program calls beyond kernel32, user32 and gdi32.
target_link_libraries(quillon_app PUBLIC comctl32 comdlg32 shell32)

# ---- The package: the program with its help document (its own name, extension "htm") and
# the signature file beside it, and a zip of the three, ready to hand out.
set(QUILLON_PAQUET_DIR ${CMAKE_BINARY_DIR}/paquet CACHE PATH
    "Where the Windows program is laid out as a user receives it")
file(MAKE_DIRECTORY ${QUILLON_PAQUET_DIR})
set(paquet_fichiers quillon.exe quillon.htm quillon.sig)
set(paquet_zip quillon-${PROJECT_VERSION}-windows.zip)
add_custom_command(
    OUTPUT ${QUILLON_PAQUET_DIR}/${paquet_zip}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillon> ${QUILLON_PAQUET_DIR}/quillon.exe
    COMMAND ${CMAKE_STRIP} ${QUILLON_PAQUET_DIR}/quillon.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/app/res/quillon.html
            ${QUILLON_PAQUET_DIR}/quillon.htm
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/app/res/quillon.sig
            ${QUILLON_PAQUET_DIR}/quillon.sig
    COMMAND ${CMAKE_COMMAND} -E tar cf ${paquet_zip} --format=zip ${paquet_fichiers}
    WORKING_DIRECTORY ${QUILLON_PAQUET_DIR}
    DEPENDS quillon ${CMAKE_SOURCE_DIR}/app/res/quillon.html ${CMAKE_SOURCE_DIR}/app/res/quillon.sig
    COMMENT "Laying out the Windows program in ${QUILLON_PAQUET_DIR}")
add_custom_target(quillon_paquet ALL DEPENDS ${QUILLON_PAQUET_DIR}/${paquet_zip})

# ---- Tests under Wine
if(BUILD_TESTING)
    # GoogleTest from Debian's sources (package googletest), built with this compiler.
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

    # The test files that run on Windows: those that need no window hooks. The others drive
    # the program's dialogs through plat/include/plattest_ui.h and replace the drives through
    # plattest_fs.h (tests/support/tempdrive.h), which only the Linux platform layer
    # implements, and start with tests/support/main.cpp; once those hooks exist over Win32 (a
    # library of their own, linked here, with a main of its own in place of gtest_main),
    # their files join this list.
    set(QUILLON_TESTS_ON_WINDOWS
        tests/io/iobigend.cpp    # byte order
        tests/io/iostring.cpp    # strings
        tests/io/mac2pc.cpp      # character tables
        tests/engine/entete.cpp  # header detection and dates
        tests/engine/binaire.cpp # type and creator, the header written
        tests/engine/filetime.cpp) # file times as Windows gives them
    add_executable(quillon_tests ${QUILLON_TESTS_ON_WINDOWS})
    target_include_directories(quillon_tests PRIVATE tests/support)
    target_link_libraries(quillon_tests PRIVATE "$<LINK_GROUP:RESCAN,quillon_app,io>" gtest_main)

    # The Windows behaviours that plat reproduces, stated through the API alone: the same
    # sources that run over plat on Linux, here against Wine's implementation. Their dialogs
    # are the program's own layouts.
    file(GLOB_RECURSE win32_test_sources CONFIGURE_DEPENDS tests/win32/*.cpp)
    # The files that act as a user through plat/include/plattest_ui.h, or make drives through
    # tests/support/tempdrive.h, wait for those hooks over Win32.
    list(FILTER win32_test_sources EXCLUDE REGEX "/(dialog_input|listbox_clicks|timers|drives)\\.cpp$")
    add_executable(quillon_win32_tests ${win32_test_sources} app/quillon.rc)
    target_include_directories(quillon_win32_tests PRIVATE tests/support ${CMAKE_SOURCE_DIR}
                               ${CMAKE_SOURCE_DIR}/app)
    target_link_libraries(quillon_win32_tests PRIVATE gtest_main comctl32)

    # The packaged program driven from outside, and the stand-in for the user's browser that
    # the help test registers for ".htm" documents.
    add_executable(quillon_wine_tests tests/windows/programme.cpp)
    target_include_directories(quillon_wine_tests PRIVATE tests/support ${CMAKE_SOURCE_DIR})
    target_link_libraries(quillon_wine_tests PRIVATE gtest_main)
    add_executable(ouvre_document tests/windows/ouvre_document.cpp)
    add_dependencies(quillon_wine_tests ouvre_document quillon_paquet)

    # Each test runs under Wine in a process of its own, as on Linux: a 32-bit prefix of the
    # build's own (the first run makes it, which takes a while); the system's zone in UTC (a
    # Windows process cannot choose its zone, and the tests assume this one); Wine's messages
    # silenced and the components that would want downloads left out. quillon.exe needs an X
    # display (make test-windows runs the tests in a virtual one).
    set(wine ${CMAKE_SOURCE_DIR}/tests/windows/wine-test env WINEPREFIX=${CMAKE_BINARY_DIR}/wine
             WINEARCH=win32 WINEDEBUG=-all TZ=UTC WINEDLLOVERRIDES=mscoree,mshtml=)
    set_target_properties(quillon_tests quillon_win32_tests PROPERTIES
                          CROSSCOMPILING_EMULATOR "${wine};wine")
    set_target_properties(quillon_wine_tests PROPERTIES CROSSCOMPILING_EMULATOR
        "${wine};QUILLON_PAQUET=Z:${QUILLON_PAQUET_DIR};QUILLON_IMAGES=Z:${CMAKE_BINARY_DIR}/images;wine")
    include(GoogleTest)
    foreach(tests quillon_tests quillon_win32_tests quillon_wine_tests)
        gtest_discover_tests(${tests} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)
    endforeach()
endif()
