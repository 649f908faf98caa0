#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

namespace tarvex {

// The layout is drawn in twips, 15 to a device-independent pixel at 96 dots per inch; Qt's
// high-DPI scaling takes it from there.
constexpr int kTwipsPerPixel = 15;

// The window's controls at their places in twips, drawn through one scale factor. At 1, a
// twip is 1/15 of a device-independent pixel, as the layout was drawn for a 9 pt font; a
// larger desktop font needs a larger factor, as twips on the original platform grow with the
// user's text-size setting, or captions are cut off.
class TwipsLayout
{
public:
    // Records where a widget goes, in twips within its parent.
    void add(QWidget *widget, QRect twips);

    // Places every recorded widget at the factor: each edge at the nearest pixel, so that
    // controls that meet in twips still meet.
    void apply(double scale) const;

    // The smallest factor of at least 1 at which every radio button's and push button's
    // caption lies whole within its control and every group box's title lies clear of the
    // controls drawn in front of it, in the widgets' fonts as they are now.
    [[nodiscard]] double scaleForWholeCaptions() const;

private:
    struct Placement
    {
        QWidget *widget;
        QRect twips;
    };
    class CaptionCheck;

    QList<Placement> m_placements;
};

// A rectangle in twips at a scale factor, each edge at the nearest pixel.
[[nodiscard]] QRect scaledTwipsRect(QRect twips, double scale);

} // namespace tarvex
