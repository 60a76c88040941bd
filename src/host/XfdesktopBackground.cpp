// xfdesktop's background: per monitor and workspace, the properties
// /backdrop/screenN/monitorNAME/workspaceN/{last-image,image-style} of the
// xfconf channel xfce4-desktop, which xfdesktop follows as they change.
#include <gdk/gdk.h>
#include <gio/gio.h>

#include <regex>
#include <set>

#include "DesktopBackground.h"

namespace sorvane {

namespace {

constexpr char Channel[] = "xfce4-desktop";
constexpr int CallTimeoutMs = 5000;
constexpr gint32 StyleCentred = 1;  // xfdesktop's XFCE_BACKDROP_IMAGE_CENTERED
constexpr int SettleRounds = 10;
constexpr gulong SettleWaitUs = 150 * 1000;

struct Variant {
    GVariant* v = nullptr;
    explicit Variant(GVariant* value = nullptr) : v(value) {}
    ~Variant() {
        if (v) g_variant_unref(v);
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

class XfdesktopBackground : public DesktopBackground {
  public:
    std::string Name() const override { return "xfdesktop"; }

    std::optional<BackgroundSettings> Read(std::string& why) const override {
        const auto all = Properties(why);
        if (!all) return std::nullopt;
        BackgroundSettings out;
        for (const std::string& image : ImageKeys(*all))
            for (const std::string& key : {image, StyleKey(image)}) {
                const auto it = all->find(key);
                out[key] = it == all->end() ? std::nullopt : std::optional(it->second);
            }
        return out;
    }

    std::string Set(const std::string& picture) override {
        std::string why;
        const auto all = Properties(why);
        if (!all) return why;
        BackgroundSettings settings;
        for (const std::string& key : ImageKeys(*all)) {
            settings[StyleKey(key)] = std::to_string(StyleCentred);
            settings[key] = Quoted(picture);
        }
        return Write(settings);
    }

    std::string Write(const BackgroundSettings& settings) override {
        // xfdesktop answers a change of style by writing the image it shows
        // back to last-image, a moment later, which can undo a change of
        // image made just before: the styles go first, then the images,
        // checked until they stay.
        std::string why;
        const auto before = Properties(why);
        if (!before) return why;
        bool styled = false;
        for (const auto& [key, value] : settings) {
            if (IsImageKey(key) || Holds(*before, key, value)) continue;
            why = Put(key, value);
            if (!why.empty()) return why;
            styled = true;
        }
        if (styled) g_usleep(SettleWaitUs);
        for (int round = 0; round < SettleRounds; ++round) {
            const auto all = Properties(why);
            if (!all) return why;
            bool settled = true;
            for (const auto& [key, value] : settings) {
                if (!IsImageKey(key)) continue;
                if (Holds(*all, key, value)) continue;
                settled = false;
                why = Put(key, value);
                if (!why.empty()) return why;
            }
            if (settled) return {};
            g_usleep(SettleWaitUs);
        }
        return {};
    }

    std::vector<std::string> Shown() const override {
        std::string why;
        std::vector<std::string> out;
        const auto all = Properties(why);
        if (!all) return out;
        for (const std::string& key : ImageKeys(*all)) {
            const auto it = all->find(key);
            std::string path;
            if (it != all->end()) {
                Variant v(g_variant_parse(nullptr, it->second.c_str(), nullptr, nullptr, nullptr));
                if (v.v && g_variant_is_of_type(v.v, G_VARIANT_TYPE_STRING))
                    path = g_variant_get_string(v.v, nullptr);
            }
            out.push_back(path);
        }
        return out;
    }

  private:
    // The channel's /backdrop properties, each as GVariant text.
    std::optional<std::map<std::string, std::string>> Properties(std::string& why) const {
        GError* error = nullptr;
        Variant reply(
            CallSync("GetAllProperties", g_variant_new("(ss)", Channel, "/backdrop"), &error));
        std::map<std::string, std::string> out;
        if (!reply.v) {
            // xfconf answers with its own error for a channel without any
            // backdrop yet; anything else means nobody answered.
            gchar* remote = g_dbus_error_get_remote_error(error);
            const bool empty =
                remote != nullptr && g_str_has_prefix(remote, "org.xfce.Xfconf.Error");
            g_free(remote);
            if (!empty)
                why = "xfconf, where xfdesktop keeps its background, does not answer: " +
                      std::string(error->message);
            g_error_free(error);
            if (!empty) return std::nullopt;
            return out;
        }
        GVariantIter* iter = nullptr;
        g_variant_get(reply.v, "(a{sv})", &iter);
        const gchar* key = nullptr;
        GVariant* value = nullptr;
        while (g_variant_iter_next(iter, "{&sv}", &key, &value)) {
            gchar* text = g_variant_print(value, TRUE);
            out[key] = text;
            g_free(text);
            g_variant_unref(value);
        }
        g_variant_iter_free(iter);
        return out;
    }

    // Every last-image property xfdesktop has, and one per workspace for each
    // monitor that has none yet (xfdesktop makes them as monitors appear).
    static std::vector<std::string> ImageKeys(const std::map<std::string, std::string>& all) {
        static const std::regex Image(
            R"(/backdrop/screen(\d+)/monitor([^/]+)/workspace(\d+)/last-image)");
        std::set<std::string> keys;
        std::set<std::string> workspaces{"0"};
        std::set<std::string> screens{"0"};
        for (const auto& [key, value] : all) {
            std::smatch m;
            if (!std::regex_match(key, m, Image)) continue;
            keys.insert(key);
            screens.insert(m[1]);
            workspaces.insert(m[3]);
        }
        GdkDisplay* display = gdk_display_get_default();
        for (int i = 0; display && i < gdk_display_get_n_monitors(display); ++i) {
            const char* model = gdk_monitor_get_model(gdk_display_get_monitor(display, i));
            if (model == nullptr || *model == '\0') continue;
            for (const std::string& screen : screens)
                for (const std::string& workspace : workspaces)
                    keys.insert("/backdrop/screen" + screen + "/monitor" + model + "/workspace" +
                                workspace + "/last-image");
        }
        return {keys.begin(), keys.end()};
    }

    static bool Holds(const std::map<std::string, std::string>& all, const std::string& key,
                      const std::optional<std::string>& value) {
        const auto it = all.find(key);
        return value ? it != all.end() && it->second == *value : it == all.end();
    }

    static bool IsImageKey(const std::string& key) {
        return key.size() > 11 && key.compare(key.size() - 11, 11, "/last-image") == 0;
    }

    // One property set from GVariant text, or reset (one that is gone
    // already is as good as reset).
    static std::string Put(const std::string& key, const std::optional<std::string>& value) {
        if (!value) {
            Call("ResetProperty", g_variant_new("(ssb)", Channel, key.c_str(), FALSE));
            return {};
        }
        GVariant* parsed = g_variant_parse(nullptr, value->c_str(), nullptr, nullptr, nullptr);
        if (parsed == nullptr) return {};  // not from us: nothing sensible to put back
        return Call("SetProperty", g_variant_new("(ssv)", Channel, key.c_str(), parsed));
    }

    static std::string Quoted(const std::string& text) {
        gchar* printed = g_variant_print(g_variant_new_string(text.c_str()), TRUE);
        std::string out = printed;
        g_free(printed);
        return out;
    }

    static std::string StyleKey(const std::string& imageKey) {
        return imageKey.substr(0, imageKey.rfind('/')) + "/image-style";
    }

    static GVariant* CallSync(const char* method, GVariant* args, GError** error) {
        GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, error);
        if (bus == nullptr) {
            g_variant_unref(g_variant_ref_sink(args));
            return nullptr;
        }
        GVariant* reply = g_dbus_connection_call_sync(
            bus, "org.xfce.Xfconf", "/org/xfce/Xfconf", "org.xfce.Xfconf", method, args, nullptr,
            G_DBUS_CALL_FLAGS_NONE, CallTimeoutMs, nullptr, error);
        g_object_unref(bus);
        return reply;
    }

    static std::string Call(const char* method, GVariant* args) {
        GError* error = nullptr;
        Variant reply(CallSync(method, args, &error));
        if (reply.v) return {};
        std::string why = std::string("xfconf refused to change xfdesktop's background: ") +
                          (error ? error->message : "no answer");
        if (error) g_error_free(error);
        return why;
    }
};

}  // namespace

std::unique_ptr<DesktopBackground> MakeXfdesktopBackground() {
    return std::make_unique<XfdesktopBackground>();
}

}  // namespace sorvane
