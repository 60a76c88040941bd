#include "StateJson.h"

#include <cstdio>

namespace sorvane::cli {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
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
