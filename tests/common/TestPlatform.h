#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/FakeColors.h"
#include "common/TempHome.h"
#include "platform/Error.h"
#include "platform/Platform.h"

namespace sorvane::test {

// Fakes at the platform seams, rooted in a TempHome: folders inside it, a fixed
// work area, the default colour table, and a shell and desktop that record
// what they were asked.
struct FakeFolders : Folders {
    std::string pictures, program, templ;
    std::string PicturesFolder() override { return pictures; }
    std::string ProgramFolder() override { return program; }
    std::string TemplatePath() override { return templ; }
};

struct FixedScreen : Screen {
    Rect area{0, 0, 1024, 738};
    bool overridden = false;
    Rect WorkArea() override { return area; }
    bool WorkAreaOverridden() override { return overridden; }
};

struct PlainTempNames : TempNames {
    std::string TempFileName(const std::string& folder, const std::string& prefix,
                             unsigned unique) override {
        char n[16];
        std::snprintf(n, sizeof n, "%X", unique);
        return folder + "/" + prefix.substr(0, 3) + n + ".TMP";
    }
};

struct RecordingShell : Shell {
    std::vector<std::string> opened;
    std::string browserFolder = "/usr/bin";
    bool transitions = true;
    int displaySettingsOpened = 0;
    std::string displaySettingsProblem;
    bool Open(const std::string& t) override {
        opened.push_back(t);
        return true;
    }
    bool OpenInBrowser(const std::string& p) override {
        opened.push_back("browser:" + p);
        return true;
    }
    std::string BrowserFolder() override { return browserFolder; }
    bool TransitionsAvailable() override { return transitions; }
    std::string OpenDisplaySettings() override {
        ++displaySettingsOpened;
        return displaySettingsProblem;
    }
};

struct FakeDesktopWindows : DesktopWindows {
    uint64_t window = 0;
    uint64_t FindDesktopBrowserWindow() override { return window; }
};

// The desktop's wallpaper as an Active Desktop object would keep it.
struct FakeDesktopState {
    std::string wallpaper;
    std::string staged;
    std::vector<std::string> calls;
    bool fail = false;
    std::string note;
};

struct FakeActiveDesktop : ActiveDesktop {
    std::shared_ptr<FakeDesktopState> state;
    explicit FakeActiveDesktop(std::shared_ptr<FakeDesktopState> s) : state(std::move(s)) {}
    void Check(const std::string& call) {
        state->calls.push_back(call);
        if (state->fail) throw Error("The desktop could not be changed.");
    }
    std::string GetWallpaper() override {
        Check("GetWallpaper");
        return state->wallpaper;
    }
    void SetWallpaper(const std::string& path) override {
        Check("SetWallpaper " + path);
        state->staged = path;
    }
    void ApplyChanges(unsigned flags) override {
        Check("ApplyChanges " + std::to_string(flags));
        state->wallpaper = state->staged;
    }
    std::string ShowNote() override { return state->note; }
};

struct TestPlatform {
    std::shared_ptr<FakeFolders> folders = std::make_shared<FakeFolders>();
    std::shared_ptr<FixedScreen> screen = std::make_shared<FixedScreen>();
    std::shared_ptr<TableColors> colors = std::make_shared<TableColors>();
    std::shared_ptr<RecordingShell> shell = std::make_shared<RecordingShell>();
    std::shared_ptr<FakeDesktopWindows> desktopWindows = std::make_shared<FakeDesktopWindows>();
    std::shared_ptr<FakeDesktopState> desktop = std::make_shared<FakeDesktopState>();

    explicit TestPlatform(const TempHome& home) {
        folders->pictures = (home / "Pictures").string();
        folders->program = (home / "data/desktop-sorvane").string();
        folders->templ = (home / "data/desktop-sorvane/template.html").string();
    }

    // The Platform a MainForm takes; `registry` is left for the caller to set
    // (a real store in the temporary config folder).
    Platform Make() const {
        Platform p;
        p.folders = folders;
        p.screen = screen;
        p.tempNames = std::make_shared<PlainTempNames>();
        p.colors = colors;
        p.shell = shell;
        p.desktopWindows = desktopWindows;
        auto state = desktop;
        p.newActiveDesktop = [state] { return std::make_unique<FakeActiveDesktop>(state); };
        return p;
    }
};

}  // namespace sorvane::test
