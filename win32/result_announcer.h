#pragma once

#include "win32/accessible_names.h"
#include "win32/windows_headers.h"

#include <memory>
#include <span>
#include <string_view>
#include <vector>

struct IRawElementProviderSimple;

namespace tarvex::win32 {

// An output box that a command writes, and the name a screen reader knows it by.
struct OutputBox
{
    HWND window;
    std::u16string_view accessibleName;
};

// Tells a screen reader, once, what a command has written into an output box, without moving
// the focus: Narrator and NVDA do not speak a change to a box that does not have the focus, and
// the focus stays on the button that was pressed. Windows 10 1709 and later get a UI Automation
// notification from the box's element; earlier Windows, which lack it, are told that the box, a
// polite live region, changed. uiautomationcore and oleaut32 are loaded when this is made, after
// the window's first frame, and stay loaded for the program's life, as imports would. An
// announcement that Windows cannot make leaves the result shown and unspoken, as it was before.
class ResultAnnouncer
{
public:
    // `names` annotates the boxes for the live regions' way and must outlive this.
    ResultAnnouncer(const AccessibleNames &names, std::span<const OutputBox> boxes);
    ResultAnnouncer(const ResultAnnouncer &) = delete;
    ResultAnnouncer &operator=(const ResultAnnouncer &) = delete;

    // Tells the box's name and the text just written into it (design::resultAnnouncement); a
    // window that is not one of the boxes is told nothing.
    void announce(HWND box, std::u16string_view text);
    // The box has taken the focus. Where the announcement went out as the box's name (the live
    // regions' way), the box gets its own name back: a screen reader reads the name on the
    // way in, and once the user edits the box the announced text would no longer be its text.
    void boxFocused(HWND box);
    // The window is being destroyed (WM_DESTROY), its boxes still there: UI Automation is told
    // to let go of the elements that raised notifications, which may then go.
    void windowGoing();

private:
    struct ReleaseElement
    {
        void operator()(IRawElementProviderSimple *element) const;
    };
    struct Box
    {
        OutputBox box;
        // Its UI Automation element, which notifications come from.
        std::unique_ptr<IRawElementProviderSimple, ReleaseElement> element;
        bool namedByAnnouncement = false;
    };
    using RaiseNotification = HRESULT(WINAPI *)(IRawElementProviderSimple *, int, int, wchar_t *,
                                                wchar_t *);
    using AllocateString = wchar_t *(WINAPI *)(const wchar_t *, UINT);
    using FreeString = void(WINAPI *)(wchar_t *);

    [[nodiscard]] Box *find(HWND window);
    void notify(const Box &box, std::u16string_view announcement) const;

    const AccessibleNames &m_names;
    HMODULE m_automation;
    HMODULE m_automationStrings;
    RaiseNotification m_raiseNotification = nullptr;
    AllocateString m_allocateString = nullptr;
    FreeString m_freeString = nullptr;
    std::vector<Box> m_boxes;
};

} // namespace tarvex::win32
