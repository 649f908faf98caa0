# Tests of a Windows build run their exe files under Wine (the toolchain file names the loader
# and the prefix's kind), each in a Wine prefix of its own that is made for the run and removed,
# its server ended, when the program has ended (tests/win32/wine_prefix.sh run): the emulator
# that CTest puts in front of a cross-built test program. tarvex_under_wine and
# tarvex_check_imports below are for the tests of win32/ too.
if(NOT TARVEX_WINE_LOADER OR NOT TARVEX_WINE_ARCH)
    message(FATAL_ERROR "Windows tests run under Wine: configure with a preset, whose toolchain "
        "file (cmake/mingw-w64-*.cmake) names Wine's loader, or with -DBUILD_TESTING=OFF")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
    bash ${PROJECT_SOURCE_DIR}/tests/win32/wine_prefix.sh run ${TARVEX_WINE_LOADER})
# A machine whose kernel runs no 32-bit programs cannot start the 32-bit Wine: the tests are
# still registered, and say they are skipped; the test programs only Wine would run are not
# built there (tarvex_run_only_under_wine).
execute_process(
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win32/wine_prefix.sh runs ${TARVEX_WINE_LOADER}
    RESULT_VARIABLE TARVEX_WINE_LOADER_STATUS OUTPUT_VARIABLE wine_loader_says
    ERROR_VARIABLE wine_loader_says)
if(TARVEX_WINE_LOADER_STATUS EQUAL 77)
    string(REGEX REPLACE "^SKIP: |\n$" "" wine_loader_says "${wine_loader_says}")
    message(STATUS "${wine_loader_says}; the test programs run under Wine are not built")
endif()
file(STRINGS ${PROJECT_SOURCE_DIR}/tests/win32/wine.env TARVEX_WINE_ENVIRONMENT
    REGEX "^[A-Z_]+=")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tests/win32/wine.env)
# The locales Wine's tests run under (Chinese, and English for an English Windows) are compiled
# once, by the build: a fresh Debian has only C.UTF-8, and a test that compiled them while
# another started would have the second one's shell warn, into its output, that it has none.
# The tests on a Wine desktop are given them too.
set(TARVEX_WINE_LOCALES ${CMAKE_BINARY_DIR}/wine/locale)
set(wine_locale_files)
foreach(locale zh_CN en_US)
    set(compiled ${TARVEX_WINE_LOCALES}/${locale}.UTF-8)
    add_custom_command(OUTPUT ${compiled}/LC_CTYPE
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVEX_WINE_LOCALES}
        COMMAND localedef --no-archive -i ${locale} -f UTF-8 ${compiled}
        COMMENT "Compiling the ${locale}.UTF-8 locale for the tests under Wine"
        VERBATIM)
    list(APPEND wine_locale_files ${compiled}/LC_CTYPE)
endforeach()
add_custom_target(tarvex_wine_locales ALL DEPENDS ${wine_locale_files})
list(APPEND TARVEX_WINE_ENVIRONMENT WINEARCH=${TARVEX_WINE_ARCH} LOCPATH=${TARVEX_WINE_LOCALES})
# Console programs need no display, and wineboot would show its progress on one.
set(TARVEX_WINE_ENVIRONMENT_MODIFICATION DISPLAY=unset: WAYLAND_DISPLAY=unset:)

# Gives the named tests, run through the emulator, the environment of a Windows under Wine.
# Call it in the folder that adds them.
function(tarvex_under_wine)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT ${TARVEX_WINE_ENVIRONMENT})
    set_property(TEST ${ARGN} APPEND PROPERTY
        ENVIRONMENT_MODIFICATION ${TARVEX_WINE_ENVIRONMENT_MODIFICATION})
    set_property(TEST ${ARGN} APPEND PROPERTY LABELS wine)
    # A machine whose kernel runs no 32-bit programs cannot start the 32-bit Wine: the test
    # says so and is counted as skipped (tests/win32/wine_prefix.sh).
    set_property(TEST ${ARGN} PROPERTY SKIP_RETURN_CODE 77)
endfunction()

# The tests' prefixes are copies of one made for the build before them (the test
# wine_prefix_template, removed after them), in the build's own kind of prefix under Chinese:
# a prefix made costs a wineboot and a gigabyte written, a copy a few hard links
# (tests/win32/wine_prefix.sh template). Each copy is a prefix of its own, with its own server.
set(TARVEX_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine/prefix-template)
add_test(NAME wine_prefix_template
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win32/wine_prefix.sh template ${TARVEX_WINE_LOADER}
        ${TARVEX_WINE_TEMPLATE})
add_test(NAME wine_prefix_template_removed
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${TARVEX_WINE_TEMPLATE})
tarvex_under_wine(wine_prefix_template)
set_tests_properties(wine_prefix_template PROPERTIES FIXTURES_SETUP wine_prefix_template
    TIMEOUT 600)
set_tests_properties(wine_prefix_template_removed PROPERTIES
    FIXTURES_CLEANUP wine_prefix_template LABELS wine)

# Gives the named tests, in the build's own kind of prefix under Chinese, a copy of the
# build's template for their prefix.
function(tarvex_in_a_copy_of_the_wine_template)
    set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix_template)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT
        TARVEX_WINE_TEMPLATE=${TARVEX_WINE_TEMPLATE})
endfunction()

# Marks test programs that run only under Wine: left out of the build where Wine cannot start.
function(tarvex_run_only_under_wine)
    if(TARVEX_WINE_LOADER_STATUS EQUAL 77)
        set_target_properties(${ARGN} PROPERTIES EXCLUDE_FROM_ALL ON)
    endif()
endfunction()

# Checks that the exe of `target` imports Windows' own DLLs only (test
# <target>_imports_system_dlls_only); no Wine needed.
function(tarvex_check_imports target)
    add_test(NAME ${target}_imports_system_dlls_only
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win32/imports_system_dlls_only.sh
            ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>)
endfunction()
