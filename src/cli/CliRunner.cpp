#include "CliRunner.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <stdexcept>

#include "StateJson.h"
#include "app/MainForm.h"
#include "app/ScriptedDialogs.h"
#include "settings/TransitionNames.h"

namespace fs = std::filesystem;

namespace sorvane::cli {

namespace {

struct ActionFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Messages leave out the option: the runner puts it in front.
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

void Run(const Action& a, MainForm& form, ScriptedDialogs& dialogs, std::ostream& out,
         const std::function<void()>& stopDesktop) {
    auto& st = form.State();
    if (a.Name == "add") {
        dialogs.OpenFileAnswers.push_back(ChosenIn(a.Args));
        form.cmdAdd_Click();
    } else if (a.Name == "add-folder") {
        std::error_code ec;
        if (!fs::is_directory(a.Args[0], ec))
            throw ActionFailed("\"" + a.Args[0] + "\" is not a folder");
        dialogs.FolderAnswers.push_back(
            {true, fs::absolute(a.Args[0]).lexically_normal().string()});
        form.cmdAddFolder_Click();
    } else if (a.Name == "select") {
        std::vector<int> indices;
        const std::string& text = a.Args[0];
        for (size_t pos = 0; pos <= text.size();) {
            const size_t comma = std::min(text.find(',', pos), text.size());
            const long long i = ParseNumber(text.substr(pos, comma - pos), 10);
            if (i < 0 || i >= static_cast<long long>(st.Settings.Pictures.size()))
                throw ActionFailed("there is no entry " + std::to_string(i));
            indices.push_back(static_cast<int>(i));
            pos = comma + 1;
        }
        form.SelectEntries(indices, indices.front());
    } else if (a.Name == "transition") {
        // As the window's box: disabled until a picture is selected.
        if (!st.Controls.TransEnabled)
            throw ActionFailed("the transition box is disabled; select a picture first");
        int index = TransitionIndexOf(a.Args[0]);
        if (index < 0) {
            const long long n = ParseNumber(a.Args[0], 10);
            if (n < 0 || n >= TransitionCount) throw ActionFailed("no transition " + a.Args[0]);
            index = static_cast<int>(n);
        }
        form.SelectTransition(index);
    } else if (a.Name == "remove") {
        form.cmdRemove_Click();
    } else if (a.Name == "move-up") {
        form.cmdMoveUp_Click();
    } else if (a.Name == "move-down") {
        form.cmdMoveDown_Click();
    } else if (a.Name == "color") {
        form.SetBackgroundColor(ParseColor(a.Args[0]));
        form.clrBackground_Change();  // a user's pick
    } else if (a.Name == "duration") {
        form.SetDurationText(a.Args[0]);
    } else if (a.Name == "align") {
        form.optAlign_Click(a.Args[0] == "left" ? 0 : a.Args[0] == "center" ? 1 : 2);
    } else if (a.Name == "apply") {
        form.cmdApply_Click();
    } else if (a.Name == "ok") {
        form.cmdOk_Click();
    } else if (a.Name == "preview") {
        form.cmdPrevew_Click();
    } else if (a.Name == "set-wallpaper") {
        form.cmdSetWallpaper_Click();
    } else if (a.Name == "stop-desktop") {
        if (!stopDesktop) throw std::runtime_error("there is no desktop slide show here");
        stopDesktop();
    } else if (a.Name == "show") {
        out << StateJson(st) << std::endl;
    }
}

}  // namespace

int RunActions(const Arguments& args, MainForm& form, ScriptedDialogs& dialogs, std::ostream& out,
               std::ostream& err, const std::function<void()>& stopDesktop) {
    bool failedByMessage = false;
    dialogs.DefaultOverwriteAnswer = args.Answer;
    dialogs.OnMessage = [&](const std::string& title, const std::string& text) {
        err << title << ": " << text << std::endl;
    };
    for (const auto& action : args.Actions) {
        if (form.Closed()) {
            err << "--" << action.Name << ": the window is already closed" << std::endl;
            return 1;
        }
        const size_t dialogsBefore = dialogs.Entries.size();
        try {
            Run(action, form, dialogs, out, stopDesktop);
        } catch (const std::exception& e) {
            err << "--" << action.Name << ": " << e.what() << std::endl;
            return 1;
        }
        // An error the window reported to the user (a critical message) fails the action.
        for (size_t i = dialogsBefore; i < dialogs.Entries.size(); ++i)
            if (dialogs.Entries[i].Kind == DialogKind::Error) failedByMessage = true;
        if (failedByMessage) return 1;
    }
    return 0;
}

}  // namespace sorvane::cli
