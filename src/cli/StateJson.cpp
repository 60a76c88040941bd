#include "StateJson.h"

#include <cstdint>
#include <cstdio>

namespace sorvane::cli {

namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0 when it is not one
// (stray, overlong or truncated sequences, surrogates, beyond U+10FFFF).
size_t Utf8Length(const std::string& s, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = byte(at);
    size_t n;
    uint32_t code;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        code = c & 0x07;
    } else {
        return 0;
    }
    if (at + n > s.size()) return 0;
    for (size_t i = 1; i < n; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    if ((n == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (n == 4 && (code < 0x10000 || code > 0x10FFFF)))
        return 0;
    return n;
}

}  // namespace

// Always valid JSON: a byte that is not part of well-formed UTF-8 (a file
// name from another system's code page) becomes U+FFFD.
std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const size_t n = Utf8Length(text, i);
        if (n == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(text, i, n);
            i += n;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i++]);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string StateJson(const FormState& form) {
    const auto& s = form.Settings;
    const auto& w = form.Window;
    std::string out = "{\"pictures\":[";
    for (size_t i = 0; i < s.Pictures.size(); ++i) {
        if (i) out += ",";
        out += "{\"file\":" + JsonString(s.Pictures[i].FileName) +
               ",\"transition\":" + std::to_string(s.Pictures[i].TransitionIndex) + "}";
    }
    auto size = [](const PixelSize& p) {
        return "[" + std::to_string(p.Width) + "," + std::to_string(p.Height) + "]";
    };
    out += "],\"backgroundColor\":" + std::to_string(s.BackgroundColor);
    out += ",\"duration\":" + JsonString(s.DurationText);
    out += ",\"alignment\":" + JsonString(s.Alignment);
    out += std::string(",\"changed\":") + (s.Changed ? "true" : "false");
    out += ",\"targetSize\":" + size(w.TargetSize);
    out += ",\"largestSize\":" + size(w.LargestSize);
    out += ",\"pageFolder\":" + JsonString(w.PageFolder);
    out += ",\"lastBrowseDir\":" + JsonString(w.LastBrowseDir);
    out += "}";
    return out;
}

}  // namespace sorvane::cli
