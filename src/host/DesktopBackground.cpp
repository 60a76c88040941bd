#include "DesktopBackground.h"

#include <glib.h>

#include <filesystem>

#include "HostFolders.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

constexpr char Group[] = "background";
constexpr char UnsetPrefix[] = "unset:";

// Every picture a setting names: paths, and file URIs as GSettings keeps them.
bool NamesPreparedCopy(const std::string& variantText) {
    GVariant* value = g_variant_parse(nullptr, variantText.c_str(), nullptr, nullptr, nullptr);
    if (value == nullptr) return false;
    bool ours = false;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) {
        std::string text = g_variant_get_string(value, nullptr);
        if (gchar* path = g_filename_from_uri(text.c_str(), nullptr, nullptr)) {
            text = path;
            g_free(path);
        }
        ours = IsPreparedCopy(text);
    }
    g_variant_unref(value);
    return ours;
}

}  // namespace

bool IsPreparedCopy(const std::string& path) {
    const std::filesystem::path p(path);
    return p.is_absolute() && p.parent_path().filename() == "Sorvane";
}

std::unique_ptr<DesktopBackground> MakeDesktopBackground(DesktopShell shell) {
    switch (shell) {
        case DesktopShell::Xfdesktop:
            return MakeXfdesktopBackground();
        case DesktopShell::PcmanfmQt:
            return MakePcmanfmQtBackground();
        case DesktopShell::Caja:
            return MakeCajaBackground();
        case DesktopShell::Nemo:
            return MakeNemoBackground();
        case DesktopShell::None:
        case DesktopShell::Plasma:
            break;
    }
    return nullptr;
}

std::string FormatBackgroundSettings(const BackgroundSettings& settings) {
    GKeyFile* file = g_key_file_new();
    for (const auto& [key, value] : settings) {
        // The keys of every desktop we know are plain words and slashes.
        const std::string text = value ? "set:" + *value : UnsetPrefix;
        g_key_file_set_string(file, Group, key.c_str(), text.c_str());
    }
    gchar* data = g_key_file_to_data(file, nullptr, nullptr);
    std::string out = data ? data : "";
    g_free(data);
    g_key_file_free(file);
    return out;
}

std::optional<BackgroundSettings> ParseBackgroundSettings(const std::string& text) {
    GKeyFile* file = g_key_file_new();
    std::optional<BackgroundSettings> out;
    gchar** keys = nullptr;
    if (g_key_file_load_from_data(file, text.data(), text.size(), G_KEY_FILE_NONE, nullptr) &&
        (keys = g_key_file_get_keys(file, Group, nullptr, nullptr)) != nullptr) {
        out.emplace();
        for (gchar** key = keys; *key != nullptr && out; ++key) {
            gchar* raw = g_key_file_get_string(file, Group, *key, nullptr);
            const std::string value = raw ? raw : "";
            g_free(raw);
            if (value == UnsetPrefix)
                (*out)[*key] = std::nullopt;
            else if (value.rfind("set:", 0) == 0)
                (*out)[*key] = value.substr(4);
            else
                out.reset();
        }
    }
    g_strfreev(keys);
    g_key_file_free(file);
    return out;
}

SavedBackground::SavedBackground(DesktopBackground& desktop) : desktop_(desktop) {
    path_ = std::filesystem::path(HostStateFolder()) / (desktop.Name() + "-background.ini");
}

bool SavedBackground::Kept() const { return std::filesystem::exists(path_); }

std::string SavedBackground::KeepCurrent() {
    if (keptThisRun_) return {};
    std::string why;
    std::optional<BackgroundSettings> current = desktop_.Read(why);
    if (!current) return why;
    bool ours = false;
    for (auto& [key, value] : *current) {
        if (value && NamesPreparedCopy(*value)) {
            ours = true;
            // Never kept as the user's: the desktop's default is closer.
            value.reset();
        }
    }
    // Showing our picture means an earlier run ended without giving back: the
    // file from then holds the user's own.
    if (!ours || !Kept()) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
        try {
            WriteFileAtomically(path_, FormatBackgroundSettings(*current));
        } catch (const Error& e) {
            return "The background of " + desktop_.Name() +
                   " could not be kept to give back later: " + e.what();
        }
    }
    keptThisRun_ = true;
    return {};
}

void SavedBackground::Forget() {
    keptThisRun_ = false;
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

std::string SavedBackground::GiveBack() {
    keptThisRun_ = false;
    const std::optional<std::string> text = ReadWholeFileIfPossible(path_);
    if (!text) return {};
    const std::optional<BackgroundSettings> settings = ParseBackgroundSettings(*text);
    if (settings) {
        const std::string problem = desktop_.Write(*settings);
        if (!problem.empty()) return problem;
    }
    // A damaged file can give nothing back; it would only fail again.
    std::error_code ec;
    std::filesystem::remove(path_, ec);
    return {};
}

}  // namespace sorvane
