#include "WindowsServices.h"

#include <windows.h>

#include <ole2.h>
#include <olectl.h>

namespace sorvane {

Rect WindowsScreen::WorkArea() {
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) return {};
    return {area.left, area.top, area.right, area.bottom};
}

std::string WindowsTempNames::TempFileName(const std::string& folder, const std::string& prefix,
                                           unsigned unique) {
    char name[MAX_PATH] = {};
    if (GetTempFileNameA(folder.c_str(), prefix.c_str(), unique, name) == 0) return {};
    return name;
}

std::optional<uint32_t> WindowsColors::Translate(uint32_t oleColor) {
    // A system reference carries its index in the low byte only; the system
    // would look past the other bytes.
    if ((oleColor >> 24) == 0x80 && (oleColor & 0x00FFFF00u) != 0) return std::nullopt;
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(oleColor, nullptr, &rgb))) return std::nullopt;
    // Without a palette a palette-relative colour comes back with its flag
    // byte; callers want the plain colour.
    return static_cast<uint32_t>(rgb) & 0x00FFFFFFu;
}

}  // namespace sorvane
