#include "DesktopShell.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>

namespace sorvane {

namespace {

// Clients that hold a wlroots compositor's background layer.
constexpr std::array<std::string_view, 8> WallpaperClients = {
    "swaybg", "wbg", "swww-daemon", "hyprpaper", "mpvpaper", "wpaperd", "oguri", "glpaper"};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// NUL-separated (cmdline, environ) into its parts.
std::vector<std::string> Split0(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\0') {
            if (i > start) out.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

// ":0.0" and ":0" are one display.
std::string DisplayOnly(std::string value) {
    const size_t colon = value.rfind(':');
    const size_t dot = value.find('.', colon == std::string::npos ? 0 : colon);
    if (dot != std::string::npos) value.erase(dot);
    return value;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// Whether a process of this user belongs to our session: it names our
// Wayland or X display (a process whose environment we can't read counts).
bool InOurSession(const std::string& environ) {
    const std::string wayland = Env("WAYLAND_DISPLAY"), x11 = DisplayOnly(Env("DISPLAY"));
    if (environ.empty() || (wayland.empty() && x11.empty())) return true;
    bool named = false;
    for (const std::string& entry : Split0(environ)) {
        if (entry.rfind("WAYLAND_DISPLAY=", 0) == 0) {
            named = true;
            if (!wayland.empty() && entry.substr(16) == wayland) return true;
        } else if (entry.rfind("DISPLAY=", 0) == 0) {
            named = true;
            if (!x11.empty() && DisplayOnly(entry.substr(8)) == x11) return true;
        }
    }
    return !named;
}

bool Has(const std::vector<std::string>& args, std::string_view a, std::string_view b = {}) {
    for (size_t i = 1; i < args.size(); ++i)
        if (args[i] == a || (!b.empty() && args[i] == b)) return true;
    return false;
}

}  // namespace

ShellProbe ProbeDesktopShell() {
    ShellProbe found;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return found;
    const uid_t me = getuid();
    const pid_t self = getpid();
    while (dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != '\0' || pid == self) continue;
        const std::string dir = std::string("/proc/") + entry->d_name;
        struct stat st {};
        if (stat(dir.c_str(), &st) != 0 || st.st_uid != me) continue;
        std::string comm = ReadAll(dir + "/comm");
        if (!comm.empty() && comm.back() == '\n') comm.pop_back();
        DesktopShell shell = DesktopShell::None;
        bool wallpaper = false;
        if (comm == "plasmashell") {
            shell = DesktopShell::Plasma;
        } else if (comm == "xfdesktop") {
            shell = DesktopShell::Xfdesktop;
        } else if (comm == "nemo-desktop") {
            shell = DesktopShell::Nemo;
        } else if (comm == "pcmanfm-qt" || comm == "caja") {
            // Either is also a plain file manager; only some runs draw the desktop.
            const std::vector<std::string> args = Split0(ReadAll(dir + "/cmdline"));
            if (comm == "pcmanfm-qt" && Has(args, "--desktop", "-d"))
                shell = DesktopShell::PcmanfmQt;
            if (comm == "caja" && !Has(args, "--no-desktop", "-n")) shell = DesktopShell::Caja;
        } else {
            for (std::string_view client : WallpaperClients)
                if (comm == client) wallpaper = true;
        }
        if (shell == DesktopShell::None && !wallpaper) continue;
        if (!InOurSession(ReadAll(dir + "/environ"))) continue;
        // A shell that draws the desktop wins over a file manager's leftover run.
        if (shell != DesktopShell::None &&
            (found.shell == DesktopShell::None || found.shell == DesktopShell::Caja))
            found.shell = shell;
        found.wallpaperClient = found.wallpaperClient || wallpaper;
    }
    closedir(proc);
    return found;
}

std::string ShellName(DesktopShell shell) {
    switch (shell) {
        case DesktopShell::None:
            return "no desktop shell";
        case DesktopShell::Plasma:
            return "KDE Plasma";
        case DesktopShell::Xfdesktop:
            return "Xfce's desktop (xfdesktop)";
        case DesktopShell::PcmanfmQt:
            return "LXQt's desktop (pcmanfm-qt)";
        case DesktopShell::Caja:
            return "MATE's desktop (caja)";
        case DesktopShell::Nemo:
            return "Cinnamon's desktop (nemo-desktop)";
    }
    return "an unknown desktop";
}

}  // namespace sorvane
