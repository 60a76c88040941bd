#include "AccessibleName.h"

#include <initguid.h>
#include <oleacc.h>

namespace sorvane {

void SetAccessibleName(HWND control, const wchar_t* name, long role) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services))))
        return;
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_NAME, name);
    if (role) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = role;
        services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              PROPID_ACC_ROLE, value);
    }
    services->Release();
}

}  // namespace sorvane
