#pragma once

#include <memory>

#include "Backdrop.h"
#include "DesktopShell.h"
#include "SessionProbe.h"

namespace sorvane {

// The way to show the page for the desktop shell that runs: the shell's own
// where it draws the desktop itself, else our own surfaces.
std::unique_ptr<Backdrop> MakeBackdrop(const ShellProbe& probe, DesktopLayer layer,
                                       bool hardwareAcceleration);

}  // namespace sorvane
