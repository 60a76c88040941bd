#include "BackdropChoice.h"

#include "PlasmaBackdrop.h"
#include "SurfacesBackdrop.h"

namespace sorvane {

std::unique_ptr<Backdrop> MakeBackdrop(const ShellProbe& probe, DesktopLayer layer,
                                       bool hardwareAcceleration) {
    switch (probe.shell) {
        case DesktopShell::Plasma:
            return std::make_unique<PlasmaBackdrop>();
        case DesktopShell::None:
        case DesktopShell::Xfdesktop:
        case DesktopShell::PcmanfmQt:
        case DesktopShell::Caja:
        case DesktopShell::Nemo:
            break;
    }
    return std::make_unique<SurfacesBackdrop>(layer, probe.wallpaperClient, hardwareAcceleration);
}

}  // namespace sorvane
