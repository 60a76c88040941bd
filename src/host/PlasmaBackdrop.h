#pragma once

#include <gtk/gtk.h>

#include <optional>
#include <string>
#include <vector>

#include "Backdrop.h"
#include "PlasmaScripts.h"

namespace sorvane {

// plasmashell's answer to a script, or why there is none.
struct PlasmaAnswer {
    bool ok = false;
    bool running = true;  // false: no plasmashell on the bus
    std::string text;
};

// The page as the wallpaper of KDE Plasma: plasmashell draws wallpaper and
// icons in one window, so the page goes in as a wallpaper plugin of ours
// (resources/plasma/wallpaper) under the icons, set through plasmashell's
// scripting on D-Bus. The user's own plugin of each desktop is kept on disk
// before the first change and given back by Show("") and on destruction.
// When plasmashell starts again, a screen is added or an activity (each has
// desktops of its own) is added or switched to, the page is put on every
// desktop again.
class PlasmaBackdrop : public Backdrop {
  public:
    // Needs GTK initialised (for screens being added).
    PlasmaBackdrop();
    ~PlasmaBackdrop() override;
    PlasmaBackdrop(const PlasmaBackdrop&) = delete;
    PlasmaBackdrop& operator=(const PlasmaBackdrop&) = delete;

    HostReply Show(const std::string& pagePath) override;
    std::string NotSeen() const override;
    std::vector<std::string> Status() const override;
    uint64_t ShownId() const override;

  private:
    PlasmaAnswer Run(const std::string& script) const;
    // The desktops, or nullopt with `problem` set.
    std::optional<std::vector<PlasmaDesktop>> Desktops(std::string& problem) const;
    // Our plugin and page on every desktop (`missingOnly`: where not yet).
    HostReply Apply(bool missingOnly);
    HostReply GiveBack();
    // Checks every second for a while that each desktop shows the page, and
    // puts it there where not.
    void KeepApplying();
    static gboolean OnTick(gpointer self);
    static void OnShellAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer self);
    static void OnMonitorAdded(GdkDisplay*, GdkMonitor*, gpointer self);
    static void OnActivities(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                             const gchar*, GVariant*, gpointer self);

    GDBusConnection* bus_ = nullptr;
    std::string busProblem_;
    guint watch_ = 0;
    guint activities_ = 0;
    guint tick_ = 0;
    int ticksLeft_ = 0;
    std::string pageUrl_;  // "" for the user's own wallpaper
};

// For `stop` with no host left to do it (one that crashed): gives each desktop
// that still shows our plugin the user's own back. "" when done or nothing to
// do (no plasmashell, nothing of ours ever shown), else why not.
std::string GiveBackPlasmaWallpaper();

}  // namespace sorvane
