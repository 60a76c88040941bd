#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvane {

// A 32-bit integer from text as the original's number conversion takes it:
// spaces around it allowed, an optional sign and decimal digits, or "&H" and
// up to eight hex digits (read as the 32-bit pattern). Anything else, or a
// number out of range, gives none.
inline std::optional<int32_t> ParseInt32(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        text.remove_prefix(2);
        if (text.size() > 8) return std::nullopt;
        uint32_t bits = 0;
        for (char c : text) {
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            bits = bits << 4 | static_cast<uint32_t>(digit);
        }
        return static_cast<int32_t>(bits);
    }
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > int64_t{1} << 31) return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace sorvane
