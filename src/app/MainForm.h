#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FormState.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

namespace sorvane {

class PictureAdder;
struct AddResult;
struct PreparationResult;

// The main window without its widgets: the whole state and every handler.
// Each public handler is one thing a user does, with one meaning whichever
// front-end passes it on; the Qt window and the command-line companion call
// one handler per gesture and only read State(). Each handler hands the
// subsystem that owns the behaviour what it needs and takes back what came of
// it; no subsystem sees the state. MainForm alone marks edits (MarkChanged),
// enables Apply and the list buttons, and sets the busy pointer.
class MainForm {
  public:
    // Services the platform lacks are taken from the null platform, so every
    // service is there for every handler.
    MainForm(Platform platform, Dialogs& dialogs);

    const FormState& State() const { return state_; }
    Platform& Services() { return platform_; }
    Dialogs& Ui() { return dialogs_; }

    // True once the window has been unloaded (OK, Cancel, close box).
    bool Closed() const { return closed_; }
    // Runs one handler for a front-end: an error it lets through becomes a
    // message to the user, and the window stays as it is, edits and all.
    void Guard(const std::function<void()>& handler);

    // --- Start-up and closing (MainFormLifecycle.cpp)
    void Form_Load();
    void Form_QueryUnload();
    void TabStrip1_Click(int tabIndex);  // 1 Settings, 2 About
    void cmdOk_Click();
    void cmdCancel_Click();
    // The window's close box: closes like Cancel.
    void CloseBox() { cmdCancel_Click(); }
    // Closes as Form_QueryUnload does but stores nothing: for a scripted run
    // that only looked.
    void CloseWithoutSaving() { Unload(false); }

    // The preview box's inner size as the window laid it out (before Form_Load).
    void PreviewBoxSized(PixelSize inner) { state_.Controls.PreviewBox = inner; }

    // --- The option controls as a user works them (MainFormOptions.cpp)
    // Entry `index` picked from the transition list: every selected picture
    // takes it, also when it is the entry shown. Nothing happens while the box
    // is disabled or for a position outside the list.
    void UserChoseTransition(int index);
    // A colour picked: an edit only when it differs from the colour shown.
    void UserPickedColour(uint32_t oleColor);
    // A click on an alignment option: the option already shown is no edit.
    void UserClickedAlign(int index);
    // The duration box's text after a keystroke. Every keystroke is an edit,
    // also one that leaves the text as it was.
    void UserEditedDuration(const std::string& text);

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
    void UserSelectedEntries(const std::vector<int>& indices, int current);

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

    // The one place the settings become an unapplied edit: Changed is set and
    // Apply enabled. Every edit handler ends here.
    void MarkChanged();

  private:
    // The one writer's lock for the show and the picture store, for as long
    // as the result lives; waits (saying so) while another program holds it.
    std::unique_ptr<class ShowLock> LockShow(
        std::chrono::seconds bound = std::chrono::seconds(120));
    // Tests reach the state to set up what would take a user many steps.
    friend struct FormTestAccess;

    // The controls' own handlers and setters, run by the gestures above and by
    // loading config.dat (as the controls' setters run them).
    void cboTrans_Click();
    void clrBackground_Change();
    void optAlign_Click(int index);
    void txtDuration_Change();
    // A colour set from code raises no notification.
    void SetBackgroundColor(uint32_t oleColor) { state_.Settings.BackgroundColor = oleColor; }
    // A text that differs runs the change handler.
    void SetDurationText(const std::string& text);
    // Moves the transition box to `index` and runs its click handling.
    void SelectTransition(int index);

    // The closing sequence; `save` stores the registry values first.
    void Unload(bool save);

    // What the subsystems return, taken into the state.
    PictureAdder Adder();
    void TakeAddResult(const AddResult& result);
    void SetListButtons();
    // Prepares the pictures into `folder` and keeps the sizes the run settled.
    PreparationResult RunPreparation(const std::string& folder);
    // Writes the page `fileName` (empty: the installed one) from the settings.
    void WritePageNamed(const std::string& fileName);
    // Raises the largest picture size to the picture at `path`.
    void Measure(const std::string& path);
    void UpdateTargetSize();
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
