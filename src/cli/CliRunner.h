#pragma once

#include <functional>

#include <iosfwd>

#include "CliArguments.h"

namespace sorvane {
class MainForm;
class ScriptedDialogs;
}  // namespace sorvane

namespace sorvane::cli {

// Runs the actions on a loaded form, in order, as a user's clicks. Messages go
// to `err`, --show lines to `out`. Returns 0 when every action ran, 1 when one
// failed (the rest are not run). `stopDesktop` turns the desktop slide show
// off (--stop-desktop); the program's entry point gives the platform's own.
int RunActions(const Arguments& args, MainForm& form, ScriptedDialogs& dialogs, std::ostream& out,
               std::ostream& err, const std::function<void()>& stopDesktop = {});

// The window's closing after the actions, unless one of them closed it. A run
// whose actions only read stores nothing on the way out.
void CloseForm(const Arguments& args, MainForm& form);

}  // namespace sorvane::cli
