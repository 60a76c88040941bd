#include "LinuxDesktopWindows.h"

#include <charconv>
#include <optional>

#include "HostCommand.h"
#include "HostSocket.h"
#include "HostTimeouts.h"
#include "platform/Error.h"

namespace sorvane {

uint64_t LinuxDesktopWindows::FindDesktopBrowserWindow() {
    std::optional<std::string> answer;
    try {
        answer = SendToHost(hostFolder_, FormatHostCommand({HostCommand::Verb::Window, {}}),
                            host_timeouts::QueryMs);
    } catch (const Error&) {
        return 0;
    }
    if (!answer) return 0;
    const HostReply reply = ParseHostReply(*answer);
    uint64_t id = 0;
    if (!reply.ok) return 0;
    const auto [end, error] =
        std::from_chars(reply.detail.data(), reply.detail.data() + reply.detail.size(), id);
    if (error != std::errc() || end != reply.detail.data() + reply.detail.size()) return 0;
    return id;
}

}  // namespace sorvane
