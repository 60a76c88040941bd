#include "LinuxActiveDesktop.h"

#include <algorithm>
#include <string_view>

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

std::string LinuxActiveDesktop::ShowNote() {
    std::optional<std::string> answer;
    try {
        answer = SendToHost(place_.hostFolder, FormatHostCommand({HostCommand::Verb::Status, {}}),
                            HostAnswerTimeoutMs);
    } catch (const Error&) {
        return {};  // the page is in; only the note is missing
    }
    if (!answer) return {};
    const HostReply reply = ParseHostReply(*answer);
    constexpr std::string_view tag = "note: ";
    for (size_t start = 0; reply.ok && start < reply.detail.size();) {
        const size_t end = std::min(reply.detail.find('\n', start), reply.detail.size());
        const std::string_view line(reply.detail.data() + start, end - start);
        if (line.starts_with(tag)) return std::string(line.substr(tag.size()));
        start = end + 1;
    }
    return {};
}

}  // namespace sorvane
