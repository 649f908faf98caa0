# The Windows program as shipped: 32-bit, run under Wine's 32-bit loader (package wine32:i386).
set(TARVEX_MINGW_TRIPLE i686-w64-mingw32)
set(TARVEX_MINGW_PROCESSOR x86)
set(TARVEX_WINE_LOADER /usr/lib/wine/wine)
set(TARVEX_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
