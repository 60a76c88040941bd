#include "LinuxActiveDesktop.h"

#include <algorithm>
#include <string_view>

#include "AutostartEntry.h"
#include "HostCommand.h"
#include "HostLauncher.h"
#include "HostSocket.h"
#include "HostTimeouts.h"
#include "platform/DesktopRegistryNames.h"
#include "platform/Error.h"
#include "platform/Translate.h"
#include "registry/cRegistry.h"

namespace sorvane {

namespace {

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

std::string StopDesktopSlideShow(std::shared_ptr<RegistryBackend> registry,
                                 const std::string& hostFolder, const std::string& hostProgram) {
    WallpaperValue(std::move(registry)).SetValue(std::string());
    RemoveAutostartEntry();
    // The host program also gives back what a host that crashed left on the
    // desktop; without one, a running host is simply told to quit.
    if (!hostProgram.empty()) return RunHostProgram(hostProgram, {"stop"});
    SendToHost(hostFolder, FormatHostCommand({HostCommand::Verb::Quit, {}}),
               host_timeouts::AnswerMs);
    return {};
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

void LinuxActiveDesktop::Save(const std::string& page) {
    WallpaperValue(registry_).SetValue(page);  // raises the accessor's write error
    if (page.empty())
        RemoveAutostartEntry();
    else
        WriteAutostartEntry(place_.hostProgram, page);
}

void LinuxActiveDesktop::ApplyChanges(unsigned flags) {
    const bool save = (flags & ApplySave) != 0 && staged_;
    const std::string before = save ? ReadWallpaperSetting(registry_) : std::string();
    if (save) Save(*staged_);
    if ((flags & ApplyRefresh) == 0) return;
    try {
        // The host keeps no settings: it is always told the page itself.
        Refresh(staged_ ? *staged_ : ReadWallpaperSetting(registry_));
    } catch (const Error&) {
        // Nothing shows the new page, so neither the setting nor the login
        // entry may claim it: both go back to what they named before.
        if (save && before != *staged_) {
            try {
                Save(before);
            } catch (const Error&) {
            }
        }
        throw;
    }
}

void LinuxActiveDesktop::Refresh(const std::string& page) {
    const std::optional<std::string> answer =
        SendToHost(place_.hostFolder, FormatHostCommand({HostCommand::Verb::Load, page}),
                   host_timeouts::AnswerMs);
    if (!answer) {
        // No host runs: the empty desktop needs none, and a run that may not
        // start programs leaves the page to the next login.
        if (page.empty() || !place_.mayStartHost) return;
        const std::string problem = RunHostProgram(place_.hostProgram, {"load", page});
        if (!problem.empty())
            throw Error(
                TrArg(SORVANE_TR("Sorvane", "The desktop slide show could not be started. %1"),
                      {problem}));
        return;
    }
    const HostReply reply = ParseHostReply(*answer);
    if (!reply.ok)
        throw Error(TrArg(SORVANE_TR("Sorvane", "The desktop could not show the page. %1"),
                          {reply.detail}));
}

std::string LinuxActiveDesktop::ShowNote() {
    std::optional<std::string> answer;
    try {
        answer = SendToHost(place_.hostFolder, FormatHostCommand({HostCommand::Verb::Status, {}}),
                            host_timeouts::QueryMs);
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
