#include "HostCommand.h"

namespace sorvane {

namespace {

std::string EscapePath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '%')
            out += "%25";
        else if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Any %XX is decoded (a person typing at the socket may escape more than we
// do); a '%' without two hex digits stays as it is.
std::string UnescapePath(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace

std::string FormatHostCommand(const HostCommand& command) {
    switch (command.verb) {
        case HostCommand::Verb::Reload:
            return "reload";
        case HostCommand::Verb::Quit:
            return "quit";
        case HostCommand::Verb::Window:
            return "window";
        case HostCommand::Verb::Status:
            return "status";
        case HostCommand::Verb::Load:
            return "load " + EscapePath(command.path);
    }
    return {};
}

std::optional<HostCommand> ParseHostCommand(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == "reload") return HostCommand{HostCommand::Verb::Reload, {}};
    if (line == "quit") return HostCommand{HostCommand::Verb::Quit, {}};
    if (line == "window") return HostCommand{HostCommand::Verb::Window, {}};
    if (line == "status") return HostCommand{HostCommand::Verb::Status, {}};
    if (line == "load") return HostCommand{HostCommand::Verb::Load, {}};
    if (line.starts_with("load "))
        return HostCommand{HostCommand::Verb::Load, UnescapePath(line.substr(5))};
    return std::nullopt;
}

std::string FormatHostReply(const HostReply& reply) {
    std::string line = reply.ok ? "ok" : "error";
    // Escaped as paths are: a detail may span lines (`status`) or name a file.
    if (!reply.detail.empty()) line += ' ' + EscapePath(reply.detail);
    return line;
}

HostReply ParseHostReply(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == "ok") return {true, {}};
    if (line.starts_with("ok ")) return {true, UnescapePath(line.substr(3))};
    if (line.starts_with("error ")) return {false, UnescapePath(line.substr(6))};
    return {false,
            "The desktop host gave an answer this program does not know: " + std::string(line)};
}

}  // namespace sorvane
