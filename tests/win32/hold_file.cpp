// Holds a file open as a virus scanner or an editor may, sharing it for reading only: no other
// program may delete, rename or write it until this one's standard input ends.
//
//   tarvex-hold-file.exe PATH
#include "win32/windows_headers.h"

#include <cstdio>

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        std::fputs("usage: tarvex-hold-file PATH\n", stderr);
        return 2;
    }
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open the file: error %lu\n", GetLastError());
        return 1;
    }
    std::puts("holding");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseHandle(file);
    return 0;
}
