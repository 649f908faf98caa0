#pragma once

#include "design/layout_arithmetic.h"

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>

#include <optional>

class QScreen;
class QWidget;

namespace tarvex {

class TwipsLayout;

// Fits a window's twips layout to the window and the window to its screen, as an event filter
// on the window.
//
// The layout is drawn at the factor at which every caption shows whole in the desktop's font,
// or, across and down each on its own, at the largest at which the design's client area fits
// the window's client area (design::layoutScale). When the window manager or the user makes the
// window smaller, the layout follows it down; when the window grows again, maximised say, the
// layout grows back up to the caption factor and leaves the rest of the client area empty, as
// the design's fixed places imply.
//
// At start the window opens at the caption factor, or smaller if it would not fit, frame
// included, within the available area of its screen: fitting the screen comes before whole
// captions. Nor does it open covering more than 80 % of that area where it can keep from it by
// giving up what one direction has beyond the other's factor: mutter maximises such a window.
// On X11 it opens at its design place, by its frame's position (window managers keep
// a window placed so where it is hidden and shown again), moved up and left only as far as it
// must to fit. The frame is asked of the window manager before the window is mapped; a window
// manager that does not tell it in time gets room for a title bar, and the window is fitted
// again once the frame is known. On Wayland the compositor places the window, and the frame
// that Qt draws there itself is known once the window is on its way to the screen, before its
// first frame, when the window is fitted again.
class WindowFit : public QObject
{
    Q_OBJECT
public:
    // `layout` places the window's controls.
    WindowFit(QWidget *window, const TwipsLayout &layout);

    // The room kept for a panel on Wayland, where the work area is not told: the taller of
    // GNOME's top bar (32 pixels) and Plasma's panel at its default font (44; it grows with the
    // font, to 60 at 11 pt).
    static constexpr int kWaylandPanelRoom = 44;

    // The factors the layout is drawn at: 1 for 15 twips to a device-independent pixel, which
    // is a pixel at 96 dots per inch.
    [[nodiscard]] design::Scale scale() const { return m_scale; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitBeforeMapping();
    void fitOnceFrameIsKnown();
    void followFontChange();
    void fitWithinScreen(const QScreen &screen, QMargins frame, QPoint clientPlace);
    void layOutWithin(QSize client);

    [[nodiscard]] QPoint designPlace() const;
    [[nodiscard]] QMargins frameBeforeMapping() const;
    [[nodiscard]] QMargins knownFrame() const;

    QWidget *m_window;
    const TwipsLayout &m_layout;
    double m_captionScale = 1.0;
    design::Scale m_scale;
    // The frame the window was last fitted with, until the window manager has told the real one.
    std::optional<QMargins> m_assumedFrame;
    bool m_shown = false;
    bool m_fontChangeQueued = false;
};

} // namespace tarvex
