#include "win32/window_fit.h"

#include "design/caption_check.h"
#include "win32/caption_font.h"
#include "win32/dpi.h"
#include "win32/gdi_control_style.h"
#include "win32/startup_steps.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarvex::win32 {

namespace {

design::Rect fromRect(const RECT &rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

MONITORINFO monitorInfo(HMONITOR handle)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(handle, &monitor);
    return monitor;
}

MONITORINFO monitorOf(HWND window)
{
    return monitorInfo(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
}

// The offset of workspace coordinates (those of a window's placement, measured from the work
// area) from the screen's, on the monitor.
POINT workspaceOrigin(const MONITORINFO &monitor)
{
    return {monitor.rcWork.left - monitor.rcMonitor.left,
            monitor.rcWork.top - monitor.rcMonitor.top};
}

// The factor at which every caption shows whole in the font at the DPI.
double captionScaleIn(HFONT font, UINT dpi)
{
    TARVEX_STARTUP_STEP("caption-factor search");
    return design::scaleForWholeCaptions(GdiControlStyle(font, dpi),
                                         static_cast<double>(dpi) / kDesignDpi);
}

// The frame Windows suggests where it fits the work area of the monitor it lands on; otherwise
// cut to that area and moved onto it.
design::Rect withinWorkArea(const RECT &suggested)
{
    const design::Rect work =
        fromRect(monitorInfo(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST)).rcWork);
    design::Rect frame = fromRect(suggested);
    if (frame.width <= work.width && frame.height <= work.height)
        return frame;
    frame.width = std::min(frame.width, work.width);
    frame.height = std::min(frame.height, work.height);
    const design::Point place = design::placeWithin(frame, work);
    return {place.x, place.y, frame.width, frame.height};
}

} // namespace

WindowFit::WindowFit(const Controls &controls) : m_controls(controls) {}

// The window opens on the monitor its design size and place lie on, most of them where they
// span two.
design::Rect WindowFit::openingFrame()
{
    TARVEX_STARTUP_STEP("window's placement");
    const design::Point designPlace = design::designPlace(1.0);
    const design::Size designSize = design::scaledClientArea({});
    const RECT designRect{designPlace.x, designPlace.y, designPlace.x + designSize.width,
                          designPlace.y + designSize.height};
    const HMONITOR handle = MonitorFromRect(&designRect, MONITOR_DEFAULTTOPRIMARY);
    measure(dpiOfMonitor(handle));
    const MONITORINFO monitor = monitorInfo(handle);
    return fittedFrame(monitor, designPlaceOn(monitor));
}

void WindowFit::adopt(HWND window)
{
    TARVEX_STARTUP_STEP("window's placement");
    m_window = window;
    if (dpiOfWindow(m_window) != m_dpi) {
        fitToMonitor();
        return;
    }
    m_given = clientSize();
    // Laid out again only if Windows gave another size than the one asked for.
    followClientArea();
}

void WindowFit::fitToMonitor()
{
    TARVEX_STARTUP_STEP("window's placement");
    measure(dpiOfWindow(m_window));
    fitAt(designPlaceOn(monitorOf(m_window)));
}

// The design's place of the client area, at the caption factor, measured from the monitor's
// top left corner.
POINT WindowFit::designPlaceOn(const MONITORINFO &monitor) const
{
    const design::Point place = design::designPlace(m_captionScale);
    return {monitor.rcMonitor.left + place.x, monitor.rcMonitor.top + place.y};
}

void WindowFit::followClientArea()
{
    RECT client{};
    GetClientRect(m_window, &client);
    if (IsIconic(m_window) || client.right <= 0 || client.bottom <= 0)
        return;
    layOut(design::layoutScale(m_captionScale, {client.right, client.bottom}));
}

bool WindowFit::showsAtNormalSize() const
{
    return IsWindowVisible(m_window) != FALSE && IsIconic(m_window) == FALSE &&
           IsZoomed(m_window) == FALSE;
}

design::Size WindowFit::clientSize() const
{
    RECT client{};
    GetClientRect(m_window, &client);
    return {client.right, client.bottom};
}

void WindowFit::followDpiChange(UINT dpi, const RECT &suggested)
{
    const bool atGivenSize = clientSize() == m_given;
    measure(dpi);
    if (!showsAtNormalSize()) {
        fitNormalPlace();
        return;
    }
    const design::Rect frame = withinWorkArea(suggested);
    SetWindowPos(m_window, nullptr, frame.left, frame.top, frame.width, frame.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (atGivenSize)
        m_given = clientSize();
    // Laid out at the new font even where the size Windows suggested is the one the window had.
    followClientArea();
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The place a maximised, minimised or hidden window comes back to gets the caption factor's size
// at the current DPI, its client area where it was or as near as keeps it on its monitor's work
// area; the window stays as it is, its controls laid out at the new font.
void WindowFit::fitNormalPlace()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(m_window, &placement) == FALSE)
        return;
    const HMONITOR handle = MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONEAREST);
    const MONITORINFO monitor = monitorInfo(handle);
    const POINT origin = workspaceOrigin(monitor);
    const design::Margins margins = frame();
    const design::WindowPlace place =
        design::placeOnScreen(m_captionScale, fromRect(monitor.rcWork), margins,
                              {placement.rcNormalPosition.left + origin.x + margins.left,
                               placement.rcNormalPosition.top + origin.y + margins.top});
    placement.rcNormalPosition = {
        place.frame.x - origin.x, place.frame.y - origin.y,
        place.frame.x - origin.x + place.client.width + margins.left + margins.right,
        place.frame.y - origin.y + place.client.height + margins.top + margins.bottom};
    // The state stays as it is, without activating the window: a scale change reaches windows
    // in the background too.
    placement.showCmd = IsWindowVisible(m_window) != FALSE ? SW_SHOWNA : SW_HIDE;
    SetWindowPlacement(m_window, &placement);
    m_given = place.client;
    followClientArea();
}

void WindowFit::followFontChange()
{
    measure(m_dpi);
    if (!showsAtNormalSize()) {
        fitNormalPlace();
        return;
    }
    POINT clientPlace{0, 0};
    ClientToScreen(m_window, &clientPlace);
    fitAt(clientPlace);
}

// The desktop's message font at the DPI, given to every control made, and the factor at which
// every caption shows whole in it.
void WindowFit::measure(UINT dpi)
{
    TARVEX_STARTUP_STEP("caption font and glyph check");
    m_dpi = dpi;
    const LOGFONTW description = captionFont(messageFont(dpi));
    OwnedFont font(CreateFontIndirectW(&description));
    // The controls let go of the font they had before it is deleted.
    if (controlsMade())
        for (HWND control : m_controls)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    m_font = std::move(font);
    m_captionScale = captionScaleIn(m_font.get(), dpi);
    m_scale = {0.0, 0.0};
}

SIZE WindowFit::sizeAtDpi(UINT dpi) const
{
    const LOGFONTW description = captionFont(messageFont(dpi));
    const OwnedFont font(CreateFontIndirectW(&description));
    const double captionScale = captionScaleIn(font.get(), dpi);
    design::Size client = design::scaledClientArea(design::Scale::uniform(captionScale));
    if (const design::Size now = clientSize(); showsAtNormalSize() && now != m_given) {
        const double factor = captionScale / m_captionScale;
        client = {static_cast<int>(std::lround(now.width * factor)),
                  static_cast<int>(std::lround(now.height * factor))};
    }
    const design::Margins margins = frameAt(dpi);
    return {client.width + margins.left + margins.right,
            client.height + margins.top + margins.bottom};
}

// The window's frame at the caption factor, or as large as fits within the work area of the
// monitor, with its client area at the place or as near it as keeps the frame within that area;
// the controls are laid out for it.
design::Rect WindowFit::fittedFrame(const MONITORINFO &monitor, POINT clientPlace)
{
    const design::Margins margins = frame();
    const design::WindowPlace place = design::placeOnScreen(
        m_captionScale, fromRect(monitor.rcWork), margins, {clientPlace.x, clientPlace.y});
    layOut(place.scale);
    return {place.frame.x, place.frame.y, place.client.width + margins.left + margins.right,
            place.client.height + margins.top + margins.bottom};
}

// Sizes and places the window on its monitor.
void WindowFit::fitAt(POINT clientPlace)
{
    const design::Rect frame = fittedFrame(monitorOf(m_window), clientPlace);
    SetWindowPos(m_window, nullptr, frame.left, frame.top, frame.width, frame.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    m_given = clientSize();
    // The window's own handling of the new size lays the controls out again only if the size
    // Windows gave differs from the one asked for.
    followClientArea();
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

design::Rect WindowFit::placeOf(std::size_t index) const
{
    return design::placeInWindow(design::kControls.at(index), m_scale);
}

// Controls not made yet are made at their places in the layout.
void WindowFit::layOut(design::Scale scale)
{
    TARVEX_STARTUP_STEP("layout");
    if (scale == m_scale)
        return;
    m_scale = scale;
    if (!controlsMade())
        return;
    HDWP positions = BeginDeferWindowPos(static_cast<int>(m_controls.size()));
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const design::Rect pixels = design::placeInWindow(design::kControls[i], scale);
        if (positions != nullptr)
            positions = DeferWindowPos(positions, m_controls[i], nullptr, pixels.left, pixels.top,
                                       pixels.width, pixels.height,
                                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    // Without the memory to move them together, each moves on its own.
    if (positions == nullptr || EndDeferWindowPos(positions) == FALSE) {
        for (std::size_t i = 0; i < m_controls.size(); ++i) {
            const design::Rect pixels = design::placeInWindow(design::kControls[i], scale);
            SetWindowPos(m_controls[i], nullptr, pixels.left, pixels.top, pixels.width,
                         pixels.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

// The window's frame at the DPI, as Windows draws it around the client area.
design::Margins WindowFit::frameAt(UINT dpi) const
{
    RECT rect{0, 0, 0, 0};
    if (m_window == nullptr)
        adjustWindowRect(rect, kWindowStyle, 0, dpi);
    else
        adjustWindowRect(rect, static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE)), dpi);
    return {-rect.left, -rect.top, rect.right, rect.bottom};
}

} // namespace tarvex::win32
