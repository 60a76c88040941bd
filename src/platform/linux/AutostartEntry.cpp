#include "AutostartEntry.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Translate.h"

namespace sorvane {

namespace {

std::string ConfigHome() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return config;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

// One argument of an Exec line: quoted, with the characters the desktop-entry
// format reserves escaped for the quoting, then every backslash escaped again
// for the key's value (so a backslash becomes four), control characters as
// the value's own escapes, and '%' doubled so it is no field code.
std::string ExecArgument(const std::string& arg) {
    std::string out = "\"";
    for (const char c : arg) {
        if (c == '"' || c == '`' || c == '$') {
            out += "\\\\";
            out += c;
        } else if (c == '\\') {
            out += "\\\\\\\\";
        } else if (c == '%') {
            out += "%%";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
    return out + '"';
}

bool ValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t n = c < 0x80           ? 1
                         : (c >> 5) == 0x6  ? 2
                         : (c >> 4) == 0xE  ? 3
                         : (c >> 3) == 0x1E ? 4
                                            : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

// A desktop entry is UTF-8 text: a path that is not is written as a file URI
// (which the host reads back), byte for byte.
std::string EntryPath(const std::string& path) {
    if (ValidUtf8(path)) return path;
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += ch;
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

}  // namespace

std::string AutostartEntryPath() { return ConfigHome() + "/autostart/" SORVANE_APP_ID ".desktop"; }

std::string AutostartEntryText(const std::string& hostProgram, const std::string& pagePath) {
    // A program path that is not UTF-8 can't be written: the host on PATH then.
    const std::string program =
        hostProgram.empty() || !ValidUtf8(hostProgram) ? "desktop-sorvane-host" : hostProgram;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Desktop Sorvane slide show\n"
           "Comment=Shows your slide show on the desktop\n"
           "Exec=" +
           ExecArgument(program) + " login " + ExecArgument(EntryPath(pagePath)) +
           "\n"
           "Icon=" SORVANE_APP_ID
           "\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

void WriteAutostartEntry(const std::string& hostProgram, const std::string& pagePath) {
    const std::filesystem::path path = AutostartEntryPath();
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec)
        throw Error(TrArg(SORVANE_TR("Sorvane", "The folder %1 can't be created: %2"),
                          {path.parent_path().string(), ec.message()}));
    WriteFileAtomically(path.string(), AutostartEntryText(hostProgram, pagePath));
}

void RemoveAutostartEntry() {
    const std::string path = AutostartEntryPath();
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        throw Error(TrArg(SORVANE_TR("Sorvane", "The login entry %1 can't be removed: %2"),
                          {path, std::strerror(errno)}));
}

}  // namespace sorvane
