#pragma once

#include "design/form1_design.h"
#include "win32/windows_headers.h"

#include <array>

namespace tarvex::win32 {

// The keyboard's way round the window, as in a dialog but in the design's tab order, which is
// not the order the controls are stacked in (a dialog's own keyboard handling follows the
// stacking): Tab and Shift+Tab go from stop to stop, a group of radio buttons being one stop
// at its chosen button; the arrow keys choose the next or previous button of a group; Enter
// presses the push button that has the focus, and nothing else, since no button is the
// window's default. Tab, Shift+Tab and the arrows show focus cues, which Windows hides until the
// keyboard is used. Space stays the buttons' own: on 退出 too, which Tab reaches below the client
// area where its focus cannot be seen, since only Tab from 转换 leads there.
class DialogKeys
{
public:
    using Controls = std::array<HWND, design::kControls.size()>;

    DialogKeys(HWND window, const Controls &controls);

    // Handles a key going to the window or one of its controls; true when it did, and the key
    // goes no further (no character is made of it).
    [[nodiscard]] bool handle(const MSG &message) const;

private:
    void moveFocus(bool forward) const;
    void chooseNeighbour(HWND option, bool forward) const;
    [[nodiscard]] bool isTabStop(std::size_t index) const;
    [[nodiscard]] std::size_t indexOf(HWND control) const;

    HWND m_window;
    const Controls &m_controls;
};

} // namespace tarvex::win32
