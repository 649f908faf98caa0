#pragma once

#include "design/form1_design.h"
#include "design/geometry.h"

// The factor at which every caption of the design shows whole in the desktop's font: the same
// rule for both windows, each measuring its own toolkit's fonts and controls.
namespace tarvex::design {

// A caption as its font draws it on one line, whatever the box it is drawn into, in pixels.
struct CaptionMetrics
{
    int advance = 0;
    double lineHeight = 0;
    double ascent = 0;
    // Where the glyphs put ink, relative to the start of the baseline.
    Rect ink;
};

// What a toolkit tells of its controls: how their captions draw, and where a control of a
// given size draws its caption. Sizes and places are in pixels within the control.
class ControlStyle
{
public:
    virtual ~ControlStyle() = default;

    // The caption of a radio button, push button or group box in the control's font.
    [[nodiscard]] virtual CaptionMetrics caption(const Control &control) const = 0;
    // Where a radio button or push button draws its caption, centred on one line.
    [[nodiscard]] virtual Rect captionArea(const Control &control, Size size) const = 0;
    // Where a group box draws its title (at the top of this area) and its frame.
    [[nodiscard]] virtual Rect groupBoxTitleArea(const Control &control, Size size) const = 0;
    [[nodiscard]] virtual Rect groupBoxFrame(const Control &control, Size size) const = 0;

protected:
    ControlStyle() = default;
    ControlStyle(const ControlStyle &) = default;
    ControlStyle &operator=(const ControlStyle &) = default;
};

// The smallest factor of at least `unit` at which every radio button's and push button's
// caption lies whole within its caption area, and every group box's title lies clear of the
// controls drawn in front of it. Factors are tried in steps of a 120th of `unit` up to four
// times `unit`. The unit is 1 where the style measures in device-independent pixels, and the
// DPI over 96 where it measures in the screen's pixels.
[[nodiscard]] double scaleForWholeCaptions(const ControlStyle &style, double unit = 1.0);

} // namespace tarvex::design
