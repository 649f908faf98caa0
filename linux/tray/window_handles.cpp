#include "linux/tray/window_handles.h"

#include <QIcon>
#include <QList>
#include <QWidget>

#include <limits>

namespace tarvex::win32_over_qt {

namespace {

QList<QIcon> &icons()
{
    static QList<QIcon> registered;
    return registered;
}

} // namespace

HWND windowHandle(QWidget *window)
{
    const WId id = window->winId();
    return id <= std::numeric_limits<HWND>::max() ? static_cast<HWND>(id) : 0;
}

QWidget *windowFromHandle(HWND handle)
{
    return handle == 0 ? nullptr : QWidget::find(handle);
}

HICON iconHandle(const QIcon &icon)
{
    for (qsizetype i = 0; i < icons().size(); ++i)
        if (icons()[i].cacheKey() == icon.cacheKey())
            return static_cast<HICON>(i + 1);
    icons().append(icon);
    return static_cast<HICON>(icons().size());
}

QIcon iconFromHandle(HICON handle)
{
    return handle >= 1 && handle <= icons().size() ? icons()[handle - 1] : QIcon();
}

} // namespace tarvex::win32_over_qt
