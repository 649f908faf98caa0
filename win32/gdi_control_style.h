#pragma once

#include "design/caption_check.h"
#include "win32/handles.h"
#include "win32/windows_headers.h"

namespace tarvex::win32 {

// How the Win32 controls draw their captions in a font at a DPI, measured with GDI, for the
// caption check that both windows share. The controls' own rules as Windows and Wine draw
// them: a radio button's caption starts after its 13-pixel circle and half a digit's width; a
// push button's stays inside its edge and focus rectangle; a group box's title starts about 8
// pixels in, on the frame's top line. One screen DC, holding the font, serves every caption.
class GdiControlStyle : public design::ControlStyle
{
public:
    GdiControlStyle(HFONT font, UINT dpi);

    [[nodiscard]] design::CaptionMetrics caption(const design::Control &control) const override;
    [[nodiscard]] design::Rect captionArea(const design::Control &control,
                                           design::Size size) const override;
    [[nodiscard]] design::Rect groupBoxTitleArea(const design::Control &control,
                                                 design::Size size) const override;
    [[nodiscard]] design::Rect groupBoxFrame(const design::Control &control,
                                             design::Size size) const override;

private:
    UINT m_dpi;
    WindowDc m_dc{nullptr};
    TEXTMETRICW m_metrics{};
    int m_digitWidth = 0;
};

} // namespace tarvex::win32
