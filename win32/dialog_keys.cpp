#include "win32/dialog_keys.h"

#include <algorithm>
#include <optional>

namespace tarvex::win32 {

namespace {

using design::ControlKind;

bool isHeld(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

// Windows hides focus rectangles until the keyboard is used; a dialog shows them once Tab or an
// arrow moves the focus, and so does the window.
void showFocusCues(HWND window)
{
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

} // namespace

DialogKeys::DialogKeys(HWND window, const Controls &controls)
    : m_window(window), m_controls(controls)
{}

bool DialogKeys::handle(const MSG &message) const
{
    if (message.message != WM_KEYDOWN ||
        (message.hwnd != m_window && IsChild(m_window, message.hwnd) == FALSE))
        return false;
    const bool control = isHeld(VK_CONTROL) || isHeld(VK_MENU);
    const std::size_t focus = indexOf(GetFocus());
    const ControlKind kind =
        focus < m_controls.size() ? design::kControls[focus].kind : ControlKind::Label;
    switch (message.wParam) {
    case VK_TAB:
        if (control)
            return false;
        showFocusCues(m_window);
        moveFocus(!isHeld(VK_SHIFT));
        return true;
    case VK_RETURN:
        // A held key repeats; the button is pressed once.
        if (kind == ControlKind::PushButton && !control && !isHeld(VK_SHIFT) &&
            (message.lParam & (1 << 30)) == 0)
            SendMessageW(m_window, WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(m_controls[focus]), BN_CLICKED),
                         reinterpret_cast<LPARAM>(m_controls[focus]));
        // Elsewhere Enter does nothing: a single-line box would only beep.
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (kind != ControlKind::RadioButton || control)
            return false;
        showFocusCues(m_window);
        chooseNeighbour(m_controls[focus], message.wParam == VK_RIGHT || message.wParam == VK_DOWN);
        return true;
    default:
        return false;
    }
}

void DialogKeys::moveFocus(bool forward) const
{
    const std::array<std::size_t, design::kControls.size()> order = design::tabOrder();
    const std::size_t focus = indexOf(GetFocus());
    // Where the focus is in the tab order; before the first stop when it is on none.
    const auto *const at = std::ranges::find(order, focus);
    const std::ptrdiff_t count = std::ssize(order);
    std::ptrdiff_t position = at != order.end() ? at - order.begin() : (forward ? -1 : count);
    for (std::ptrdiff_t tried = 0; tried < count; ++tried) {
        position = ((forward ? position + 1 : position - 1) + count) % count;
        const std::size_t index = order[static_cast<std::size_t>(position)];
        if (!isTabStop(index))
            continue;
        SetFocus(m_controls[index]);
        // As in a dialog, a box reached with Tab has its whole text selected.
        if (design::kControls[index].kind == ControlKind::TextBox)
            SendMessageW(m_controls[index], EM_SETSEL, 0, -1);
        return;
    }
}

// The radio buttons of a group are the ones in the same container.
void DialogKeys::chooseNeighbour(HWND option, bool forward) const
{
    const std::size_t index = indexOf(option);
    const std::optional<design::ControlId> container = design::kControls[index].container;
    std::array<std::size_t, design::kControls.size()> group{};
    std::size_t size = 0;
    std::size_t at = 0;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (design::kControls[i].kind != ControlKind::RadioButton ||
            design::kControls[i].container != container)
            continue;
        if (i == index)
            at = size;
        group[size++] = i;
    }
    if (size == 0)
        return;
    const HWND next = m_controls[group[(forward ? at + 1 : at + size - 1) % size]];
    SetFocus(next);
    SendMessageW(next, BM_CLICK, 0, 0);
}

bool DialogKeys::isTabStop(std::size_t index) const
{
    const HWND control = m_controls[index];
    if (IsWindowVisible(control) == FALSE || IsWindowEnabled(control) == FALSE)
        return false;
    switch (design::kControls[index].kind) {
    case ControlKind::TextBox:
    case ControlKind::PushButton:
        return true;
    case ControlKind::RadioButton:
        return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    case ControlKind::GroupBox:
    case ControlKind::Label:
        break;
    }
    return false;
}

std::size_t DialogKeys::indexOf(HWND control) const
{
    return static_cast<std::size_t>(std::ranges::find(m_controls, control) - m_controls.begin());
}

} // namespace tarvex::win32
