#pragma once

#include "win32/windows_headers.h"

#include <string_view>

struct IAccPropServices;

namespace tarvex::win32 {

// Gives controls the names a screen reader announces them by. An edit box is otherwise named
// after the label stacked just in front of it, and the design's text boxes have none: each
// stands in or under a group box whose caption names it. Marks, too, the controls whose changes
// a screen reader is to speak unasked (live regions). The COM library that annotates them is
// loaded, and the thread's apartment entered, only when this is made: the window's first frame
// need not wait for them. The apartment is left when this goes. Where Windows cannot annotate a
// control (no COM, an old oleacc), the control keeps the name it had.
class AccessibleNames
{
public:
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames &) = delete;
    AccessibleNames &operator=(const AccessibleNames &) = delete;

    void set(HWND control, std::u16string_view name) const;
    // A screen reader speaks a polite live region's name when told that it changed
    // (EVENT_OBJECT_LIVEREGIONCHANGED), once it has finished what it is saying.
    void makePoliteLiveRegion(HWND control) const;

private:
    // A new reference to the annotation service, or nullptr where Windows has none.
    [[nodiscard]] IAccPropServices *propertyServices() const;

    HMODULE m_ole32;
    bool m_entered = false;
};

} // namespace tarvex::win32
