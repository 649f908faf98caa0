// The Win32 test programs' start: the process set up as the program's own start sets it up
// (aware of each monitor's DPI, with the common controls; the window enters COM itself once it
// is drawn), the DPI the run is for, and the functions the window looks up at run time answered
// as the tests ask.
//
//   TESTS.exe [--dpi=N] [GoogleTest's options]
#include "form1_under_test.h"
#include "import_table.h"
#include "win32/dpi.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

UINT runDpi = tarvex::win32::kDesignDpi;

} // namespace

UINT tarvex::window_tests::dpiOfTheRun()
{
    return runDpi;
}

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!argument.starts_with("--dpi=") ||
            (runDpi = static_cast<UINT>(std::strtoul(argv[i] + 6, nullptr, 10))) == 0) {
            std::fprintf(stderr, "usage: %s [--dpi=N] [GoogleTest's options]\n", argv[0]);
            return 2;
        }
    }
    if (!tarvex::window_tests::answerLookUpsFromNowOn()) {
        std::fprintf(stderr, "%s imports no GetProcAddress to answer lookups with\n", argv[0]);
        return 2;
    }
    tarvex::win32::becomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
