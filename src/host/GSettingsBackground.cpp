// Desktops that keep their background in GSettings: caja (MATE) and
// nemo-desktop (Cinnamon) redraw as soon as the keys change.
#include <gio/gio.h>

#include "DesktopBackground.h"

namespace sorvane {

namespace {

class GSettingsBackground : public DesktopBackground {
  public:
    GSettingsBackground(std::string name, std::string schema, std::string pictureKey, bool uri)
        : name_(std::move(name)),
          schema_(std::move(schema)),
          pictureKey_(std::move(pictureKey)),
          uri_(uri) {}

    std::string Name() const override { return name_; }

    std::optional<BackgroundSettings> Read(std::string& why) const override {
        GSettings* settings = Open(why);
        if (settings == nullptr) return std::nullopt;
        BackgroundSettings out;
        for (const std::string& key : {pictureKey_, std::string("picture-options")}) {
            GVariant* value = g_settings_get_user_value(settings, key.c_str());
            if (value == nullptr) {
                out[key] = std::nullopt;
                continue;
            }
            gchar* text = g_variant_print(value, TRUE);
            out[key] = std::string(text);
            g_free(text);
            g_variant_unref(value);
        }
        g_object_unref(settings);
        return out;
    }

    std::string Set(const std::string& picture) override {
        std::string why;
        GSettings* settings = Open(why);
        if (settings == nullptr) return why;
        std::string value = picture;
        if (uri_) {
            gchar* text = g_filename_to_uri(picture.c_str(), nullptr, nullptr);
            value = text ? text : "";
            g_free(text);
        }
        const bool ok = g_settings_set_string(settings, "picture-options", "centered") &&
                        g_settings_set_string(settings, pictureKey_.c_str(), value.c_str());
        g_settings_sync();
        g_object_unref(settings);
        return ok ? std::string() : name_ + "'s background setting can't be changed.";
    }

    std::string Write(const BackgroundSettings& saved) override {
        std::string why;
        GSettings* settings = Open(why);
        if (settings == nullptr) return why;
        for (const auto& [key, value] : saved) {
            GVariant* parsed =
                value ? g_variant_parse(nullptr, value->c_str(), nullptr, nullptr, nullptr)
                      : nullptr;
            if (parsed)
                g_settings_set_value(settings, key.c_str(), parsed);
            else
                g_settings_reset(settings, key.c_str());
        }
        g_settings_sync();
        g_object_unref(settings);
        return {};
    }

    std::vector<std::string> Shown() const override {
        std::string why;
        GSettings* settings = Open(why);
        if (settings == nullptr) return {};
        gchar* value = g_settings_get_string(settings, pictureKey_.c_str());
        std::string out = value ? value : "";
        g_free(value);
        g_object_unref(settings);
        if (uri_) {
            gchar* path = g_filename_from_uri(out.c_str(), nullptr, nullptr);
            out = path ? path : "";
            g_free(path);
        }
        return {out};
    }

  private:
    // g_settings_new aborts the program on a schema that is not installed.
    GSettings* Open(std::string& why) const {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        GSettingsSchema* schema =
            source ? g_settings_schema_source_lookup(source, schema_.c_str(), TRUE) : nullptr;
        if (schema == nullptr) {
            why = "The settings of " + name_ + " (" + schema_ + ") are not installed.";
            return nullptr;
        }
        GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
        return settings;
    }

    std::string name_;
    std::string schema_;
    std::string pictureKey_;
    bool uri_;
};

}  // namespace

std::unique_ptr<DesktopBackground> MakeCajaBackground() {
    return std::make_unique<GSettingsBackground>("caja", "org.mate.background", "picture-filename",
                                                 false);
}

std::unique_ptr<DesktopBackground> MakeNemoBackground() {
    return std::make_unique<GSettingsBackground>("nemo", "org.cinnamon.desktop.background",
                                                 "picture-uri", true);
}

}  // namespace sorvane
