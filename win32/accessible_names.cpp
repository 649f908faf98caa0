#include "win32/accessible_names.h"

#include "win32/text.h"

#include <initguid.h> // defines the GUIDs that oleacc.h declares, in this file alone

#include <oleacc.h>

namespace tarvex::win32 {

void setAccessibleName(HWND control, std::u16string_view name)
{
    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void **>(&services))))
        return;
    const std::wstring text = wideString(name);
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_NAME, text.c_str());
    services->Release();
}

} // namespace tarvex::win32
