#pragma once

#include <array>
#include <string_view>

namespace sorvane {

constexpr int TransitionCount = 55;
constexpr int TransitionNone = 54;

// The page transitions in the order of the transition box; the index is what
// the page and config.dat carry.
extern const std::array<std::string_view, TransitionCount> TransitionNames;

// Index of a name (exact), or -1.
int TransitionIndexOf(std::string_view name);

}  // namespace sorvane
