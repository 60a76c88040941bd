#include "HostArguments.h"

#include <filesystem>

namespace sorvane {

HostArguments ParseHostArguments(const std::vector<std::string>& args) {
    HostArguments out;
    if (args.empty()) return out;
    const std::string& verb = args[0];
    if (verb == "--help" || verb == "-h") {
        out.help = true;
    } else if (verb == "reload" || verb == "quit" || verb == "window") {
        out.command.verb = verb == "reload" ? HostCommand::Verb::Reload
                           : verb == "quit" ? HostCommand::Verb::Quit
                                            : HostCommand::Verb::Window;
        if (args.size() > 1) out.error = "'" + verb + "' takes no further arguments.";
    } else if (verb == "load") {
        out.command.verb = HostCommand::Verb::Load;
        if (args.size() != 2) {
            out.error = "'load' takes one page path (\"\" for the empty desktop).";
        } else if (!args[1].empty()) {
            std::error_code ec;
            const std::filesystem::path absolute = std::filesystem::absolute(args[1], ec);
            out.command.path = ec ? args[1] : absolute.lexically_normal().string();
        }
    } else {
        out.error = "Unknown request '" + verb + "'.";
    }
    return out;
}

std::string HostUsage() {
    return "Usage: desktop-sorvane-host [reload | load PAGE | quit | window]\n"
           "Shows the wallpaper page on the desktop, behind all windows. One host runs\n"
           "per user; starting it again hands the request to the running host.\n"
           "  (none)     show the saved wallpaper page (a running host reloads it)\n"
           "  reload     show the saved wallpaper page afresh\n"
           "  load PAGE  show PAGE (\"\" for the empty desktop)\n"
           "  quit       close the running host\n"
           "  window     print the desktop window's id (0 when none is shown)\n";
}

}  // namespace sorvane
