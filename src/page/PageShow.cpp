#include "PageShow.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>

#include "platform/AtomicFile.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

// What ends a name or leads out of the folder; Windows also takes a backslash
// and a drive's colon.
#ifdef _WIN32
constexpr std::string_view NotInAName("/\\:\0", 4);
#else
constexpr std::string_view NotInAName("/\0", 2);
#endif

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimSpace(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n\f\v");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n\f\v");
    return s.substr(first, last - first + 1);
}

// A non-negative whole number at the start of `s`, advancing past it.
std::optional<long long> TakeNumber(std::string_view& s) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end == s.data()) return std::nullopt;
    s.remove_prefix(static_cast<size_t>(end - s.data()));
    return value;
}

bool Take(std::string_view& s, std::string_view prefix) {
    if (s.substr(0, prefix.size()) != prefix) return false;
    s.remove_prefix(prefix.size());
    return true;
}

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The page's %XX escapes undone; a lone "%" stays, as the browser keeps it.
std::string Unescape(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The text between the quotes of `var NAME = "...";`.
std::optional<std::string> StringVariable(std::string_view line, std::string_view name) {
    if (!Take(line, "var ") || !Take(line, name)) return std::nullopt;
    line = TrimSpace(line);
    if (!Take(line, "=")) return std::nullopt;
    line = TrimSpace(line);
    if (!Take(line, "\"")) return std::nullopt;
    const auto close = line.find('"');
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(line.substr(0, close));
}

}  // namespace

double PageIntervalMs(const std::string& intervalText) {
    // parseFloat: leading white space, a sign, then the longest decimal
    // literal (or "Infinity") at the start; anything after it is ignored.
    std::string_view s = TrimSpace(intervalText);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    double value = std::nan("");
    if (s.substr(0, 8) == "Infinity") {
        value = HUGE_VAL;
    } else {
        size_t n = 0;
        size_t digits = 0;
        while (n < s.size() && IsDigit(s[n])) ++n, ++digits;
        if (n < s.size() && s[n] == '.') {
            ++n;
            while (n < s.size() && IsDigit(s[n])) ++n, ++digits;
        }
        if (digits > 0 && n < s.size() && (s[n] == 'e' || s[n] == 'E')) {
            size_t e = n + 1;
            if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
            if (e < s.size() && IsDigit(s[e])) {
                while (e < s.size() && IsDigit(s[e])) ++e;
                n = e;
            }
        }
        if (digits > 0) {
            const auto res = std::from_chars(s.data(), s.data() + n, value);
            if (res.ec == std::errc::result_out_of_range) value = HUGE_VAL;
        }
    }
    if (std::isnan(value)) return 6000;
    if (negative) value = -value;
    return std::clamp(value, 500.0, 2147483647.0);
}

PageShow ReadPageShow(const std::string& pagePath) {
    std::string text;
    try {
        text = ReadWholeFile(pagePath);
    } catch (const Error& e) {
        throw Error("The page " + pagePath + " can't be read: " + e.what());
    }
    std::map<long long, std::string> names;
    std::optional<long long> imageCount;
    std::string intervalText;
    std::string colorText;
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto eol = rest.find('\n');
        std::string_view line = TrimSpace(rest.substr(0, eol));
        rest.remove_prefix(eol == std::string_view::npos ? rest.size() : eol + 1);
        if (Take(line, "Img[")) {
            const auto index = TakeNumber(line);
            if (!index || !Take(line, "] = new ImageData(\"")) continue;
            const auto close = line.find('"');
            if (close != std::string_view::npos) names[*index] = Unescape(line.substr(0, close));
        } else if (Take(line, "var ImageCount = ")) {
            std::string_view n = line;
            const bool negative = Take(n, "-");
            if (auto value = TakeNumber(n)) imageCount = negative ? -*value : *value;
        } else if (auto interval = StringVariable(line, "IntervalText")) {
            intervalText = *interval;
        } else if (auto color = StringVariable(line, "ColorText")) {
            colorText = *color;
        }
    }
    // As the script counts: up to ImageCount, stopping at the first gap.
    const long long highest = imageCount.value_or(names.empty() ? -1 : names.rbegin()->first);
    const std::filesystem::path folder =
        std::filesystem::absolute(std::filesystem::path(pagePath)).parent_path() / "Sorvane";
    PageShow show;
    for (long long i = 0; i <= highest; ++i) {
        const auto it = names.find(i);
        if (it == names.end()) break;
        const std::string& name = it->second;
        // The generator escapes "/", so a name that leads out of the folder
        // was written by hand.
        if (name.empty() || name == "." || name == ".." ||
            name.find_first_of(NotInAName) != std::string::npos)
            throw Error("The page " + pagePath + " names a picture outside its Sorvane folder: \"" +
                        name + "\".");
        show.Pictures.push_back((folder / name).string());
    }
    if (show.Pictures.empty()) throw Error("The page " + pagePath + " names no pictures.");
    show.IntervalMs = PageIntervalMs(intervalText);
    // As the script takes it: "#" and six hex digits, else the page's grey.
    if (colorText.size() == 7 && colorText[0] == '#' &&
        std::all_of(colorText.begin() + 1, colorText.end(),
                    [](char c) { return HexValue(c) >= 0; }))
        show.ColorRgb = static_cast<uint32_t>(std::stoul(colorText.substr(1), nullptr, 16));
    return show;
}

}  // namespace sorvane
