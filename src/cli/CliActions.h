#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string_view>

#include "CliArguments.h"

namespace sorvane {
class MainForm;
class ScriptedDialogs;
}  // namespace sorvane

namespace sorvane::cli {

// What an action works on while it runs.
struct ActionContext {
    MainForm& Form;
    ScriptedDialogs& Dialogs;
    std::ostream& Out;
    const std::function<void()>& StopDesktop;
};

// An action that could not be done; the message leaves out the option.
struct ActionFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class Takes { Nothing, OneValue, Values };

// One row of the companion's actions: the parser, the runner and --help all
// read this table, so a new action is one row.
struct ActionSpec {
    std::string_view Name;  // the option without "--"
    Takes Value;
    // For --help; with OnlyListed, the "|"-separated words are the only values.
    std::string_view ValueName;
    bool OnlyListed;
    // Only looks: a run of nothing but such actions saves nothing.
    bool ReadsOnly;
    std::string_view Help;
    // One gesture on the form (or, for --show, a look at it); throws
    // ActionFailed or std::exception when it cannot be done.
    void (*Run)(const Action& action, ActionContext& context);
};

std::span<const ActionSpec> ActionTable();
const ActionSpec* FindAction(std::string_view name);

// True when every action of the run only reads.
bool ReadsOnly(const Arguments& args);

}  // namespace sorvane::cli
