#include "ComApartment.h"

#include <objbase.h>

namespace sorvane {

ComApartment::ComApartment() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_FALSE joins an apartment the thread was already in and also needs its
    // matching uninitialise; RPC_E_CHANGED_MODE leaves the thread as it was.
    joined_ = SUCCEEDED(hr);
}

ComApartment::~ComApartment() {
    if (joined_) CoUninitialize();
}

}  // namespace sorvane
