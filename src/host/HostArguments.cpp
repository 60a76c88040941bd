#include "HostArguments.h"

#include <glib.h>

#include <filesystem>

namespace sorvane {

HostArguments ParseHostArguments(const std::vector<std::string>& args) {
    HostArguments out;
    std::vector<std::string> rest = args;
    if (!rest.empty() && rest[0] == "--foreground") {
        out.foreground = true;
        rest.erase(rest.begin());
    }
    if (rest.empty()) return out;
    const std::string& verb = rest[0];
    if (verb == "--help" || verb == "-h") {
        out.help = true;
    } else if (verb == "reload" || verb == "quit" || verb == "window" || verb == "status") {
        out.command.verb = verb == "reload"   ? HostCommand::Verb::Reload
                           : verb == "quit"   ? HostCommand::Verb::Quit
                           : verb == "window" ? HostCommand::Verb::Window
                                              : HostCommand::Verb::Status;
        if (rest.size() > 1) out.error = "'" + verb + "' takes no further arguments.";
    } else if (verb == "stop") {
        out.stop = true;
        if (rest.size() > 1) out.error = "'stop' takes no further arguments.";
    } else if (verb == "load" || verb == "login") {
        out.command.verb = HostCommand::Verb::Load;
        out.login = verb == "login";
        if (rest.size() != 2) {
            out.error = out.login ? "'login' takes the page path of the autostart entry."
                                  : "'load' takes one page path (\"\" for the empty desktop).";
        } else if (!rest[1].empty()) {
            // The login entry writes a path that is not UTF-8 as a file URI.
            std::string path = rest[1];
            if (path.starts_with("file://")) {
                if (gchar* local = g_filename_from_uri(path.c_str(), nullptr, nullptr)) {
                    path = local;
                    g_free(local);
                } else {
                    out.error = "'" + path + "' is not a file URI.";
                }
            }
            std::error_code ec;
            const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
            out.command.path = ec ? path : absolute.lexically_normal().string();
        }
    } else {
        out.error = "Unknown request '" + verb + "'.";
    }
    return out;
}

std::string HostUsage() {
    return "Usage: desktop-sorvane-host [--foreground] [reload | load PAGE | login PAGE | quit | "
           "stop | window | status]\n"
           "Shows the wallpaper page on the desktop, behind all windows, on every monitor.\n"
           "One host runs per user; starting it again hands the request to the running\n"
           "host. A new host detaches once its desktop is up (--foreground: it doesn't).\n"
           "The host keeps no settings: the page comes from its arguments or a request.\n"
           "  (none)     the same as reload\n"
           "  reload     show the page shown afresh (a new host: the empty desktop)\n"
           "  load PAGE  show PAGE (\"\" for the empty desktop)\n"
           "  login PAGE at login: show PAGE when it is there, else end\n"
           "  quit       close the running host\n"
           "  stop       close the running host and give the desktop back what it\n"
           "             showed before, also after a host that crashed\n"
           "  window     print the desktop window's id (0 when none is shown)\n"
           "  status     print the page shown, the desktop shell, and how each monitor\n"
           "             shows the page\n"
           "DESKTOP_SORVANE_HARDWARE_ACCELERATION=1 lets the web engine use the GPU.\n";
}

}  // namespace sorvane
