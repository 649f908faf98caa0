#include "design/caption_check.h"

#include "design/layout_arithmetic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace tarvex::design {

namespace {

// Steps of 1/120 of the unit: fine enough that the window grows by at most 8 pixels more than
// the captions need, coarse enough to find the factor in a few dozen tries. Factors go from 1
// to 4 units.
constexpr int kStepsPerUnit = 120;
constexpr int kLargestStep = 3 * kStepsPerUnit;

constexpr std::size_t kCount = kControls.size();

bool hasCaption(const Control &control)
{
    return !control.caption.empty() &&
           (control.kind == ControlKind::GroupBox || control.kind == ControlKind::RadioButton ||
            control.kind == ControlKind::PushButton);
}

// The rows of a caption's ink within a box it is drawn into, the bottom one excluded, as the
// controls draw it: one line, at the top of the box or centred in it.
struct InkRows
{
    int top;
    int bottom;
};

InkRows inkRows(const CaptionMetrics &caption, int boxHeight, bool centred)
{
    const double lineTop = centred ? (boxHeight - caption.lineHeight) / 2 : 0.0;
    const int baseline = static_cast<int>(std::floor(lineTop + caption.ascent));
    return {baseline + caption.ink.top, baseline + caption.ink.bottom()};
}

bool fitsWithin(const CaptionMetrics &caption, const Rect &area)
{
    if (caption.advance > area.width)
        return false;
    const InkRows rows = inkRows(caption, area.height, true);
    return rows.top >= 0 && rows.bottom <= area.height;
}

// Which captions a factor would cut off, for the fonts as they are when it is made. What does
// not depend on the factor (how each caption draws, which controls lie in front of which group
// box) is worked out once, so that trying one factor after another is cheap.
class CaptionCheck
{
public:
    explicit CaptionCheck(const ControlStyle &style) : m_style(style)
    {
        for (std::size_t i = 0; i < kCount; ++i)
            if (hasCaption(kControls[i]))
                m_captions[i] = style.caption(kControls[i]);
        for (std::size_t i = 0; i < kCount; ++i)
            if (kControls[i].kind == ControlKind::GroupBox)
                m_inFrontOf[i] = controlsInFront(i);
    }

    [[nodiscard]] bool allWholeAt(double factor) const
    {
        const Pass pass(Scale::uniform(factor));
        for (std::size_t i = 0; i < kCount; ++i) {
            if (!hasCaption(kControls[i]))
                continue;
            const bool whole = kControls[i].kind == ControlKind::GroupBox ? titleIsClear(i, pass)
                                                                          : showsWhole(i, pass);
            if (!whole)
                return false;
        }
        return true;
    }

private:
    // One factor being tried, with what has been worked out at it: group boxes' title inks and
    // what controls cover, each needed for several group boxes.
    struct Pass
    {
        explicit Pass(Scale factor) : scale(factor) {}
        Scale scale;
        mutable std::array<std::optional<Rect>, kCount> inks;
        mutable std::array<std::optional<std::vector<Rect>>, kCount> covered;
    };

    // The controls drawn in front of a group box that start below its top edge, and so may
    // cover its title. The table runs back to front, so every later control is drawn later.
    [[nodiscard]] static std::vector<std::size_t> controlsInFront(std::size_t group)
    {
        std::vector<std::size_t> controls;
        const int groupTop = placeInWindow(kControls[group], Scale{}).top;
        for (std::size_t other = group + 1; other < kCount; ++other)
            if (placeInWindow(kControls[other], Scale{}).top > groupTop)
                controls.push_back(other);
        return controls;
    }

    [[nodiscard]] bool showsWhole(std::size_t i, const Pass &pass) const
    {
        const Size size = placeInContainer(kControls[i], pass.scale).size();
        return fitsWithin(*m_captions[i], m_style.captionArea(kControls[i], size));
    }

    // The rows and columns that a group box's title inks, in the window.
    [[nodiscard]] Rect titleInk(std::size_t group, const Pass &pass) const
    {
        if (pass.inks[group])
            return *pass.inks[group];
        const Rect pixels = placeInWindow(kControls[group], pass.scale);
        const Rect title = m_style.groupBoxTitleArea(kControls[group], pixels.size());
        const CaptionMetrics &caption = *m_captions[group];
        const InkRows rows = inkRows(caption, title.height, false);
        const Point origin{pixels.left + title.left, pixels.top + title.top};
        const Rect ink{origin.x + caption.ink.left, origin.y + rows.top, caption.ink.width,
                       rows.bottom - rows.top};
        pass.inks[group] = ink;
        return ink;
    }

    // What a control covers of the controls behind it: all of it, but for a group box, whose
    // inside is transparent, only its title and its frame from the middle of the title down.
    [[nodiscard]] const std::vector<Rect> &coveredArea(std::size_t i, const Pass &pass) const
    {
        if (!pass.covered[i]) {
            const Rect pixels = placeInWindow(kControls[i], pass.scale);
            std::vector<Rect> covered{pixels};
            if (kControls[i].kind == ControlKind::GroupBox && hasCaption(kControls[i])) {
                Rect frame = m_style.groupBoxFrame(kControls[i], pixels.size());
                const Rect title = m_style.groupBoxTitleArea(kControls[i], pixels.size());
                const int titleMiddle = title.top + (title.height - 1) / 2;
                if (frame.top < titleMiddle) {
                    frame.height -= titleMiddle - frame.top;
                    frame.top = titleMiddle;
                }
                covered = {frame.translated(pixels.topLeft()), titleInk(i, pass)};
            }
            pass.covered[i] = std::move(covered);
        }
        return *pass.covered[i];
    }

    // A group box's title runs along its top edge; the controls in front of the box that start
    // below its top edge must leave the title's ink uncovered.
    [[nodiscard]] bool titleIsClear(std::size_t group, const Pass &pass) const
    {
        const Rect ink = titleInk(group, pass);
        return std::ranges::none_of(m_inFrontOf[group], [&](std::size_t other) {
            return std::ranges::any_of(coveredArea(other, pass),
                                       [&](const Rect &area) { return area.intersects(ink); });
        });
    }

    const ControlStyle &m_style;
    std::array<std::optional<CaptionMetrics>, kCount> m_captions;
    std::array<std::vector<std::size_t>, kCount> m_inFrontOf;
};

} // namespace

double scaleForWholeCaptions(const ControlStyle &style, double unit)
{
    const CaptionCheck check(style);
    const auto factor = [unit](int step) {
        return unit * (1.0 + static_cast<double>(step) / kStepsPerUnit);
    };
    int step = 0;
    while (step < kLargestStep && !check.allWholeAt(factor(step)))
        ++step;
    return factor(step);
}

} // namespace tarvex::design
