#include "LinuxActiveDesktop.h"

#include "AutostartEntry.h"
#include "HostCommand.h"
#include "HostLauncher.h"
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

void StopDesktopSlideShow(std::shared_ptr<RegistryBackend> registry,
                          const std::string& hostFolder) {
    WallpaperValue(std::move(registry)).SetValue(std::string());
    RemoveAutostartEntry();
    SendToHost(hostFolder, FormatHostCommand({HostCommand::Verb::Quit, {}}), HostAnswerTimeoutMs);
}

LinuxActiveDesktop::LinuxActiveDesktop(std::shared_ptr<RegistryBackend> registry,
                                       LinuxDesktopPlace place)
    : registry_(std::move(registry)), place_(std::move(place)) {}

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
        if (staged_->empty())
            RemoveAutostartEntry();
        else
            WriteAutostartEntry(place_.hostProgram, *staged_);
    }
    if ((flags & ApplyRefresh) == 0) return;
    HostCommand command;
    if (staged_) command = {HostCommand::Verb::Load, *staged_};
    const std::optional<std::string> answer =
        SendToHost(place_.hostFolder, FormatHostCommand(command), HostAnswerTimeoutMs);
    if (!answer) {
        const std::string page = staged_ ? *staged_ : ReadWallpaperSetting(registry_);
        if (page.empty() || !place_.mayStartHost) return;
        const std::string problem = StartHost(place_.hostProgram, {"load", page});
        if (!problem.empty()) throw Error(problem);
        return;
    }
    const HostReply reply = ParseHostReply(*answer);
    if (!reply.ok) throw Error("The desktop could not show the page. " + reply.detail);
}

}  // namespace sorvane
