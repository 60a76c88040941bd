#include "CliActions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <ostream>

#include "StateJson.h"
#include "app/MainForm.h"
#include "app/ScriptedDialogs.h"
#include "settings/TransitionNames.h"

namespace fs = std::filesystem;

namespace sorvane::cli {

namespace {

long long ParseNumber(const std::string& text, int base) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw ActionFailed("\"" + text + "\" is not a number");
    return v;
}

uint32_t ParseColor(const std::string& text) {
    const bool hex = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0;
    // Hex digits are the colour's bits: a sign after "0x" is no colour at all.
    if (hex && text.size() > 2 && (text[2] == '-' || text[2] == '+'))
        throw ActionFailed("\"" + text + "\" is not a number");
    const long long v = hex ? ParseNumber(text.substr(2), 16) : ParseNumber(text, 10);
    if (v < INT32_MIN || v > UINT32_MAX) throw ActionFailed(text + " is not a 32-bit colour");
    return static_cast<uint32_t>(v);
}

ChosenFiles ChosenIn(const std::vector<std::string>& files) {
    const fs::path folder = fs::absolute(files[0]).parent_path();
    ChosenFiles chosen{folder.string(), {}};
    for (const auto& f : files) {
        const fs::path p = fs::absolute(f);
        if (p.parent_path() != folder)
            throw ActionFailed("files chosen together must lie in one folder");
        chosen.Names.push_back(p.filename().string());
    }
    return chosen;
}

void Add(const Action& a, ActionContext& c) {
    c.Dialogs.OpenFileAnswers.push_back(ChosenIn(a.Args));
    c.Form.cmdAdd_Click();
}

void AddFolder(const Action& a, ActionContext& c) {
    std::error_code ec;
    if (!fs::is_directory(a.Args[0], ec))
        throw ActionFailed("\"" + a.Args[0] + "\" is not a folder");
    c.Dialogs.FolderAnswers.push_back({true, fs::absolute(a.Args[0]).lexically_normal().string()});
    c.Form.cmdAddFolder_Click();
}

void Select(const Action& a, ActionContext& c) {
    const auto count = static_cast<long long>(c.Form.State().Settings.Pictures.size());
    std::vector<int> indices;
    const std::string& text = a.Args[0];
    for (size_t pos = 0; pos <= text.size();) {
        const size_t comma = std::min(text.find(',', pos), text.size());
        const long long i = ParseNumber(text.substr(pos, comma - pos), 10);
        if (i < 0 || i >= count) throw ActionFailed("there is no entry " + std::to_string(i));
        indices.push_back(static_cast<int>(i));
        pos = comma + 1;
    }
    c.Form.UserSelectedEntries(indices, indices.front());
}

void Transition(const Action& a, ActionContext& c) {
    // As the window's box: disabled until a picture is selected.
    if (!c.Form.State().Controls.TransEnabled)
        throw ActionFailed("the transition box is disabled; select a picture first");
    int index = TransitionIndexOf(a.Args[0]);
    if (index < 0) {
        const long long n = ParseNumber(a.Args[0], 10);
        if (n < 0 || n >= TransitionCount) throw ActionFailed("no transition " + a.Args[0]);
        index = static_cast<int>(n);
    }
    c.Form.UserChoseTransition(index);
}

void Align(const Action& a, ActionContext& c) {
    c.Form.UserClickedAlign(a.Args[0] == "left" ? 0 : a.Args[0] == "center" ? 1 : 2);
}

// As in the window, a disabled button can't be clicked; the run says so
// rather than carrying on as if it had been.
void ClickListButton(ActionContext& c, bool ControlState::*enabled, const char* caption,
                     void (MainForm::*click)()) {
    if (!(c.Form.State().Controls.*enabled))
        throw ActionFailed(std::string("the ") + caption +
                           " button is disabled for this selection");
    (c.Form.*click)();
}

void StopDesktop(const Action&, ActionContext& c) {
    if (!c.StopDesktop) throw std::runtime_error("there is no desktop slide show here");
    c.StopDesktop();
}

// clang-format off
constexpr std::array Table{
    ActionSpec{"add", Takes::Values, "FILE...", false, false,
               "one click of Add Picture choosing these files (from one folder)", Add},
    ActionSpec{"add-folder", Takes::OneValue, "DIR", false, false,
               "one click of Add Folder, DIR accepted", AddFolder},
    ActionSpec{"select", Takes::OneValue, "I[,J...]", false, false,
               "select these entries (0-based), the first one current", Select},
    ActionSpec{"transition", Takes::OneValue, "N|NAME", false, false,
               "pick this transition in its box (select a picture first)", Transition},
    ActionSpec{"remove", Takes::Nothing, "", false, false, "one click of Remove Selected",
               [](const Action&, ActionContext& c) {
                   ClickListButton(c, &ControlState::RemoveEnabled, "Remove Selected",
                                   &MainForm::cmdRemove_Click);
               }},
    ActionSpec{"move-up", Takes::Nothing, "", false, false, "one click of the up arrow",
               [](const Action&, ActionContext& c) {
                   ClickListButton(c, &ControlState::MoveUpEnabled, "up arrow",
                                   &MainForm::cmdMoveUp_Click);
               }},
    ActionSpec{"move-down", Takes::Nothing, "", false, false, "one click of the down arrow",
               [](const Action&, ActionContext& c) {
                   ClickListButton(c, &ControlState::MoveDownEnabled, "down arrow",
                                   &MainForm::cmdMoveDown_Click);
               }},
    ActionSpec{"color", Takes::OneValue, "N", false, false,
               "pick this background colour, decimal or 0x hex (OLE colour)",
               [](const Action& a, ActionContext& c) {
                   c.Form.UserPickedColour(ParseColor(a.Args[0]));
               }},
    ActionSpec{"duration", Takes::OneValue, "TEXT", false, false,
               "type this view duration (seconds) into its box",
               [](const Action& a, ActionContext& c) { c.Form.UserEditedDuration(a.Args[0]); }},
    ActionSpec{"align", Takes::OneValue, "left|center|right", true, false,
               "click this alignment option", Align},
    ActionSpec{"apply", Takes::Nothing, "", false, false, "one click of Apply",
               [](const Action&, ActionContext& c) { c.Form.cmdApply_Click(); }},
    ActionSpec{"ok", Takes::Nothing, "", false, false, "one click of OK",
               [](const Action&, ActionContext& c) { c.Form.cmdOk_Click(); }},
    ActionSpec{"preview", Takes::Nothing, "", false, false, "one click of Preview",
               [](const Action&, ActionContext& c) { c.Form.cmdPrevew_Click(); }},
    ActionSpec{"set-wallpaper", Takes::Nothing, "", false, false, "one click of Set Wallpaper",
               [](const Action&, ActionContext& c) { c.Form.cmdSetWallpaper_Click(); }},
    ActionSpec{"stop-desktop", Takes::Nothing, "", false, false,
               "turn the desktop slide show off (host, wallpaper, login entry)", StopDesktop},
    ActionSpec{"show", Takes::Nothing, "", false, true, "print the state as one JSON line",
               [](const Action&, ActionContext& c) {
                   c.Out << StateJson(c.Form.State()) << std::endl;
               }},
};
// clang-format on

}  // namespace

std::span<const ActionSpec> ActionTable() { return Table; }

const ActionSpec* FindAction(std::string_view name) {
    for (const ActionSpec& spec : Table)
        if (spec.Name == name) return &spec;
    return nullptr;
}

bool ReadsOnly(const Arguments& args) {
    return std::all_of(args.Actions.begin(), args.Actions.end(), [](const Action& a) {
        const ActionSpec* spec = FindAction(a.Name);
        return spec && spec->ReadsOnly;
    });
}

}  // namespace sorvane::cli
