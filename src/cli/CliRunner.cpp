#include "CliRunner.h"

#include <ostream>
#include <stdexcept>

#include "CliActions.h"
#include "app/MainForm.h"
#include "app/ScriptedDialogs.h"

namespace sorvane::cli {

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
            ActionContext context{form, dialogs, out, stopDesktop};
            FindAction(action.Name)->Run(action, context);
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

void CloseForm(const Arguments& args, MainForm& form) {
    if (form.Closed()) return;
    if (ReadsOnly(args))
        form.CloseWithoutSaving();
    else
        form.Form_QueryUnload();
}

}  // namespace sorvane::cli
