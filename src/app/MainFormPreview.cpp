// The browser preview: a throw-away page beside the installed one.
#include <exception>
#include <filesystem>
#include <system_error>

#include "BusyPointer.h"
#include "MainForm.h"
#include "imaging/Preparation.h"
#include "page/PageGenerator.h"
#include "platform/ShowLock.h"
#include "platform/Translate.h"

namespace fs = std::filesystem;

namespace sorvane {

// Every step carries on past a failure of the one before; only a failed
// preparation (which told the user already) keeps the browser shut.
void MainForm::cmdPrevew_Click() {
    auto& window = state_.Window;
    // As Apply: copies are never written through a link in the prepared
    // folder's place (it could point anywhere).
    const fs::path prepared = fs::path(window.PreparedFolder).parent_path();
    std::error_code linkEc;
    if (fs::is_symlink(fs::symlink_status(prepared, linkEc))) {
        dialogs_.MessageBox(TrArg(SORVANE_TR("Sorvane",
                                             "The preview cannot be prepared: \"%1\" is not a "
                                             "folder. Move it elsewhere and try again."),
                                  {prepared.string()}),
                            MsgButtons::Ok, MsgIcon::Exclamation, "Desktop Sorvane");
        return;
    }
    BusyPointer busy(state_.Controls, dialogs_);
    std::unique_ptr<ShowLock> lock;
    try {
        lock = LockShow();
    } catch (const std::exception& e) {
        busy.End();
        dialogs_.HideProgress();
        dialogs_.MessageBox(e.what(), MsgButtons::Ok, MsgIcon::Exclamation, "Desktop Sorvane");
        return;
    }

    const std::string& pagePath = window.PreviewPagePath;
    std::error_code ec;
    if (!pagePath.empty()) fs::remove(pagePath, ec);
    std::string pageName = pagePath.substr(pagePath.rfind('/') + 1);

    bool openBrowser = true;
    if (state_.Settings.Changed) {
        try {
            openBrowser = RunPreparation(window.PreparedFolder).Started;
        } catch (const std::exception&) {
        }
    }
    // An empty name would write the installed page; the preview never does.
    if (openBrowser && !pageName.empty()) {
        try {
            WritePageNamed(pageName);
        } catch (const std::exception&) {
        }
    }

    lock.reset();
    dialogs_.HideProgress();
    busy.End();
    if (openBrowser && !pagePath.empty()) {
        try {
            platform_.shell->OpenInBrowser(pagePath);
        } catch (const std::exception&) {
        }
    }
}

}  // namespace sorvane
