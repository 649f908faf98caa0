#pragma once

#include "linux/tray/win_types.h"

namespace tarvex::win32_over_qt {

// Window procedures over Qt. A window's procedure sees every event of the window before the
// window's own handling, as a message: the events that PostMessageA delivers carry their
// message and parameters, every other Qt event is the message kQtEventMessage + its type with
// parameters 0. The procedure first in place is the window's own handling: an event reaches
// the window (its event() and the rest of Qt's delivery) only when the procedure in front
// passes it on with CallWindowProcA to the procedure it replaced.

// Messages above this stand for Qt's own events; below it they are the program's.
constexpr UINT kQtEventMessage = 0x10000;

// Replaces the window procedure of the window `hWnd` (index GWL_WNDPROC) and returns the
// procedure it replaced, or nullptr (and nothing changes) for an unknown window or index.
WNDPROC SetWindowLongA(HWND hWnd, int index, WNDPROC newProc);

// Hands a message to a procedure and returns its result.
LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Queues a message for the window's procedure; it is delivered from the event loop. Returns
// 0 for an unknown window.
BOOL PostMessageA(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

} // namespace tarvex::win32_over_qt
