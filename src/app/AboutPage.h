#pragma once

#include <string_view>

namespace sorvane::about {

inline constexpr std::string_view Email = "sorvane@example.org";
inline constexpr std::string_view Site = "https://www.example.org/desktop-sorvane/";

}  // namespace sorvane::about
