#include "design/caption_check.h"

#include "design/layout_arithmetic.h"

#include <gtest/gtest.h>

#include <optional>

namespace tarvex::design {
namespace {

// Captions of a fixed width per character, drawn in the whole of a button and in a title
// strip at the top of a group box, as a toolkit would report them.
class FixedStyle : public ControlStyle
{
public:
    int pixelsPerCharacter = 10;
    double lineHeight = 12;
    int titleIndent = 8;
    // The one caption that gets a different width, to show which control holds the factor.
    std::optional<ControlId> wideControl;
    int wideAdvance = 0;

    CaptionMetrics caption(const Control &control) const override
    {
        const int advance = control.id == wideControl
                                ? wideAdvance
                                : static_cast<int>(control.caption.size()) * pixelsPerCharacter;
        const int ascent = static_cast<int>(lineHeight * 0.8);
        return {advance,
                lineHeight,
                lineHeight * 0.8,
                {0, -ascent, advance, static_cast<int>(lineHeight)}};
    }
    Rect captionArea(const Control &, Size size) const override
    {
        return {0, 0, size.width, size.height};
    }
    Rect groupBoxTitleArea(const Control &control, Size) const override
    {
        return {titleIndent, 0, static_cast<int>(caption(control).advance),
                static_cast<int>(lineHeight)};
    }
    Rect groupBoxFrame(const Control &, Size size) const override
    {
        return {0, 0, size.width, size.height};
    }
};

struct CaptionCase
{
    const char *name;
    ControlId control;
    int advance;
    double expected;
};

TEST(CaptionCheck, theFactorIsTheSmallestStepAtWhichTheWidestCaptionFits)
{
    // Option1 is 855 twips (57 px at 1) wide; Command1 1335 (89 px). The factor goes up in
    // steps of 1/120, and a control's width is that of its rounded edges. Option1's edges, at
    // 240 and 1095 twips, lie at 16.13 and 73.61 px at 1 + 1/120: 16 and 74, 58 px. Command1's,
    // at 12480 and 13815 twips, lie at 1400.53 and 1550.35 px at 1 + 82/120 (1401 to 1550,
    // 149 px) and at 1407.47 and 1558.03 px at 1 + 83/120 (1407 to 1558, 151 px).
    const CaptionCase cases[] = {
        {"every caption fits at the design's size", Option1, 57, 1.0},
        {"a radio button one pixel too narrow", Option1, 58, 1 + 1 / 120.0},
        {"a push button far too narrow", Command1, 150, 1 + 83 / 120.0},
        {"no factor up to 4 is enough: 4 and no more", Option1, 10000, 4.0},
    };
    for (const CaptionCase &c : cases) {
        FixedStyle style;
        style.pixelsPerCharacter = 5;
        style.wideControl = c.control;
        style.wideAdvance = c.advance;
        EXPECT_NEAR(scaleForWholeCaptions(style), c.expected, 1e-9) << c.name;
    }
}

// Frame7's title runs along its top edge, 240 twips (16 px at 1) above Text3, which is drawn in
// front of it: a title line taller than that is covered until the layout grows.
TEST(CaptionCheck, groupBoxTitlesMustStayClearOfControlsInFront)
{
    FixedStyle style;
    style.pixelsPerCharacter = 1;
    style.lineHeight = 16;
    EXPECT_DOUBLE_EQ(scaleForWholeCaptions(style), 1.0);
    style.lineHeight = 18;
    const Scale scale = Scale::uniform(scaleForWholeCaptions(style));
    EXPECT_GT(scale.x, 1.0);
    EXPECT_LE(placeInWindow(controlOf(Frame7), scale).top + 18,
              placeInWindow(controlOf(Text3), scale).top);
}

} // namespace
} // namespace tarvex::design
