#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// One request to the desktop host, one line on its socket:
//   reload        show the current page again, read afresh from disk
//   load PATH     show the page at PATH ("" shows the empty desktop)
//   quit          close the host
//   window        ask for the X window id of the shown desktop (0 while none)
//   status        ask which desktop shell runs and how each output shows the page
// PATH is written with '%', CR and LF as %25, %0D, %0A so that any file name
// fits on one line.
struct HostCommand {
    enum class Verb { Reload, Load, Quit, Window, Status };
    Verb verb = Verb::Reload;
    std::string path;

    bool operator==(const HostCommand&) const = default;
};

// The line for a command, without its line end.
std::string FormatHostCommand(const HostCommand& command);
// A command from one line (line end already removed); none for anything else.
std::optional<HostCommand> ParseHostCommand(std::string_view line);

// The host's answers: "ok", "ok DETAIL", or "error TEXT", the detail escaped
// as a path is (so it may hold line ends).
struct HostReply {
    bool ok = false;
    std::string detail;
};
std::string FormatHostReply(const HostReply& reply);
HostReply ParseHostReply(std::string_view line);

}  // namespace sorvane
