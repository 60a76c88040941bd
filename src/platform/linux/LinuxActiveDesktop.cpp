#include "LinuxActiveDesktop.h"

#include "HostCommand.h"
#include "HostSocket.h"
#include "platform/DesktopRegistryNames.h"
#include "platform/Error.h"
#include "registry/cRegistry.h"

namespace sorvane {

namespace {

// Long enough for a host that is still starting its browser engine.
constexpr int HostAnswerTimeoutMs = 20000;

cRegistry WallpaperValue(std::shared_ptr<RegistryBackend> registry) {
    cRegistry reg(std::move(registry));
    reg.SetClassKey(HKeyCurrentUser);
    reg.SetSectionKey(DesktopGeneralKey);
    reg.SetValueKey(WallpaperValueName);
    reg.SetValueType(RegSz);
    return reg;
}

}  // namespace

std::string ReadWallpaperSetting(std::shared_ptr<RegistryBackend> registry) {
    return WallpaperValue(std::move(registry)).Value().ToText();
}

LinuxActiveDesktop::LinuxActiveDesktop(std::shared_ptr<RegistryBackend> registry,
                                       std::string hostFolder)
    : registry_(std::move(registry)), hostFolder_(std::move(hostFolder)) {}

std::string LinuxActiveDesktop::GetWallpaper() {
    if (staged_) return *staged_;
    return ReadWallpaperSetting(registry_);
}

void LinuxActiveDesktop::SetWallpaper(const std::string& path) {
    staged_ = path.substr(0, path.find('\0'));
}

void LinuxActiveDesktop::ApplyChanges(unsigned flags) {
    if ((flags & ApplySave) != 0 && staged_) {
        cRegistry reg = WallpaperValue(registry_);
        reg.SetValue(*staged_);  // raises the accessor's write error
    }
    if ((flags & ApplyRefresh) == 0) return;
    HostCommand command;
    if (staged_) command = {HostCommand::Verb::Load, *staged_};
    const std::optional<std::string> answer =
        SendToHost(hostFolder_, FormatHostCommand(command), HostAnswerTimeoutMs);
    if (!answer) return;
    const HostReply reply = ParseHostReply(*answer);
    if (!reply.ok) throw Error("The desktop could not show the page. " + reply.detail);
}

}  // namespace sorvane
