#include "linux/window_fit.h"

#include "linux/twips_layout.h"
#include "linux/window_manager.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <chrono>

namespace tarvex {

namespace {

// Room for a frame that the window manager has not told: a title bar as tall as the tallest
// measured (GNOME's and UKUI's, 37 pixels) and thin borders.
constexpr QMargins kFrameRoom(6, 40, 6, 6);

// How long the window manager may take to tell the frame before the window is shown without it.
constexpr std::chrono::milliseconds kFramePatience(500);

bool placesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The area a window may take on the screen, but for a pixel at its right and bottom edges. KWin
// takes a window as tall or as wide as that area for one maximised that way when it is shown
// again. And at a fractional scale (150 %) the frame's device pixels round to whole
// device-independent ones, and a window placed flush with the screen's edge was seen to end a
// device pixel beyond it.
//
// Wayland tells a program nothing of the desktop's panels, and Qt's available area there is the
// whole screen: room is kept for a panel, or a window fitted to the screen is taller than the
// work area and mutter maximises it.
QRect usableArea(const QScreen &screen)
{
    QRect area = screen.availableGeometry();
    if (!placesWindows() && area == screen.geometry())
        area.setTop(area.top() + WindowFit::kWaylandPanelRoom);
    return area.adjusted(0, 0, -1, -1);
}

design::Rect fromQRect(const QRect &rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QSize toQSize(design::Size size)
{
    return {size.width, size.height};
}

} // namespace

WindowFit::WindowFit(QWidget *window, const TwipsLayout &layout)
    : QObject(window), m_window(window), m_layout(layout)
{
    m_window->installEventFilter(this);
    m_window->resize(toQSize(design::scaledClientArea(m_scale)));
    m_layout.apply(m_scale);
}

bool WindowFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        // Sent before the window is mapped, so the window is fitted before anyone sees it.
        if (!std::exchange(m_shown, true))
            fitBeforeMapping();
        break;
    case QEvent::Resize:
        layOutWithin(m_window->size());
        break;
    case QEvent::ShowToParent:
        // Sent once the window is on its way to the screen: on Wayland the frame that Qt draws
        // itself is known from then on, and the first frame is not drawn yet. On X11 the window
        // manager's frame comes later, with the window's first move.
        if (!placesWindows())
            fitOnceFrameIsKnown();
        break;
    case QEvent::Move:
    case QEvent::WindowActivate:
        fitOnceFrameIsKnown();
        break;
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange:
    case QEvent::StyleChange:
        // The controls take the new font after the window does; fit once they all have.
        if (!std::exchange(m_fontChangeQueued, true))
            QMetaObject::invokeMethod(this, &WindowFit::followFontChange, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return false;
}

void WindowFit::fitBeforeMapping()
{
    m_captionScale = m_layout.scaleForWholeCaptions();
    const QScreen *screen = QGuiApplication::screenAt(designPlace());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    const QMargins frame = frameBeforeMapping();
    m_assumedFrame = frame;
    if (screen != nullptr)
        fitWithinScreen(*screen, frame, designPlace());
}

// Once the window manager has framed the window, a frame other than the one the window was
// fitted with fits it anew, from its design place; after that its size and place are the
// user's.
void WindowFit::fitOnceFrameIsKnown()
{
    const QMargins frame = knownFrame();
    if (!m_assumedFrame || frame.isNull() || !m_window->isVisible())
        return;
    const QMargins assumed = *std::exchange(m_assumedFrame, std::nullopt);
    if (frame == assumed || m_window->windowState() != Qt::WindowNoState)
        return;
    fitWithinScreen(*m_window->screen(), frame, designPlace());
}

void WindowFit::followFontChange()
{
    m_fontChangeQueued = false;
    m_captionScale = m_layout.scaleForWholeCaptions();
    if (m_shown && m_window->windowState() == Qt::WindowNoState) {
        const QMargins known = knownFrame();
        const QMargins frame = known.isNull() ? m_assumedFrame.value_or(known) : known;
        fitWithinScreen(*m_window->screen(), frame, m_window->geometry().topLeft());
    } else {
        layOutWithin(m_window->size());
    }
}

// Sizes the window for the caption factor, or as large as fits with its frame within the
// screen's available area, and puts its client area at the place, or as near it as keeps the
// frame within that area.
void WindowFit::fitWithinScreen(const QScreen &screen, QMargins frame, QPoint clientPlace)
{
    const design::WindowPlace place =
        design::placeOnScreen(m_captionScale, fromQRect(usableArea(screen)),
                              {frame.left(), frame.top(), frame.right(), frame.bottom()},
                              {clientPlace.x(), clientPlace.y()}, design::kLargestOpeningShare);
    const QSize client = toQSize(place.client);
    if (!placesWindows()) {
        m_window->resize(client);
        layOutWithin(client);
        return;
    }
    // The window is placed by its frame's place, which window managers keep through hiding
    // and showing: UKUI's put a window placed by its client area 37 pixels higher each time it
    // was shown again. Qt places by the frame only through the window, and places a window by
    // its client area again when it is resized, or shown with a place other than its widget's;
    // so the place comes last, and before the window is first shown the widget is put where
    // its window will be.
    const QPoint framePlace(place.frame.x, place.frame.y);
    m_window->winId();
    if (m_window->windowHandle()->isVisible())
        m_window->resize(client);
    else
        m_window->setGeometry(QRect(framePlace, client));
    layOutWithin(client);
    m_window->windowHandle()->setFramePosition(framePlace);
}

void WindowFit::layOutWithin(QSize client)
{
    const design::Scale scale =
        design::layoutScale(m_captionScale, {client.width(), client.height()});
    if (scale == m_scale)
        return;
    m_scale = scale;
    m_layout.apply(m_scale);
}

QPoint WindowFit::designPlace() const
{
    const design::Point place = design::designPlace(m_captionScale);
    return {place.x, place.y};
}

// On Wayland the frame is Qt's own once its window is on its way to the screen, or the
// compositor's, which is never told.
QMargins WindowFit::frameBeforeMapping() const
{
    const QMargins known = knownFrame();
    if (!known.isNull())
        return known;
    if (!placesWindows())
        return kFrameRoom;
    m_window->winId();
    return windowManager::frameExtentsBeforeMapping(m_window->windowHandle(), kFramePatience)
        .value_or(kFrameRoom);
}

QMargins WindowFit::knownFrame() const
{
    return m_window->windowHandle() != nullptr ? m_window->windowHandle()->frameMargins()
                                               : QMargins();
}

} // namespace tarvex
