#include "win32/dpi.h"
#include "win32/program.h"
#include "win32/single_instance.h"
#include "win32/startup_steps.h"

#include <commctrl.h>

// Starting the program makes the window and runs it until it is gone (program.h). Started
// again while it runs, it shows the running window instead and ends with status 0; with status
// 1 when the running one never answered.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPWSTR /*lpCmdLine*/,
                    int nShowCmd)
{
    TARVEX_STARTUP_BEGIN();
    using Start = tarvex::win32::SingleInstance::Start;
    tarvex::win32::SingleInstance session;
    if (const Start start = session.settle(); start != Start::RunsHere)
        return start == Start::ShownElsewhere ? 0 : 1;
    tarvex::win32::becomeDpiAware();
    {
        TARVEX_STARTUP_STEP("common controls");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    return tarvex::win32::runTarvex(hInstance, nShowCmd, session);
}
