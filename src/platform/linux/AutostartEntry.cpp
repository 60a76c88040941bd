#include "AutostartEntry.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/AtomicFile.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

std::string ConfigHome() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return config;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

// One argument of an Exec line: quoted, with the characters the desktop-entry
// format reserves escaped, and '%' doubled so it is no field code.
std::string ExecArgument(const std::string& arg) {
    std::string out = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            out += "\\\\";  // a backslash of the quoting, itself escaped in the key's value
            out += c;
        } else if (c == '%') {
            out += "%%";
        } else if (c == '\n' || c == '\r' || c == '\t') {
            out += ' ';  // never reaches here for our own page names
        } else {
            out += c;
        }
    }
    return out + '"';
}

}  // namespace

std::string AutostartEntryPath() { return ConfigHome() + "/autostart/" SORVANE_APP_ID ".desktop"; }

std::string AutostartEntryText(const std::string& hostProgram, const std::string& pagePath) {
    const std::string program = hostProgram.empty() ? "desktop-sorvane-host" : hostProgram;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Desktop Sorvane slide show\n"
           "Comment=Shows your slide show on the desktop\n"
           "Exec=" +
           ExecArgument(program) + " login " + ExecArgument(pagePath) +
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
        throw Error("The folder " + path.parent_path().string() +
                    " can't be created: " + ec.message());
    WriteFileAtomically(path.string(), AutostartEntryText(hostProgram, pagePath));
}

void RemoveAutostartEntry() {
    const std::string path = AutostartEntryPath();
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        throw Error("The login entry " + path + " can't be removed: " + std::strerror(errno));
}

}  // namespace sorvane
