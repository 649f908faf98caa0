# Tests of a Windows build: the exe files run under Wine (the toolchain file names the loader
# and the prefix's kind), in a prefix under the build folder that the fixture wine_prefix makes
# fresh for each test run and whose wineserver it ends when they are done. The tests of a build
# share it: Wine serves several programs of one prefix side by side, so `ctest -j` is safe.
# tarvex_under_wine and tarvex_check_imports below are for the tests of win32/ too.
if(NOT TARVEX_WINE_LOADER OR NOT TARVEX_WINE_ARCH)
    message(FATAL_ERROR "Windows tests run under Wine: configure with a preset, whose toolchain "
        "file (cmake/mingw-w64-*.cmake) names Wine's loader, or with -DBUILD_TESTING=OFF")
endif()
set(TARVEX_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(TARVEX_WINE_ENVIRONMENT
    WINEPREFIX=${TARVEX_WINE_DIR}/prefix
    WINEARCH=${TARVEX_WINE_ARCH}
    WINEDEBUG=-all
    # No menu entries written for the desktop, no offer to install Mono or Gecko.
    WINEDLLOVERRIDES=winemenubuilder.exe,mscoree,mshtml=d
    # Wine links the prefix's user folders to the home folder's.
    HOME=${TARVEX_WINE_DIR}/home
    # Wine's ANSI code page follows the locale: 936 under zh_CN. The prefix's maker compiles the
    # locale into LOCPATH, as a fresh Debian has only C.UTF-8.
    LOCPATH=${TARVEX_WINE_DIR}/locale
    LANG=zh_CN.UTF-8
    LC_ALL=zh_CN.UTF-8
)
# Console programs need no display, and wineboot would show its progress on one.
set(TARVEX_WINE_ENVIRONMENT_MODIFICATION DISPLAY=unset: WAYLAND_DISPLAY=unset:)

add_test(NAME wine_prefix_made
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win32/wine_prefix.sh make ${TARVEX_WINE_LOADER})
add_test(NAME wine_prefix_ended COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win32/wine_prefix.sh end)
set_tests_properties(wine_prefix_made wine_prefix_ended PROPERTIES
    ENVIRONMENT "${TARVEX_WINE_ENVIRONMENT}"
    ENVIRONMENT_MODIFICATION "${TARVEX_WINE_ENVIRONMENT_MODIFICATION}"
    LABELS wine TIMEOUT 300)
set_tests_properties(wine_prefix_made PROPERTIES FIXTURES_SETUP wine_prefix)
set_tests_properties(wine_prefix_ended PROPERTIES FIXTURES_CLEANUP wine_prefix)

# Runs the named tests under Wine in the build's prefix. Call it in the folder that adds them.
function(tarvex_under_wine)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT ${TARVEX_WINE_ENVIRONMENT})
    set_property(TEST ${ARGN} APPEND PROPERTY
        ENVIRONMENT_MODIFICATION ${TARVEX_WINE_ENVIRONMENT_MODIFICATION})
    set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix)
    set_property(TEST ${ARGN} APPEND PROPERTY LABELS wine)
endfunction()

# Checks that the exe of `target` imports Windows' own DLLs only (test
# <target>_imports_system_dlls_only); no Wine needed.
function(tarvex_check_imports target)
    add_test(NAME ${target}_imports_system_dlls_only
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win32/imports_system_dlls_only.sh
            ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>)
endfunction()
