#include "AccessibleName.h"

#include <initguid.h>
#include <oleacc.h>

namespace sorvane {

void SetAccessibleName(HWND control, const wchar_t* name) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services))))
        return;
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_NAME, name);
    services->Release();
}

}  // namespace sorvane
