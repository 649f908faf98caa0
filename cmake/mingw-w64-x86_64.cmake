# The Windows program's 64-bit twin, run under Wine's 64-bit loader (package wine64).
set(TARVEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(TARVEX_MINGW_PROCESSOR AMD64)
set(TARVEX_WINE_LOADER /usr/lib/wine/wine64)
set(TARVEX_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
