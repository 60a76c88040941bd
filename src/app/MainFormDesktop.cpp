// The desktop: is it drawn by a browser engine, Set Wallpaper, and the
// desktop and browser facts read at start-up.
#include <algorithm>

#include "DesktopWallpaper.h"
#include "MainForm.h"
#include "registry/cRegistry.h"
#include "settings/SettingsKey.h"

namespace sorvane {

bool MainForm::IsActiveDesktopOn() {
    const uint64_t window = platform_.desktopWindows->FindDesktopBrowserWindow();
    state_.Window.DesktopBrowserWindow = window;
    // Any window found counts; a handle with its top bit set is a window too.
    return window != 0;
}

void MainForm::cmdSetWallpaper_Click() {
    if (!IsActiveDesktopOn()) {
        dialogs_.MessageBox(platform_.wording.NotEnabledText, MsgButtons::Ok, MsgIcon::Information,
                            platform_.wording.NotEnabledTitle);
    }
    cRegistry reg(platform_.registry);
    const std::unique_ptr<ActiveDesktop> desktop = CreateActiveDesktop(platform_);
    std::string current = desktop->GetWallpaper();
    current.resize(std::min(current.find('\0'), current.size()));

    // Keep the wallpaper from before the first install; never overwrite it.
    reg.SetClassKey(HKeyCurrentUser);
    reg.SetSectionKey(SettingsRegistryKey);
    reg.SetValueKey("OldPaper");
    reg.SetValueType(RegSz);
    if (reg.Value().ToText().empty()) {
        reg.SetValueType(RegSz);
        reg.SetValue(current);
    }
    InstallWallpaper(*desktop, state_.Window.PagePath());
    const std::string note = desktop->ShowNote();
    if (!note.empty())
        dialogs_.MessageBox(note, MsgButtons::Ok, MsgIcon::Information,
                            platform_.wording.ShowNoteTitle);
}

void MainForm::LoadDesktopFacts() {
    if (DesktopShowsPage(platform_, state_.Window.PagePath()))
        state_.Controls.SetWallpaperEnabled = false;

    // The browser's folder and whether it shows the transitions come from the
    // platform: the registry on the original system, the default browser and
    // our desktop host here.
    state_.Window.BrowserFolder = platform_.shell->BrowserFolder();
    if (platform_.shell->TransitionsAvailable()) state_.Window.TransitionsAvailable = true;
}

}  // namespace sorvane
