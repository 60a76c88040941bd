// pcmanfm-qt --desktop: a running instance takes a new wallpaper from a
// second start with --set-wallpaper, and keeps it in its profile's
// settings.conf ([Desktop] Wallpaper, WallpaperMode).
#include <dirent.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "DesktopBackground.h"
#include "platform/AtomicFile.h"

namespace sorvane {

namespace {

// pcmanfm-qt writes its settings a moment after it took the wallpaper.
constexpr gint64 SettledWaitUs = 2 * G_USEC_PER_SEC;

std::string Quoted(const std::string& s) {
    gchar* text = g_variant_print(g_variant_new_string(s.c_str()), FALSE);
    std::string out = text;
    g_free(text);
    return out;
}

std::optional<std::string> Unquoted(const std::optional<std::string>& variantText) {
    if (!variantText) return std::nullopt;
    GVariant* v =
        g_variant_parse(G_VARIANT_TYPE_STRING, variantText->c_str(), nullptr, nullptr, nullptr);
    if (v == nullptr) return std::nullopt;
    std::string out = g_variant_get_string(v, nullptr);
    g_variant_unref(v);
    return out;
}

// A value as QSettings writes it in an ini file: maybe quoted, with
// backslash escapes (quote, backslash, xHHHH).
std::string IniValue(std::string_view raw) {
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
        raw = raw.substr(1, raw.size() - 2);
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
        } else if (raw[i + 1] == 'x') {
            size_t end = i + 2;
            unsigned code = 0;
            while (end < raw.size() && end < i + 6 && g_ascii_isxdigit(raw[end]))
                code = code * 16 + g_ascii_xdigit_value(raw[end++]);
            gchar utf8[8];
            out.append(utf8, g_unichar_to_utf8(code, utf8));
            i = end - 1;
        } else {
            out += raw[++i];
        }
    }
    return out;
}

// [Desktop] KEY of a settings.conf.
std::optional<std::string> DesktopValue(const std::string& file, const std::string& key) {
    std::ifstream in(file);
    std::string line;
    bool desktop = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[')
            desktop = line == "[Desktop]";
        else if (desktop && line.rfind(key + "=", 0) == 0)
            return IniValue(line.substr(key.size() + 1));
    }
    return std::nullopt;
}

// The profile of this user's running pcmanfm-qt --desktop ("default" as it
// starts without one); nullopt when none runs.
std::optional<std::string> RunningDesktop() {
    std::optional<std::string> profile;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return profile;
    while (dirent* entry = readdir(proc)) {
        const std::string dir = std::string("/proc/") + entry->d_name;
        if (!g_ascii_isdigit(entry->d_name[0])) continue;
        struct stat st {};
        if (::stat(dir.c_str(), &st) != 0 || st.st_uid != getuid()) continue;
        const std::optional<std::string> cmdline = ReadWholeFileIfPossible(dir + "/cmdline");
        if (!cmdline) continue;
        std::vector<std::string> args;
        for (size_t start = 0; start < cmdline->size();) {
            const size_t end = cmdline->find('\0', start);
            args.push_back(cmdline->substr(start, end - start));
            start = end == std::string::npos ? cmdline->size() : end + 1;
        }
        if (args.empty() || std::filesystem::path(args[0]).filename() != "pcmanfm-qt") continue;
        bool isDesktop = false;
        std::string found = "default";
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--desktop" || args[i] == "-d") isDesktop = true;
            if (args[i].rfind("--profile=", 0) == 0) found = args[i].substr(10);
            if ((args[i] == "--profile" || args[i] == "-p") && i + 1 < args.size())
                found = args[++i];
        }
        if (isDesktop) {
            profile = found;
            break;
        }
    }
    closedir(proc);
    return profile;
}

std::string RunningProfile() { return RunningDesktop().value_or("default"); }

class PcmanfmQtBackground : public DesktopBackground {
  public:
    std::string Name() const override { return "pcmanfm-qt"; }

    std::optional<BackgroundSettings> Read(std::string&) const override {
        const std::string profile = RunningProfile();
        BackgroundSettings out;
        for (const char* key : {"Wallpaper", "WallpaperMode"}) {
            std::optional<std::string> value = DesktopValue(UserFile(profile), key);
            if (!value) value = DesktopValue(SystemFile(profile), key);
            out[key] = value ? std::optional(Quoted(*value)) : std::nullopt;
        }
        return out;
    }

    std::string Set(const std::string& picture) override {
        // pcmanfm-qt applies a mode given with the wallpaper only when it
        // differs from the one in its settings, and never stores it there, so
        // a changed mode could not be changed back. Our picture has the
        // screen's size and looks the same in every mode that shows a
        // picture: the user's mode stays unless it shows none.
        const std::optional<std::string> mode =
            DesktopValue(UserFile(RunningProfile()), "WallpaperMode");
        const bool showsPicture = mode && (*mode == "stretch" || *mode == "fit" ||
                                           *mode == "center" || *mode == "tile" || *mode == "zoom");
        const std::string why = Run(picture, showsPicture ? "" : "center");
        if (!why.empty()) return why;
        const gint64 end = g_get_monotonic_time() + SettledWaitUs;
        while (Shown() != std::vector<std::string>{picture} && g_get_monotonic_time() < end)
            g_usleep(50 * 1000);
        return {};
    }

    std::string Write(const BackgroundSettings& settings) override {
        const auto find = [&](const char* key) {
            const auto it = settings.find(key);
            return it == settings.end() ? std::nullopt : Unquoted(it->second);
        };
        const std::string profile = RunningProfile();
        std::optional<std::string> wallpaper = find("Wallpaper");
        std::optional<std::string> mode = find("WallpaperMode");
        if (!wallpaper) wallpaper = DesktopValue(SystemFile(profile), "Wallpaper");
        if (!mode) mode = DesktopValue(SystemFile(profile), "WallpaperMode");
        if (!wallpaper) return {};  // pcmanfm-qt keeps no picture of its own to go back to
        return Run(*wallpaper, mode.value_or("stretch"));
    }

    std::vector<std::string> Shown() const override {
        return {DesktopValue(UserFile(RunningProfile()), "Wallpaper").value_or("")};
    }

  private:
    static std::string UserFile(const std::string& profile) {
        return std::string(g_get_user_config_dir()) + "/pcmanfm-qt/" + profile + "/settings.conf";
    }
    // The profile's defaults as the package installs them.
    static std::string SystemFile(const std::string& profile) {
        for (const gchar* const* dir = g_get_system_data_dirs(); *dir; ++dir) {
            const std::string file =
                std::string(*dir) + "/pcmanfm-qt/" + profile + "/settings.conf";
            if (g_file_test(file.c_str(), G_FILE_TEST_IS_REGULAR)) return file;
        }
        return {};
    }

    static std::string Run(const std::string& picture, const std::string& mode) {
        // Without a desktop to take it, the second start would stay as a
        // file manager of its own.
        const std::optional<std::string> profile = RunningDesktop();
        if (!profile) return "pcmanfm-qt no longer draws the desktop.";
        const std::string profileArg = "--profile=" + *profile;
        const std::string pictureArg = "--set-wallpaper=" + picture;
        const std::string modeArg = "--wallpaper-mode=" + mode;
        const char* argv[] = {"pcmanfm-qt", profileArg.c_str(), pictureArg.c_str(),
                              mode.empty() ? nullptr : modeArg.c_str(), nullptr};
        gint status = 0;
        GError* error = nullptr;
        if (!g_spawn_sync(
                nullptr, const_cast<gchar**>(argv), nullptr,
                static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL |
                                         G_SPAWN_STDERR_TO_DEV_NULL),
                nullptr, nullptr, nullptr, nullptr, &status, &error) ||
            !g_spawn_check_wait_status(status, &error)) {
            std::string why = std::string("pcmanfm-qt refused the wallpaper: ") + error->message;
            g_error_free(error);
            return why;
        }
        return {};
    }
};

}  // namespace

std::unique_ptr<DesktopBackground> MakePcmanfmQtBackground() {
    return std::make_unique<PcmanfmQtBackground>();
}

}  // namespace sorvane
