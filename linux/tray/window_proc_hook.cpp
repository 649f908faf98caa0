#include "linux/tray/window_proc_hook.h"

#include "linux/tray/window_handles.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <utility>

namespace tarvex::win32_over_qt {

namespace {

// A message queued by PostMessageA.
class PostedMessageEvent : public QEvent
{
public:
    PostedMessageEvent(UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(type()), message(message), wParam(wParam), lParam(lParam)
    {}

    static Type type()
    {
        static const auto registered = static_cast<Type>(registerEventType());
        return registered;
    }

    const UINT message;
    const WPARAM wParam;
    const LPARAM lParam;
};

// Set while a window's procedure handles an event: whether the event has been passed on to
// the window's own handling. Deliveries nest when handling one event causes another.
bool *g_passedOn = nullptr;

LRESULT windowOwnHandling(HWND, UINT, WPARAM, LPARAM)
{
    if (g_passedOn != nullptr)
        *g_passedOn = true;
    return 0;
}

// Puts the window's procedure in front of everything else the window receives, as the first
// event filter of the window, so that the window's own event handling stays in place behind it.
class WindowProcHook : public QObject
{
    Q_OBJECT
public:
    WindowProcHook(QWidget *window, WNDPROC proc) : QObject(window), m_window(window), m_proc(proc)
    {
        window->installEventFilter(this);
    }

    WNDPROC replace(WNDPROC proc) { return std::exchange(m_proc, proc); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window)
            return false;
        UINT message = kQtEventMessage + static_cast<UINT>(event->type());
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        if (event->type() == PostedMessageEvent::type()) {
            const auto &posted = static_cast<const PostedMessageEvent &>(*event);
            message = posted.message;
            wParam = posted.wParam;
            lParam = posted.lParam;
        }
        bool passedOn = false;
        bool *const outer = std::exchange(g_passedOn, &passedOn);
        m_proc(windowHandle(m_window), message, wParam, lParam);
        g_passedOn = outer;
        return !passedOn;
    }

private:
    QWidget *m_window;
    WNDPROC m_proc;
};

} // namespace

WNDPROC SetWindowLongA(HWND hWnd, int index, WNDPROC newProc)
{
    QWidget *window = windowFromHandle(hWnd);
    if (window == nullptr || index != GWL_WNDPROC || newProc == nullptr)
        return nullptr;
    if (auto *hook = window->findChild<WindowProcHook *>(QString(), Qt::FindDirectChildrenOnly))
        return hook->replace(newProc);
    new WindowProcHook(window, newProc);
    return windowOwnHandling;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return proc != nullptr ? proc(hWnd, uMsg, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    QWidget *window = windowFromHandle(hWnd);
    if (window == nullptr)
        return 0;
    QCoreApplication::postEvent(window, new PostedMessageEvent(uMsg, wParam, lParam));
    return 1;
}

} // namespace tarvex::win32_over_qt

#include "window_proc_hook.moc"
