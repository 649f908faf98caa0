// Whether the Win32 window shows every caption whole at the DPI it runs at: the window is made
// in this process from the window's own library and shown without its Load step (so without a
// notification-area icon); its radio buttons and push buttons are drawn and their captions' ink
// counted against the same control given ample room, and each group box's title is looked for,
// pixel by pixel, in the window as it is drawn with every control in front of it. None of the
// window's own arithmetic is used. Where the window fills its screen in width or height, fitting
// the screen comes first and a caption may be cut: that is reported, not failed.
//
//   tarvex-window-captions.exe DPI
//
// One line a check, "ok <check>" or "FAIL <check>: <why>"; the exit status is 1 on any failure.
#include "win32/dpi.h"
#include "win32/form1.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tarvex::win32::Form1;
using tarvex::win32::kFirstControlId;

void report(const std::string &line)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

struct Image
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    [[nodiscard]] std::uint32_t at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

int grey(std::uint32_t pixel)
{
    return static_cast<int>(((pixel >> 16) & 0xFF) * 30 + ((pixel >> 8) & 0xFF) * 59 +
                            (pixel & 0xFF) * 11) /
           100;
}

// Draws pixels through `draw` into a bitmap of the size, on the dialog face colour.
template<typename Draw> Image drawn(int width, int height, Draw &&draw)
{
    Image image{width, height,
                std::vector<std::uint32_t>(static_cast<std::size_t>(width) *
                                           static_cast<std::size_t>(height))};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr || bits == nullptr) {
        DeleteDC(dc);
        throw std::runtime_error("no bitmap to draw into");
    }
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    draw(dc);
    GdiFlush();
    const auto *source = static_cast<const std::uint32_t *>(bits);
    image.pixels.assign(source, source + image.pixels.size());
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return image;
}

// The control drawn alone, as it draws itself.
Image drawnAlone(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    return drawn(rect.right - rect.left, rect.bottom - rect.top, [control](HDC dc) {
        SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    });
}

// The pixels the control's caption changes, when it is drawn alone with its caption and
// without it.
std::vector<POINT> captionInk(HWND control)
{
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()));
    const Image with = drawnAlone(control);
    SetWindowTextW(control, L"");
    const Image without = drawnAlone(control);
    SetWindowTextW(control, caption.c_str());
    std::vector<POINT> ink;
    for (int y = 0; y < with.height; ++y)
        for (int x = 0; x < with.width; ++x)
            if (with.at(x, y) != without.at(x, y))
                ink.push_back({x, y});
    return ink;
}

// The same button, with the same font, caption and state, given ample room: 200 pixels wider
// and 40 higher, so that a caption centred in it moves by whole pixels.
std::size_t inkWithAmpleRoom(HWND button)
{
    RECT rect{};
    GetWindowRect(button, &rect);
    wchar_t className[32] = {};
    GetClassNameW(button, className, 32);
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
    GetWindowTextW(button, caption.data(), static_cast<int>(caption.size()));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE)) & ~WS_VISIBLE;
    HWND roomy = CreateWindowExW(0, className, caption.c_str(), style, 0, 0,
                                 rect.right - rect.left + 200, rect.bottom - rect.top + 40,
                                 GetParent(button), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (roomy == nullptr)
        throw std::runtime_error("no button to compare with");
    SendMessageW(roomy, WM_SETFONT, SendMessageW(button, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(roomy, BM_SETCHECK, SendMessageW(button, BM_GETCHECK, 0, 0), 0);
    const std::size_t ink = captionInk(roomy).size();
    DestroyWindow(roomy);
    return ink;
}

// The window's client area as it is drawn, every control in front of what lies behind it.
Image drawnWindow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(window, &client);
    return drawn(client.right, client.bottom, [window, &client](HDC dc) {
        HDC windowDc = GetDC(window);
        BitBlt(dc, 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
        ReleaseDC(window, windowDc);
    });
}

// A group box's title is clear when every pixel of its ink, found as what the box drawn alone
// gains from its title, is about as dark in the window as drawn (where a control in front
// covers it, the control's face or a box's white shows instead).
int hiddenTitleInk(HWND box, HWND window, const Image &shown)
{
    const Image alone = drawnAlone(box);
    POINT offset{0, 0};
    MapWindowPoints(box, window, &offset, 1);
    int hidden = 0;
    for (const POINT ink : captionInk(box))
        if (grey(alone.at(ink.x, ink.y)) < 90 &&
            std::abs(grey(shown.at(offset.x + ink.x, offset.y + ink.y)) -
                     grey(alone.at(ink.x, ink.y))) > 40)
            ++hidden;
    return hidden;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        report("usage: tarvex-window-captions DPI");
        return 2;
    }
    const auto dpi = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 10));
    tarvex::win32::becomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int failures = 0;
    const auto check = [&failures](const std::string &name, const std::string &failure) {
        report(failure.empty() ? "ok " + name : "FAIL " + name + ": " + failure);
        failures += failure.empty() ? 0 : 1;
    };
    try {
        Form1 form(GetModuleHandleW(nullptr));
        const HWND window = form.handle();
        ShowWindow(window, SW_SHOWNOACTIVATE);
        HDC windowDc = GetDC(window);
        const auto actual = static_cast<UINT>(GetDeviceCaps(windowDc, LOGPIXELSY));
        ReleaseDC(window, windowDc);
        check("window runs at " + std::to_string(dpi) + " dpi",
              actual == dpi ? "" : "it runs at " + std::to_string(actual) + " dpi");

        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        RECT frame{};
        GetWindowRect(window, &frame);
        const bool fillsScreen =
            frame.right - frame.left >= monitor.rcWork.right - monitor.rcWork.left - 1 ||
            frame.bottom - frame.top >= monitor.rcWork.bottom - monitor.rcWork.top - 1;
        // A caption cut where the window fills the screen is reported, not failed.
        const auto whole = [&](const std::string &name, const std::string &cut) {
            if (fillsScreen && !cut.empty())
                report("ok " + name + " where the screen allows it: " + cut +
                       ", the window filling the screen");
            else
                check(name, cut);
        };

        const Image shown = drawnWindow(window);
        for (const tarvex::design::Control &control : tarvex::design::kControls) {
            const HWND handle = GetDlgItem(
                window, kFirstControlId + static_cast<int>(tarvex::design::indexOf(control.name)));
            const std::string name(control.name);
            using enum tarvex::design::ControlKind;
            if ((control.kind == RadioButton || control.kind == PushButton) && name != "Command2") {
                const std::size_t ink = captionInk(handle).size();
                const std::size_t roomy = inkWithAmpleRoom(handle);
                if (roomy == 0)
                    check("caption of " + name + " drawn", "it draws no ink even with ample room");
                else
                    whole("caption of " + name + " whole",
                          ink >= roomy ? ""
                                       : "it shows " + std::to_string(ink) + " of " +
                                             std::to_string(roomy) + " pixels of ink");
            } else if (control.kind == GroupBox) {
                if (captionInk(handle).empty()) {
                    check("title of " + name + " drawn", "it draws no ink");
                    continue;
                }
                const int hidden = hiddenTitleInk(handle, window, shown);
                whole("title of " + name + " clear",
                      hidden == 0 ? "" : std::to_string(hidden) + " pixels of its ink are covered");
            }
        }
    } catch (const std::exception &failure) {
        check("window made", failure.what());
    }
    return failures == 0 ? 0 : 1;
}
