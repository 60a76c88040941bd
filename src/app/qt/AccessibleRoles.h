#pragma once

namespace sorvane {

// Gives the window's own widgets the roles a screen reader expects (the
// windows as a window and a dialog, the pictures as images, the About links
// as links that can be pressed); a plain QWidget would read as a filler.
void InstallAccessibleRoles();

}  // namespace sorvane
