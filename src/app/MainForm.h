#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "settings/FormState.h"

namespace sorvane {

// The main window without its widgets: the whole state and every handler.
// Handlers keep the window's names; each forwards to the subsystem that owns
// the behaviour. The Qt window mirrors State() after every handler; tests and
// the command-line companion drive it directly.
class MainForm {
  public:
    MainForm(Platform platform, Dialogs& dialogs);

    FormState& State() { return state_; }
    const FormState& State() const { return state_; }
    Platform& Services() { return platform_; }
    Dialogs& Ui() { return dialogs_; }

    // True once the window has been unloaded (OK, Cancel, close box).
    bool Closed() const { return closed_; }

    // --- Start-up and closing (MainFormLifecycle.cpp)
    void Form_Load();
    void Form_QueryUnload();
    void TabStrip1_Click(int tabIndex);  // 1 Settings, 2 About
    void cmdOk_Click();
    void cmdCancel_Click();
    // The window's close box: closes like Cancel.
    void CloseBox() { cmdCancel_Click(); }

    // --- Option controls (MainFormOptions.cpp)
    void cboTrans_Click();
    void clrBackground_Change();
    void optAlign_Click(int index);
    void txtDuration_Change();
    // Setters as the controls have them: a value that differs runs the control's
    // change handler, as a user's edit would. A colour set from code raises no
    // notification (the picker only reports the user's picks).
    void SetBackgroundColor(uint32_t oleColor);
    void SetDurationText(const std::string& text);
    void SelectAlignOption(int index);
    // Moves the transition box to `index` and runs its click handling.
    void SelectTransition(int index);

    // --- Settings persistence (MainFormSettings.cpp)
    void ReadConfigFile();
    void WriteConfigFile();
    void LoadRegistrySettings();
    void SaveRegistrySettings();
    std::string ConfigFilePath() const;

    // --- Build, Active Desktop (MainFormBuild.cpp, MainFormDesktop.cpp)
    void cmdApply_Click();
    void cmdSetWallpaper_Click();
    bool IsActiveDesktopOn();
    // The start-up desktop and browser facts, the last part of LoadRegistrySettings.
    void LoadDesktopFacts();

    // --- Pictures (MainFormPictures.cpp)
    void cmdAdd_Click();
    void cmdAddFolder_Click();
    void ScanPictureFolder(const std::string& folder);
    void cmdRemove_Click();
    void cmdMoveUp_Click();
    void cmdMoveDown_Click();
    void lstPictures_Click();
    // A user's click on the list: these entries selected, `current` the focus.
    void SelectEntries(const std::vector<int>& indices, int current);

    // --- Browser preview (MainFormPreview.cpp)
    void cmdPrevew_Click();

    // --- About page (MainFormAbout.cpp)
    void lblEmail_Click();
    void lblOrl_Click();
    // The pointer moving over a link, a page's background (0 Settings,
    // 1 About) or the text before the e-mail link: the links' hover colours.
    void lblEmail_MouseMove();
    void lblOrl_MouseMove();
    void Frame_MouseMove(int index);
    void Label8_MouseMove();

    std::string TemplatePath() const;

  private:
    // A config.dat that could not be read is moved aside before anything
    // replaces it; throws sorvane::Error when it is still in the way.
    void KeepUnreadableConfigAside();

    Platform platform_;
    Dialogs& dialogs_;
    FormState state_;
    bool closed_ = false;
    // The last build stopped on a failure it reported (not the preparation
    // error): OK then keeps the window open.
    bool buildFailed_ = false;
    // config.dat was there at start-up but could not be read, and still is.
    bool configUnreadable_ = false;
    std::string configAside_;  // where it was kept
};

}  // namespace sorvane
