#include "PlasmaScripts.h"

#include <charconv>
#include <sstream>

namespace sorvane {

namespace {

// A string literal for the script: decoded by the script itself, so any byte
// is safe inside it.
std::string JsText(const std::string& text) {
    return "decodeURIComponent(\"" + PercentEncode(text) + "\")";
}

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

// Our plugin's settings group in a containment.
const char* const OurGroup = "[\"Wallpaper\", ours, \"General\"]";

std::string Prelude() { return "const ours = " + JsText(PlasmaPluginId) + ";\n"; }

}  // namespace

std::string PercentEncode(const std::string& text) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::optional<std::string> PercentDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (ec != std::errc() || ptr != text.data() + i + 3) return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

std::string PlasmaReadScript() {
    return Prelude() +
           "for (const d of desktops()) {\n"
           "    d.currentConfigGroup = " +
           std::string(OurGroup) +
           ";\n"
           "    print([d.id, d.screen, d.wallpaperPlugin, d.readConfig(\"Page\", \"\"),\n"
           "           d.readConfig(\"Revision\", 0), d.readConfig(\"Shown\", \"\")]\n"
           "          .map(v => encodeURIComponent(String(v))).join(\" \") + \"\\n\");\n"
           "}\n";
}

std::optional<std::vector<PlasmaDesktop>> ParsePlasmaDesktops(const std::string& output) {
    std::vector<PlasmaDesktop> desktops;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::istringstream words(line);
        std::string word;
        while (std::getline(words, word, ' ')) fields.push_back(word);
        // An empty last field leaves no word after the final space.
        if (!line.empty() && line.back() == ' ') fields.emplace_back();
        if (fields.size() != 6) return std::nullopt;
        std::vector<std::string> decoded;
        for (const std::string& f : fields) {
            std::optional<std::string> d = PercentDecode(f);
            if (!d) return std::nullopt;
            decoded.push_back(std::move(*d));
        }
        const std::optional<int> id = ParseInt(decoded[0]);
        const std::optional<int> screen = ParseInt(decoded[1]);
        const std::optional<int> revision = ParseInt(decoded[4]);
        if (!id || !screen) return std::nullopt;
        desktops.push_back(
            {*id, *screen, decoded[2], decoded[3], revision.value_or(0), decoded[5]});
    }
    return desktops;
}

std::string PlasmaApplyScript(const std::string& pageUrl, const std::vector<int>& desktops) {
    std::string ids;
    for (const int id : desktops) ids += (ids.empty() ? "" : ", ") + std::to_string(id);
    // The page first, then the plugin: a plugin that starts now starts on it.
    // reloadConfig() hands the new settings to a plugin already running.
    return Prelude() + "const page = " + JsText(pageUrl) + ";\nconst mine = [" + ids +
           "];\n"
           "for (const d of desktops()) {\n"
           "    if (mine.indexOf(d.id) < 0) continue;\n"
           "    d.currentConfigGroup = " +
           OurGroup +
           ";\n"
           "    if (d.readConfig(\"Page\", \"\") === page)\n"
           "        d.writeConfig(\"Revision\", Number(d.readConfig(\"Revision\", 0)) + 1);\n"
           "    d.writeConfig(\"Page\", page);\n"
           "    d.wallpaperPlugin = ours;\n"
           "    d.reloadConfig();\n"
           "}\n";
}

std::string PlasmaGiveBackScript(const PlasmaPlugins& kept) {
    std::string map;
    for (const auto& [id, plugin] : kept)
        map += (map.empty() ? "" : ", ") + std::string("\"") + std::to_string(id) +
               "\": " + JsText(plugin);
    return Prelude() + "const kept = {" + map +
           "};\n"
           "for (const d of desktops()) {\n"
           "    if (d.wallpaperPlugin !== ours) continue;\n"
           "    d.wallpaperPlugin = kept[String(d.id)] || \"org.kde.image\";\n"
           "    d.reloadConfig();\n"
           "}\n";
}

std::string PlasmaNotSeen(const std::vector<PlasmaDesktop>& desktops, const std::string& pageUrl) {
    bool any = false;
    for (const PlasmaDesktop& d : desktops) {
        if (d.screen < 0) continue;  // nothing shows it now
        any = true;
        const std::string where = "screen " + std::to_string(d.screen);
        if (d.plugin != PlasmaPluginId)
            return "KDE Plasma shows its own wallpaper (" + d.plugin + ") on " + where + ".";
        if (d.page != pageUrl)
            return "KDE Plasma's wallpaper on " + where + " is set to another page.";
        // Never anything loaded: most likely the web view itself is missing.
        if (d.shown.empty())
            return "KDE Plasma's wallpaper on " + where +
                   " has loaded no page yet (its web view needs QtWebEngine for QML: on Debian the "
                   "package qml-module-qtwebengine).";
        if (d.shown != std::to_string(d.revision) + " " + pageUrl)
            return "KDE Plasma's wallpaper on " + where + " has not loaded the page.";
    }
    return any ? std::string() : "KDE Plasma shows no desktop on any screen.";
}

}  // namespace sorvane
