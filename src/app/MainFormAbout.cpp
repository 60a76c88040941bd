#include "AboutPage.h"
#include "MainForm.h"

namespace sorvane {

namespace {
constexpr uint32_t Blue = 0xFF0000u;  // OLE order: 0x00BBGGRR
constexpr uint32_t Black = 0u;
}  // namespace

// The result is not examined: without a mail program or browser nothing happens.
void MainForm::lblEmail_Click() { platform_.shell->Open("mailto:" + std::string(about::Email)); }
void MainForm::lblOrl_Click() { platform_.shell->Open(std::string(about::Site)); }

// A link lights up as the pointer enters it and goes dark only when the pointer
// next crosses the About page's background (or, for the e-mail link, the text
// just before it), so moving from one link to the other leaves both lit.
void MainForm::lblEmail_MouseMove() { state_.Controls.EmailLinkColor = Blue; }
void MainForm::lblOrl_MouseMove() { state_.Controls.SiteLinkColor = Blue; }

void MainForm::Frame_MouseMove(int index) {
    if (index != 1) return;
    state_.Controls.EmailLinkColor = Black;
    state_.Controls.SiteLinkColor = Black;
}

void MainForm::Label8_MouseMove() { state_.Controls.EmailLinkColor = Black; }

}  // namespace sorvane
