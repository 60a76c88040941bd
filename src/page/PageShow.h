#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// What a written slide-show page shows, for a desktop that can only show one
// picture at a time: its prepared copies in order and how long each stays.
struct PageShow {
    std::vector<std::string> Pictures;  // absolute paths, <page folder>/Sorvane/<name>
    double IntervalMs = 6000;           // as the page's script reads it
    std::optional<uint32_t> ColorRgb;   // 0xRRGGBB, when the page sets its colour
};

// Reads the page at `pagePath` as the page's own script would. Throws
// sorvane::Error naming the page when it can't be read, names no picture, or
// names one outside its Sorvane folder.
PageShow ReadPageShow(const std::string& pagePath);

// The page's interval from the text it carries: parseFloat's reading, 6000
// when that is not a number, at least 500 and at most a timer's reach.
double PageIntervalMs(const std::string& intervalText);

}  // namespace sorvane
