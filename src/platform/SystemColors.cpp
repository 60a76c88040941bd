#include "SystemColors.h"

namespace sorvane {

namespace {
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
}  // namespace

const SystemColorTable& DefaultSystemColors() {
    static const SystemColorTable table = {{
        {"Scroll Bars", Rgb(212, 208, 200)},
        {"Desktop", Rgb(58, 110, 165)},
        {"Active Title Bar", Rgb(10, 36, 106)},
        {"Inactive Title Bar", Rgb(128, 128, 128)},
        {"Menu Bar", Rgb(212, 208, 200)},
        {"Window Background", Rgb(255, 255, 255)},
        {"Window Frame", Rgb(0, 0, 0)},
        {"Menu Text", Rgb(0, 0, 0)},
        {"Window Text", Rgb(0, 0, 0)},
        {"Active Title Bar Text", Rgb(255, 255, 255)},
        {"Active Border", Rgb(212, 208, 200)},
        {"Inactive Border", Rgb(212, 208, 200)},
        {"Application Workspace", Rgb(128, 128, 128)},
        {"Highlight", Rgb(10, 36, 106)},
        {"Highlight Text", Rgb(255, 255, 255)},
        {"Button Face", Rgb(212, 208, 200)},
        {"Button Shadow", Rgb(128, 128, 128)},
        {"Disabled Text", Rgb(128, 128, 128)},
        {"Button Text", Rgb(0, 0, 0)},
        {"Inactive Title Bar Text", Rgb(212, 208, 200)},
        {"Button Highlight", Rgb(255, 255, 255)},
        {"Button Dark Shadow", Rgb(64, 64, 64)},
        {"Button Light Shadow", Rgb(212, 208, 200)},
        {"ToolTip Text", Rgb(0, 0, 0)},
        {"ToolTip", Rgb(255, 255, 225)},
        {"Button Alternate Face", Rgb(181, 181, 181)},
        {"Hot Tracking", Rgb(0, 0, 128)},
        {"Active Title Gradient", Rgb(166, 202, 240)},
        {"Inactive Title Gradient", Rgb(192, 192, 192)},
        {"Menu Highlight", Rgb(10, 36, 106)},
        {"Menu", Rgb(212, 208, 200)},
    }};
    return table;
}

std::optional<uint32_t> TranslateOleColor(uint32_t oleColor, const SystemColorTable& table) {
    switch (oleColor >> 24) {
        case 0x00:
            return oleColor;
        case 0x02:
            return oleColor & 0x00FFFFFFu;
        case 0x80: {
            const uint32_t index = oleColor & 0xFFu;
            if (index >= table.size() || (oleColor & 0x00FFFF00u) != 0) return std::nullopt;
            return table[index].Value;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace sorvane
