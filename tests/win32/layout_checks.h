#pragma once

#include "program.h"
#include "report.h"

// The window as it opens: its controls as the design has them, and its place on the screen.
namespace tarvex::driver {

// The window's layout at its DPI: within its monitor's work area, frame included, with every
// control in its client area but the Exit button, which the design puts below it.
void checkLayout(Report &report, const Program &program, UINT dpi);

// Each control as the design has it: its kind of window, caption and initial state.
void checkControls(Report &report, const Program &program);

} // namespace tarvex::driver
