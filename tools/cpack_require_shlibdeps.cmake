# Read by cpack before it makes each package: a Debian package needs dpkg-shlibdeps to find the
# libraries the program links, or it would install on a clean machine and fail to start.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(TARVEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT TARVEX_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is missing (Debian package dpkg-dev): without it the "
                            "package would not depend on the Qt libraries it links.")
    endif()
endif()
