#include "win32/key_filter.h"

#include "win32/startup_steps.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

namespace tarvex::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// The character Ctrl+A types.
constexpr int kCtrlA = 1;

} // namespace

KeyFilter::KeyFilter(HWND box, std::function<design::InputBase()> currentBase)
    : m_box(box), m_currentBase(std::move(currentBase))
{
    TARVEX_STARTUP_STEP("key filter of the number box");
    SetWindowSubclass(m_box, boxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    followInputBase();
}

KeyFilter::~KeyFilter()
{
    RemoveWindowSubclass(m_box, boxProc, kSubclassId);
}

void KeyFilter::followInputBase()
{
    // No input method context at all, rather than one that is turned off: the user could turn
    // that one on again with a key.
    if (design::takesInputMethod(m_currentBase()))
        ImmAssociateContextEx(m_box, nullptr, IACE_DEFAULT);
    else
        ImmAssociateContextEx(m_box, nullptr, 0);
}

LRESULT CALLBACK KeyFilter::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR self)
{
    if (message != WM_CHAR && message != WM_IME_COMPOSITION && message != WM_KEYDOWN)
        return DefSubclassProc(box, message, wParam, lParam);
    // Nothing may be thrown through Windows' own code that called the procedure, which the
    // 32-bit program cannot unwind. A key that could not be judged (no memory for an input
    // method's text) goes nowhere: the box never takes what the base does not allow.
    try {
        return reinterpret_cast<KeyFilter *>(self)->filter(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT KeyFilter::filter(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_IME_COMPOSITION)
        return filterComposition(wParam, lParam);
    if (message == WM_KEYDOWN) {
        // Common controls 6 select the whole text on Ctrl+A as the key goes down, before its
        // character (code 1) reaches the filter: the key stands for the character here.
        const bool selectAll = wParam == 'A' && (GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
                               (GetKeyState(VK_MENU) & 0x8000) == 0;
        if (selectAll && design::filteredKeyCode(kCtrlA, m_currentBase()) == 0)
            return 0;
        return DefSubclassProc(m_box, message, wParam, lParam);
    }
    // A discarded character reaches the box as nothing at all.
    const int code = static_cast<int>(wParam & 0xFFFF);
    if (design::filteredKeyCode(code, m_currentBase()) == 0)
        return 0;
    return DefSubclassProc(m_box, message, wParam, lParam);
}

// The edit box takes an input method's result string itself, without a WM_CHAR for each of its
// characters: the characters the base allows go in as typed, the rest nowhere.
LRESULT KeyFilter::filterComposition(WPARAM wParam, LPARAM lParam)
{
    const design::InputBase base = m_currentBase();
    if ((lParam & GCS_RESULTSTR) == 0 || design::takesInputMethod(base))
        return DefSubclassProc(m_box, WM_IME_COMPOSITION, wParam, lParam);
    std::wstring result;
    if (const HIMC context = ImmGetContext(m_box); context != nullptr) {
        const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
        if (bytes > 0) {
            result.resize(static_cast<std::size_t>(bytes) / sizeof(wchar_t));
            ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(),
                                     static_cast<DWORD>(bytes));
        }
        ImmReleaseContext(m_box, context);
    }
    for (const wchar_t ch : result)
        if (design::filteredKeyCode(static_cast<int>(ch), base) != 0)
            DefSubclassProc(m_box, WM_CHAR, ch, 1);
    return DefSubclassProc(m_box, WM_IME_COMPOSITION, wParam, lParam & ~LPARAM{GCS_RESULTSTR});
}

} // namespace tarvex::win32
