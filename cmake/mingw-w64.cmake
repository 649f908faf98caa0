# What both Windows builds share: MinGW-w64's compilers with POSIX threads (std::thread and
# std::mutex need them), and an exe that imports Windows' own DLLs only. Included by
# mingw-w64-i686.cmake and mingw-w64-x86_64.cmake, which name the target and its Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TARVEX_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${TARVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVEX_MINGW_TRIPLE}-windres)
# CMake derives the binutils' names from the compiler's, which the -posix suffix defeats.
set(CMAKE_OBJDUMP ${TARVEX_MINGW_TRIPLE}-objdump CACHE FILEPATH "The target's objdump")

set(CMAKE_FIND_ROOT_PATH /usr/${TARVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in: otherwise the exe needs libgcc_s_dw2-1.dll (or
# libgcc_s_seh-1.dll), libstdc++-6.dll and libwinpthread-1.dll beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests run the exe files under Wine, through the loader of the build's own word size.
set(CMAKE_CROSSCOMPILING_EMULATOR ${TARVEX_WINE_LOADER})
