#include "win32/accessible_names.h"

#include "win32/system_function.h"
#include "win32/text.h"

#include <initguid.h> // defines the GUIDs that oleacc.h declares, in this file alone

#include <oleacc.h>

namespace tarvex::win32 {

namespace {

using CoInitializeExFunction = HRESULT(WINAPI *)(void *, DWORD);
using CoUninitializeFunction = void(WINAPI *)();
using CoCreateInstanceFunction = HRESULT(WINAPI *)(REFCLSID, IUnknown *, DWORD, REFIID, void **);

// UI Automation's LiveSetting property and its value Polite (UIAutomationCore.h), which
// MinGW-w64's headers lack.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

} // namespace

// ole32 is one of Windows' known DLLs, always loaded from the system folder. It stays loaded for
// the program's life, as an import would.
AccessibleNames::AccessibleNames() : m_ole32(LoadLibraryW(L"ole32.dll"))
{
    const auto enter = systemFunction<CoInitializeExFunction>(m_ole32, "CoInitializeEx");
    m_entered = enter != nullptr && SUCCEEDED(enter(nullptr, COINIT_APARTMENTTHREADED));
}

AccessibleNames::~AccessibleNames()
{
    if (m_entered)
        systemFunction<CoUninitializeFunction>(m_ole32, "CoUninitialize")();
}

void AccessibleNames::set(HWND control, std::u16string_view name) const
{
    IAccPropServices *services = propertyServices();
    if (services == nullptr)
        return;
    const std::wstring text = wideString(name);
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_NAME, text.c_str());
    services->Release();
}

void AccessibleNames::makePoliteLiveRegion(HWND control) const
{
    IAccPropServices *services = propertyServices();
    if (services == nullptr)
        return;
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                          kLiveSettingProperty, polite);
    services->Release();
}

IAccPropServices *AccessibleNames::propertyServices() const
{
    const auto create = systemFunction<CoCreateInstanceFunction>(m_ole32, "CoCreateInstance");
    IAccPropServices *services = nullptr;
    if (!m_entered || create == nullptr ||
        FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      reinterpret_cast<void **>(&services))))
        return nullptr;
    return services;
}

} // namespace tarvex::win32
