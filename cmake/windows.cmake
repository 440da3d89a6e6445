# The Windows program, cross-built with MinGW for 32-bit (cmake/mingw-i686.cmake) or 64-bit
# Windows (cmake/mingw-x86_64.cmake): the same app/ and io/ over the real Win32 headers and
# libraries, with the resource script compiled by windres.
#   quillon          quillon.exe, a GUI program that needs only Windows' own DLLs
#   quillon-cli      quillon-cli.exe, the command-line program, a console program
#   quillon_paquet   the programs as a user receives them, in QUILLON_PAQUET_DIR, and a zip
#   tests            the tests that run under Wine (BUILD_TESTING; `make test-windows`)

enable_language(RC)

# ---- quillon.exe: a GUI program; its resources are app/quillon.rc, whose images are the
# files drawn by app/res/dessine_images.cpp, as on Linux.
add_executable(quillon WIN32 app/quillon.rc)
target_include_directories(quillon PRIVATE ${CMAKE_SOURCE_DIR}/app)
# windres is run again when a file the script includes or names changes (headers, images,
# manifest): the scan of its includes sees none of the images.
include(${CMAKE_SOURCE_DIR}/plat/cmake/rcfiles.cmake)
quillon_rc_files(${CMAKE_SOURCE_DIR}/app/quillon.rc rc_names)
list(TRANSFORM rc_names PREPEND ${CMAKE_SOURCE_DIR}/app/)
set_property(SOURCE app/quillon.rc APPEND PROPERTY OBJECT_DEPENDS ${rc_names})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/quillon.rc)
target_link_libraries(quillon PRIVATE "${QUILLON_FENETRE}")
# The names the linker sees: 32-bit Windows decorates a function with an underscore, and a
# stdcall one with the bytes of its arguments too (_WinMain@16); 64-bit Windows does neither.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QUILLON_WIN64 ON)
    set(quillon_arch x64)
else()
    set(QUILLON_WIN64 OFF)
    set(quillon_arch x86)
endif()
function(quillon_symbol out name bytes)
    if(QUILLON_WIN64)
        set(${out} ${name} PARENT_SCOPE)
    elseif(bytes STREQUAL "")
        set(${out} _${name} PARENT_SCOPE)
    else()
        set(${out} _${name}@${bytes} PARENT_SCOPE)
    endif()
endfunction()

# WinMain lives in the program's library, and the C runtime that calls it is linked after it:
# the linker is told to take it.
quillon_symbol(winmain WinMain 16)
target_link_options(quillon PRIVATE -Wl,--undefined=${winmain})
# The system libraries the program calls beyond kernel32, user32 and gdi32.
target_link_libraries(quillon_app PUBLIC comctl32 comdlg32 shell32 ole32)

# ---- quillon-cli.exe: a console program over the same engine, with the support library's
# console form; of shell32 it calls only the splitting of its command line.
add_executable(quillon-cli ${CLI_SOURCES})
target_link_libraries(quillon-cli PRIVATE "${QUILLON_CONSOLE}" shell32)

# ---- The package: the program and the command-line program with the help document (the
# program's own name, extension "htm") and the signature file beside them, and a zip of the
# four, ready to hand out.
set(QUILLON_PAQUET_DIR ${CMAKE_BINARY_DIR}/paquet CACHE PATH
    "Where the Windows program is laid out as a user receives it")
file(MAKE_DIRECTORY ${QUILLON_PAQUET_DIR})
set(paquet_fichiers quillon.exe quillon-cli.exe quillon.htm quillon.sig)
# The 32-bit program, which runs on every Windows, is the plain "windows" one.
if(QUILLON_WIN64)
    set(paquet_zip quillon-${PROJECT_VERSION}-windows-x64.zip)
else()
    set(paquet_zip quillon-${PROJECT_VERSION}-windows.zip)
endif()
add_custom_command(
    OUTPUT ${QUILLON_PAQUET_DIR}/${paquet_zip}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillon> ${QUILLON_PAQUET_DIR}/quillon.exe
    COMMAND ${CMAKE_STRIP} ${QUILLON_PAQUET_DIR}/quillon.exe
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillon-cli> ${QUILLON_PAQUET_DIR}/quillon-cli.exe
    COMMAND ${CMAKE_STRIP} ${QUILLON_PAQUET_DIR}/quillon-cli.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/app/res/quillon.html
            ${QUILLON_PAQUET_DIR}/quillon.htm
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/app/res/quillon.sig
            ${QUILLON_PAQUET_DIR}/quillon.sig
    COMMAND ${CMAKE_COMMAND} -E tar cf ${paquet_zip} --format=zip ${paquet_fichiers}
    WORKING_DIRECTORY ${QUILLON_PAQUET_DIR}
    DEPENDS quillon quillon-cli ${CMAKE_SOURCE_DIR}/app/res/quillon.html ${CMAKE_SOURCE_DIR}/app/res/quillon.sig
    COMMENT "Laying out the Windows program in ${QUILLON_PAQUET_DIR}")
add_custom_target(quillon_paquet ALL DEPENDS ${QUILLON_PAQUET_DIR}/${paquet_zip})

# ---- Tests under Wine
if(BUILD_TESTING)
    # GoogleTest from Debian's sources (package googletest), built with this compiler.
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

    # The test hooks over the real Win32 API (plat/testhooks/win32), beside the ones over the
    # platform layer (plat/testhooks/qt): the same plat/include/plattest_*.h, searched after
    # the system's headers so that the platform layer's own Win32 headers stay out. The
    # functions the hooks stand between the program and Windows for are reached through the
    # linker's --wrap on their import pointers (__imp_ and the function's symbol).
    file(GLOB testhooks_sources CONFIGURE_DEPENDS plat/testhooks/*.cpp plat/testhooks/win32/*.cpp)
    add_library(quillon_testhooks STATIC ${testhooks_sources})
    target_include_directories(quillon_testhooks PRIVATE ${CMAKE_SOURCE_DIR}/plat)
    target_compile_options(quillon_testhooks PUBLIC -idirafter ${CMAKE_SOURCE_DIR}/plat/include)
    target_link_libraries(quillon_testhooks PUBLIC comctl32 shell32 gdi32 user32 advapi32 ole32)
    foreach(wrapped DialogBoxParamA:20 MessageBeep:4 SetTimer:16 KillTimer:8 ShellExecuteA:24
                    CreateProcessA:40 FlushFileBuffers:4 MoveFileA:8 MoveFileExA:12 _commit:)
        string(REPLACE ":" ";" wrapped "${wrapped}")
        list(GET wrapped 0 name)
        list(GET wrapped 1 bytes)
        # The import pointer is __imp_ and the function's symbol; on 32-bit Windows the linker
        # takes the names in this option without their leading underscore.
        quillon_symbol(symbol ${name} "${bytes}")
        if(QUILLON_WIN64)
            target_link_options(quillon_testhooks INTERFACE -Wl,--wrap=__imp_${symbol})
        else()
            target_link_options(quillon_testhooks INTERFACE -Wl,--wrap=_imp_${symbol})
        endif()
    endforeach()

    # The program's tests and the Windows behaviours that plat reproduces (tests/win32, stated
    # through the API alone: here they run against Wine's implementation), from the same
    # sources as on Linux (tests/plat aside: the platform layer's own workings), with the same
    # entry point. Host paths under Wine are Wine's names for the host's files
    # (\\?\unix/...), which need no drive letter: a test's drives are the only letters while
    # it runs.
    file(GLOB_RECURSE QUILLON_TESTS_ON_WINDOWS CONFIGURE_DEPENDS tests/engine/*.cpp
         tests/io/*.cpp tests/program/*.cpp tests/win32/*.cpp)
    # Linux only: what only POSIX can stage (the files say why, case by case); the block
    # copy, watched through streams of the test's own (fopencookie), which the Microsoft C
    # runtime cannot make; the writing of replacements, over the platform layer's own
    # fallbacks (no hard links) and POSIX modes.
    list(FILTER QUILLON_TESTS_ON_WINDOWS EXCLUDE REGEX
         "/remplace_posix\\.cpp$|/program/posix\\.cpp$|/iofile_copie\\.cpp$|/ecriture\\.cpp$")
    add_executable(quillon_tests tests/support/main.cpp ${QUILLON_TESTS_ON_WINDOWS} app/quillon.rc)
    target_include_directories(quillon_tests PRIVATE tests/support ${CMAKE_SOURCE_DIR}
                               ${CMAKE_SOURCE_DIR}/app)
    target_link_libraries(quillon_tests PRIVATE "${QUILLON_FENETRE}"
                          quillon_testhooks gtest comctl32)
    target_compile_definitions(quillon_tests PRIVATE
        QUILLON_PNG_DIR="\\\\\\\\?\\\\unix${CMAKE_BINARY_DIR}/png"
        QUILLON_SOURCE_DIR="\\\\\\\\?\\\\unix${CMAKE_SOURCE_DIR}"
        QUILLON_CLI="Z:${QUILLON_PAQUET_DIR}/quillon-cli.exe")
    # The command-line program is run as the user receives it, its companions beside it.
    add_dependencies(quillon_tests quillon_paquet)

    # The packaged program driven from outside, and the stand-in for the user's browser that
    # the help test registers for ".htm" documents. Its pictures are taken as the Windows test
    # hooks take them. The resources of every packaged program are read, whatever the
    # architecture (QUILLON_PAQUETS: make windows lays out both).
    set(QUILLON_PAQUETS ${QUILLON_PAQUET_DIR} CACHE STRING
        "The folders of the packaged programs whose resources the Windows tests read")
    set(programmes ${QUILLON_PAQUETS})
    list(TRANSFORM programmes PREPEND Z:)
    list(TRANSFORM programmes APPEND /quillon.exe)
    list(JOIN programmes "|" programmes)
    add_executable(quillon_wine_tests tests/windows/programme.cpp tests/windows/ressources.cpp
                   plat/testhooks/win32/picture.cpp)
    target_include_directories(quillon_wine_tests PRIVATE tests/support ${CMAKE_SOURCE_DIR})
    target_compile_options(quillon_wine_tests PRIVATE -idirafter ${CMAKE_SOURCE_DIR}/plat/include)
    target_compile_definitions(quillon_wine_tests PRIVATE QUILLON_VERSION="${PROJECT_VERSION}")
    target_link_libraries(quillon_wine_tests PRIVATE gtest_main version)
    add_executable(ouvre_document tests/windows/ouvre_document.cpp)
    add_dependencies(quillon_wine_tests ouvre_document quillon_paquet)

    # Each test runs under Wine in a process of its own, as on Linux, in a copy of a prefix of
    # the build's own, of the build's architecture (the first run makes it, which takes a
    # while), through that architecture's loader (tests/windows/wine-test); the system's
    # zone in UTC (a Windows process cannot choose its zone, and the tests assume this one);
    # Wine's messages silenced, and the components that would want downloads and the desktop's
    # menu builder left out.
    # quillon.exe needs an X display (make test-windows runs the tests in a virtual one).
    if(QUILLON_WIN64)
        set(wine_arch win64)
    else()
        set(wine_arch win32)
    endif()
    set(wine ${CMAKE_SOURCE_DIR}/tests/windows/wine-test ${CMAKE_BINARY_DIR}/wine ${wine_arch}
             TZ=UTC WINEDLLOVERRIDES=mscoree,mshtml=,winemenubuilder.exe=d)
    set_target_properties(quillon_tests PROPERTIES CROSSCOMPILING_EMULATOR "${wine}")
    set_target_properties(quillon_wine_tests PROPERTIES CROSSCOMPILING_EMULATOR
        "${wine};QUILLON_PAQUET=Z:${QUILLON_PAQUET_DIR};QUILLON_IMAGES=Z:${CMAKE_BINARY_DIR}/images;QUILLON_PROGRAMMES=${programmes}")
    include(GoogleTest)
    gtest_discover_tests(quillon_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)
    # The pictures are taken from the screen, which the windows of a test running beside would
    # cover: the packaged program's tests run alone.
    gtest_discover_tests(quillon_wine_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
                         PROPERTIES RUN_SERIAL TRUE)
endif()
