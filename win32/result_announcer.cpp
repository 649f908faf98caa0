#include "win32/result_announcer.h"

#include "design/announcement.h"
#include "win32/system_function.h"

#include <uiautomationcore.h>

#include <memory>
#include <utility>

namespace tarvex::win32 {

namespace {

using HostProviderFunction = HRESULT(WINAPI *)(HWND, IRawElementProviderSimple **);
using ForgetProvidersFunction = LRESULT(WINAPI *)(HWND, WPARAM, LPARAM,
                                                  IRawElementProviderSimple *);
using DisconnectProviderFunction = HRESULT(WINAPI *)(IRawElementProviderSimple *);

// NotificationKind_ActionCompleted and NotificationProcessing_MostRecent (UIAutomationCore.h,
// Windows 10 1709), which MinGW-w64's headers lack. A newer result replaces one not yet spoken:
// only the last counts.
constexpr int kActionCompleted = 2;
constexpr int kMostRecent = 3;
// What every notification is about, so that a new result replaces an older one of any box.
constexpr wchar_t kActivity[] = L"Tarvex.Result";
// EVENT_OBJECT_LIVEREGIONCHANGED (Windows 8), which winuser.h declares only for builds that
// need Windows 8.
constexpr DWORD kLiveRegionChanged = 0x8019;

// The library is looked for in the system folder only, never beside the program.
HMODULE loadSystemLibrary(const wchar_t *name)
{
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// A box's UI Automation element as the source of a notification. The host provider of a window
// (UiaHostProviderFromHwnd) cannot raise events itself: a provider of the window's own must, and
// this one adds nothing to the element but that. It has no properties or patterns, so that UI
// Automation takes all of them from the provider it hosts, Windows' own for the edit control,
// and the screen reader finds the element it knows. It holds nothing that changes, so UI
// Automation may call it from any thread, without the window's message loop.
class BoxElement final : public IRawElementProviderSimple
{
public:
    BoxElement(HWND box, HostProviderFunction hostProvider)
        : m_box(box), m_hostProvider(hostProvider)
    {}
    BoxElement(const BoxElement &) = delete;
    BoxElement &operator=(const BoxElement &) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void **object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (!IsEqualIID(interfaceId, __uuidof(IUnknown)) &&
            !IsEqualIID(interfaceId, __uuidof(IRawElementProviderSimple))) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IRawElementProviderSimple *>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(InterlockedIncrement(&m_references));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions *options) override
    {
        if (options == nullptr)
            return E_POINTER;
        *options = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown **pattern) override
    {
        if (pattern == nullptr)
            return E_POINTER;
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT *value) override
    {
        if (value == nullptr)
            return E_POINTER;
        value->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple **host) override
    {
        if (host == nullptr)
            return E_POINTER;
        return m_hostProvider(m_box, host);
    }

private:
    ~BoxElement() = default;

    HWND m_box;
    HostProviderFunction m_hostProvider;
    LONG m_references = 1;
};

} // namespace

ResultAnnouncer::ResultAnnouncer(const AccessibleNames &names, std::span<const OutputBox> boxes)
    : m_names(names), m_automation(loadSystemLibrary(L"uiautomationcore.dll")),
      m_automationStrings(loadSystemLibrary(L"oleaut32.dll"))
{
    const auto raise = systemFunction<RaiseNotification>(m_automation, "UiaRaiseNotificationEvent");
    const auto host = systemFunction<HostProviderFunction>(m_automation, "UiaHostProviderFromHwnd");
    const auto allocate = systemFunction<AllocateString>(m_automationStrings, "SysAllocStringLen");
    const auto free = systemFunction<FreeString>(m_automationStrings, "SysFreeString");
    const bool notifies =
        raise != nullptr && host != nullptr && allocate != nullptr && free != nullptr;
    if (notifies) {
        m_raiseNotification = raise;
        m_allocateString = allocate;
        m_freeString = free;
    }
    m_boxes.reserve(boxes.size());
    for (const OutputBox &box : boxes) {
        // Windows before 1709 speak a live region's name when it changes: Narrator reads the
        // element's name, and NVDA speaks the name, not the value, of a live region that says it
        // changed. The announcement is therefore put in the box's name, not its description.
        if (!notifies)
            names.makePoliteLiveRegion(box.window);
        m_boxes.push_back({box, {notifies ? new BoxElement(box.window, host) : nullptr, {}}});
    }
}

// UI Automation keeps the elements that raised events for the clients it serves. It lets go of
// a window's providers only while the window exists, and of a provider of the program's own
// where Windows 8 and later are asked to (UiaDisconnectProvider, which Windows 7 lacks).
void ResultAnnouncer::windowGoing()
{
    const auto forget =
        systemFunction<ForgetProvidersFunction>(m_automation, "UiaReturnRawElementProvider");
    const auto disconnect =
        systemFunction<DisconnectProviderFunction>(m_automation, "UiaDisconnectProvider");
    for (const Box &box : m_boxes) {
        if (box.element == nullptr)
            continue;
        if (forget != nullptr)
            forget(box.box.window, 0, 0, nullptr);
        if (disconnect != nullptr)
            disconnect(box.element.get());
    }
}

void ResultAnnouncer::announce(HWND window, std::u16string_view text)
{
    Box *box = find(window);
    if (box == nullptr)
        return;
    const std::u16string announcement = design::resultAnnouncement(box->box.accessibleName, text);
    if (box->element != nullptr) {
        notify(*box, announcement);
        return;
    }
    m_names.set(window, announcement);
    box->namedByAnnouncement = true;
    NotifyWinEvent(kLiveRegionChanged, window, OBJID_CLIENT, CHILDID_SELF);
}

void ResultAnnouncer::boxFocused(HWND window)
{
    Box *box = find(window);
    if (box == nullptr || !std::exchange(box->namedByAnnouncement, false))
        return;
    m_names.set(window, box->box.accessibleName);
}

void ResultAnnouncer::ReleaseElement::operator()(IRawElementProviderSimple *element) const
{
    element->Release();
}

ResultAnnouncer::Box *ResultAnnouncer::find(HWND window)
{
    for (Box &box : m_boxes)
        if (box.box.window == window)
            return &box;
    return nullptr;
}

void ResultAnnouncer::notify(const Box &box, std::u16string_view announcement) const
{
    const auto freeString = [this](wchar_t *string) { m_freeString(string); };
    using String = std::unique_ptr<wchar_t, decltype(freeString)>;
    const String text(m_allocateString(reinterpret_cast<const wchar_t *>(announcement.data()),
                                       static_cast<UINT>(announcement.size())),
                      freeString);
    const String activity(m_allocateString(kActivity, static_cast<UINT>(std::size(kActivity) - 1)),
                          freeString);
    if (text != nullptr && activity != nullptr)
        m_raiseNotification(box.element.get(), kActionCompleted, kMostRecent, text.get(),
                            activity.get());
}

} // namespace tarvex::win32
