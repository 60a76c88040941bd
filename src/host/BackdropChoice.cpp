#include "BackdropChoice.h"

#include "DesktopBackground.h"
#include "PictureCycleBackdrop.h"
#include "PlasmaBackdrop.h"
#include "SurfacesBackdrop.h"

namespace sorvane {

std::unique_ptr<Backdrop> MakeBackdrop(const ShellProbe& probe, DesktopLayer layer,
                                       bool hardwareAcceleration) {
    switch (probe.shell) {
        case DesktopShell::Plasma:
            return std::make_unique<PlasmaBackdrop>();
        case DesktopShell::Xfdesktop:
        case DesktopShell::PcmanfmQt:
        case DesktopShell::Caja:
        case DesktopShell::Nemo:
            // Their one window draws wallpaper and icons: ours would cover the
            // icons, so the pictures go through their own background setting.
            return std::make_unique<PictureCycleBackdrop>(MakeDesktopBackground(probe.shell),
                                                          ShellName(probe.shell));
        case DesktopShell::None:
            break;
    }
    return std::make_unique<SurfacesBackdrop>(layer, probe.wallpaperClient, hardwareAcceleration);
}

}  // namespace sorvane
