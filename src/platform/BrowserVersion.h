#pragma once

#include <charconv>
#include <string_view>

namespace sorvane {

// The number a version text begins with: its leading digits and at most one
// decimal point, so "5.50.4134.0600" gives 5.5 and "" gives 0.
inline double LeadingVersionNumber(std::string_view text) {
    size_t end = 0;
    bool point = false;
    while (end < text.size()) {
        const char c = text[end];
        if (c >= '0' && c <= '9') {
            ++end;
        } else if (c == '.' && !point) {
            point = true;
            ++end;
        } else {
            break;
        }
    }
    // "5." and "." read as 5 and 0, like the leading digits alone.
    std::string_view number = text.substr(0, end);
    if (!number.empty() && number.back() == '.') number.remove_suffix(1);
    double value = 0;
    if (number.empty()) return 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

// Per-picture transitions need a browser engine of version 5.5 or later.
inline bool BrowserVersionHasTransitions(std::string_view versionText) {
    return LeadingVersionNumber(versionText) >= 5.5;
}

}  // namespace sorvane
