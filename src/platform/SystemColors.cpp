#include "SystemColors.h"

#include "Translate.h"

namespace sorvane {

namespace {
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
}  // namespace

const SystemColorTable& DefaultSystemColors() {
    static const SystemColorTable table = {{
        {SORVANE_TR_NOOP("SystemColor", "Scroll Bars"), Rgb(212, 208, 200)},
        {SORVANE_TR_NOOP("SystemColor", "Desktop"), Rgb(58, 110, 165)},
        {SORVANE_TR_NOOP("SystemColor", "Active Title Bar"), Rgb(10, 36, 106)},
        {SORVANE_TR_NOOP("SystemColor", "Inactive Title Bar"), Rgb(128, 128, 128)},
        {SORVANE_TR_NOOP("SystemColor", "Menu Bar"), Rgb(212, 208, 200)},
        {SORVANE_TR_NOOP("SystemColor", "Window Background"), Rgb(255, 255, 255)},
        {SORVANE_TR_NOOP("SystemColor", "Window Frame"), Rgb(0, 0, 0)},
        {SORVANE_TR_NOOP("SystemColor", "Menu Text"), Rgb(0, 0, 0)},
        {SORVANE_TR_NOOP("SystemColor", "Window Text"), Rgb(0, 0, 0)},
        {SORVANE_TR_NOOP("SystemColor", "Active Title Bar Text"), Rgb(255, 255, 255)},
        {SORVANE_TR_NOOP("SystemColor", "Active Border"), Rgb(212, 208, 200)},
        {SORVANE_TR_NOOP("SystemColor", "Inactive Border"), Rgb(212, 208, 200)},
        {SORVANE_TR_NOOP("SystemColor", "Application Workspace"), Rgb(128, 128, 128)},
        {SORVANE_TR_NOOP("SystemColor", "Highlight"), Rgb(10, 36, 106)},
        {SORVANE_TR_NOOP("SystemColor", "Highlight Text"), Rgb(255, 255, 255)},
        {SORVANE_TR_NOOP("SystemColor", "Button Face"), Rgb(212, 208, 200)},
        {SORVANE_TR_NOOP("SystemColor", "Button Shadow"), Rgb(128, 128, 128)},
        {SORVANE_TR_NOOP("SystemColor", "Disabled Text"), Rgb(128, 128, 128)},
        {SORVANE_TR_NOOP("SystemColor", "Button Text"), Rgb(0, 0, 0)},
        {SORVANE_TR_NOOP("SystemColor", "Inactive Title Bar Text"), Rgb(212, 208, 200)},
        {SORVANE_TR_NOOP("SystemColor", "Button Highlight"), Rgb(255, 255, 255)},
        {SORVANE_TR_NOOP("SystemColor", "Button Dark Shadow"), Rgb(64, 64, 64)},
        {SORVANE_TR_NOOP("SystemColor", "Button Light Shadow"), Rgb(212, 208, 200)},
        {SORVANE_TR_NOOP("SystemColor", "ToolTip Text"), Rgb(0, 0, 0)},
        {SORVANE_TR_NOOP("SystemColor", "ToolTip"), Rgb(255, 255, 225)},
        {SORVANE_TR_NOOP("SystemColor", "Button Alternate Face"), Rgb(181, 181, 181)},
        {SORVANE_TR_NOOP("SystemColor", "Hot Tracking"), Rgb(0, 0, 128)},
        {SORVANE_TR_NOOP("SystemColor", "Active Title Gradient"), Rgb(166, 202, 240)},
        {SORVANE_TR_NOOP("SystemColor", "Inactive Title Gradient"), Rgb(192, 192, 192)},
        {SORVANE_TR_NOOP("SystemColor", "Menu Highlight"), Rgb(10, 36, 106)},
        {SORVANE_TR_NOOP("SystemColor", "Menu"), Rgb(212, 208, 200)},
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
