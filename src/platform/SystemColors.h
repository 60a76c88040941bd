#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvane {

// The system colours an OLE colour may refer to (0x80000000 | index), in the
// platform's order. Values are 0x00BBGGRR.
struct SystemColor {
    std::string_view Name;
    uint32_t Value;
};

constexpr int SystemColorCount = 31;
using SystemColorTable = std::array<SystemColor, SystemColorCount>;

// The classic defaults, used where the running desktop tells nothing better.
const SystemColorTable& DefaultSystemColors();

constexpr int SystemColorDesktop = 1;
constexpr uint32_t OleDesktopColor = 0x80000001u;

// OLE colour translation against a table: plain colours pass, palette-relative
// (0x02) colours lose their high byte, system references look up the table;
// an index outside the table or any other high byte fails.
std::optional<uint32_t> TranslateOleColor(uint32_t oleColor, const SystemColorTable& table);

}  // namespace sorvane
