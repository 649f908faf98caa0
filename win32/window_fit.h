#pragma once

#include "design/layout_arithmetic.h"
#include "win32/handles.h"
#include "win32/windows_headers.h"

#include <array>

namespace tarvex::win32 {

// Fits the design's twips layout to the window and the window to its monitor, at the window's
// DPI and in the desktop's message font, the way the Qt window is fitted on Linux: the layout is
// drawn at the factor at which every caption shows whole, or, across and down each on its own,
// as large as the client area allows; the window opens at that caption factor, frame included,
// within the work area of its monitor, at its design place or moved in only as far as needed.
//
// Factors here are in the screen's pixels: at 144 DPI the design's own size is the factor 1.5.
class WindowFit
{
public:
    using Controls = std::array<HWND, design::kControls.size()>;
    // The window's own style, which its frame depends on.
    static constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

    explicit WindowFit(const Controls &controls);

    // Before the window is made: measures the font at the DPI of the monitor on which the window
    // opens, and gives the frame, in screen coordinates, that the window is to be made with.
    // The window made with any other frame would have to be moved and sized before it is first
    // shown.
    [[nodiscard]] design::Rect openingFrame();
    // The window, made with the opening frame, its controls not yet made: they are made at
    // placeOf, in font(). Measured and fitted again should it show at another DPI than expected.
    void adopt(HWND window);
    // Where the layout puts the control of that index in the design's table, in the window.
    [[nodiscard]] design::Rect placeOf(std::size_t index) const;
    // The font the controls draw their captions in.
    [[nodiscard]] HFONT font() const { return m_font.get(); }
    // The client area changed its size: the layout follows it.
    void followClientArea();
    // The window moved to a monitor of another DPI, or the monitor's scale changed. A window
    // shown at normal size takes the rectangle Windows suggests, as Windows expects: any other
    // makes it jump under a dragging cursor and can bounce it between two monitors. Only a
    // rectangle larger than the work area of the monitor it lands on is cut to that area, and
    // moved onto it as the window is placed when it opens. A maximised, minimised or hidden
    // window keeps its state, and its normal size becomes the new DPI's.
    void followDpiChange(UINT dpi, const RECT &suggested);
    // The desktop's fonts changed: measured anew, and the window fitted again where it is; a
    // maximised, minimised or hidden one keeps its state, and its normal size becomes the new
    // font's.
    void followFontChange();
    // The window's size at the DPI, in the frame Windows draws at it: where the window is at the
    // size it was given, the caption factor's client area in that DPI's font; where the user
    // resized it, its client area scaled as the caption factors scale, so that it keeps its
    // size across monitors. Windows asks for it before it moves the window to a monitor of that
    // DPI, and otherwise scales the window in proportion, which cuts the tightest captions and
    // lets the size drift over repeated moves.
    [[nodiscard]] SIZE sizeAtDpi(UINT dpi) const;

private:
    [[nodiscard]] design::Size clientSize() const;
    void fitToMonitor();
    void measure(UINT dpi);
    [[nodiscard]] POINT designPlaceOn(const MONITORINFO &monitor) const;
    [[nodiscard]] design::Rect fittedFrame(const MONITORINFO &monitor, POINT clientPlace);
    void fitAt(POINT clientPlace);
    [[nodiscard]] bool showsAtNormalSize() const;
    void fitNormalPlace();
    void layOut(design::Scale scale);
    // The window's controls are made, front one last, once the window has been fitted.
    [[nodiscard]] bool controlsMade() const { return m_controls.front() != nullptr; }
    [[nodiscard]] design::Margins frame() const { return frameAt(m_dpi); }
    [[nodiscard]] design::Margins frameAt(UINT dpi) const;

    HWND m_window = nullptr;
    const Controls &m_controls;
    UINT m_dpi = 0;
    OwnedFont m_font;
    double m_captionScale = 1.0;
    design::Scale m_scale{0.0, 0.0};
    // The client area the window was last given here, unless the user has resized it since.
    design::Size m_given;
};

} // namespace tarvex::win32
