#include "message_boxes.h"

#include "waiting.h"

#include <array>

namespace tarvex::driver {

namespace {

std::u16string classOf(HWND window)
{
    std::array<wchar_t, 64> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return {reinterpret_cast<const char16_t *>(name.data()), static_cast<std::size_t>(length)};
}

std::u16string textOf(HWND window)
{
    std::array<wchar_t, 1024> text{};
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, static_cast<UINT>(kBound.count() * 1000),
                            &length) == 0)
        throw Failure("a message box did not tell its text");
    return {reinterpret_cast<const char16_t *>(text.data()), static_cast<std::size_t>(length)};
}

struct Search
{
    std::u16string_view className;
    HWND found;
};

BOOL CALLBACK findShown(HWND window, LPARAM search)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the enumeration hands back what it was given
    auto &looking = *reinterpret_cast<Search *>(search);
    if (classOf(window) != looking.className || IsWindowVisible(window) == FALSE)
        return TRUE;
    looking.found = window;
    return FALSE;
}

HWND shownWindow(DWORD threadId, std::u16string_view className)
{
    Search search{className, nullptr};
    EnumThreadWindows(threadId, findShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK readControl(HWND control, LPARAM box)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the enumeration hands back what it was given
    auto &shown = *reinterpret_cast<ShownMessageBox *>(box);
    const std::u16string kind = classOf(control);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    if (kind == u"Button") {
        shown.buttons.push_back(textOf(control));
    } else if (kind == u"Static" && (style & SS_TYPEMASK) == SS_ICON) {
        shown.showsIcon = shown.showsIcon || SendMessageW(control, STM_GETICON, 0, 0) != 0;
    } else if (kind == u"Static") {
        shown.text += textOf(control);
    }
    return TRUE;
}

} // namespace

HWND shownMessageBox(DWORD threadId)
{
    return shownWindow(threadId, u"#32770");
}

HWND shownPopupMenu(DWORD threadId)
{
    return shownWindow(threadId, u"#32768");
}

ShownMessageBox readMessageBox(HWND box)
{
    ShownMessageBox shown{GetWindow(box, GW_OWNER), textOf(box), {}, {}, false};
    EnumChildWindows(box, readControl, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

void pressOk(HWND box)
{
    HWND ok = GetDlgItem(box, IDOK);
    if (ok == nullptr)
        throw Failure("the message box has no OK button");
    PostMessageW(ok, BM_CLICK, 0, 0);
    waitUntil("the message box to close after OK", [box] { return IsWindow(box) == FALSE; });
}

} // namespace tarvex::driver
