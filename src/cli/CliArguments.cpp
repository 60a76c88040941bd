#include "CliArguments.h"

#include <charconv>
#include <set>
#include <stdexcept>

namespace sorvane::cli {

namespace {

const std::set<std::string> NoValue = {"remove",  "move-up",       "move-down",    "apply", "ok",
                                       "preview", "set-wallpaper", "stop-desktop", "show"};
const std::set<std::string> OneValue = {"add-folder", "select",   "transition",
                                        "color",      "duration", "align"};

int ParseInt(const std::string& text, const std::string& what) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument(what + ": \"" + text + "\" is not a whole number");
    return value;
}

Rect ParseWorkArea(const std::string& text) {
    int v[4];
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(',', pos);
        if ((i < 3) != (comma != std::string::npos))
            throw std::invalid_argument("--work-area wants L,T,R,B");
        v[i] =
            ParseInt(text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos),
                     "--work-area");
        pos = comma + 1;
    }
    if (v[2] < v[0])
        throw std::invalid_argument("--work-area: the right edge lies left of the left edge");
    if (v[3] < v[1]) throw std::invalid_argument("--work-area: the bottom lies above the top");
    return {v[0], v[1], v[2], v[3]};
}

OverwriteAnswer ParseAnswer(const std::string& text) {
    if (text == "no") return OverwriteAnswer::No;
    if (text == "yes") return OverwriteAnswer::Yes;
    if (text == "no-to-all") return OverwriteAnswer::NoToAll;
    if (text == "yes-to-all") return OverwriteAnswer::YesToAll;
    throw std::invalid_argument("--answer wants no, yes, no-to-all or yes-to-all");
}

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& args) {
    Arguments out;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const std::string& opt) -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(opt + " needs a value");
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            out.Help = true;
        } else if (a == "--version") {
            out.Version = true;
        } else if (a == "--work-area") {
            out.WorkArea = ParseWorkArea(value(a));
        } else if (a == "--answer") {
            out.Answer = ParseAnswer(value(a));
        } else if (a == "--no-browser") {
            out.NoBrowser = true;
        } else if (a == "--add") {
            Action act{"add", {}};
            while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0)
                act.Args.push_back(args[++i]);
            if (act.Args.empty()) throw std::invalid_argument("--add needs at least one file");
            out.Actions.push_back(std::move(act));
        } else if (a.rfind("--", 0) == 0 && NoValue.count(a.substr(2))) {
            out.Actions.push_back({a.substr(2), {}});
        } else if (a.rfind("--", 0) == 0 && OneValue.count(a.substr(2))) {
            const std::string name = a.substr(2);
            const std::string& v = value(a);
            if (name == "align" && v != "left" && v != "center" && v != "right")
                throw std::invalid_argument("--align wants left, center or right");
            out.Actions.push_back({name, {v}});
        } else {
            throw std::invalid_argument("unknown argument \"" + a + "\"");
        }
    }
    return out;
}

std::string UsageText() {
    return R"(Usage: desktop-sorvane-cli [--work-area L,T,R,B] [--answer no|yes|no-to-all|yes-to-all]
                           [--no-browser] ACTION...
Runs the Desktop Sorvane window's own start-up, then the actions in order as
clicks on the window, then its closing.

  --add FILE...        one click of Add Picture choosing these files (several: one folder)
  --add-folder DIR     one click of Add Folder, DIR accepted
  --select I[,J...]    select these entries (0-based), the first one current
  --transition N|NAME  pick this transition in the transition box (select a picture first)
  --remove | --move-up | --move-down
  --color N            background colour, decimal or 0x hex (OLE colour)
  --duration TEXT      view duration in seconds
  --align left|center|right
  --apply | --ok | --preview | --set-wallpaper
  --stop-desktop       turn the desktop slide show off (host, wallpaper, login entry)
  --show               print the state as one JSON line

  --work-area L,T,R,B  use this work area instead of the screen's
  --answer ANSWER      answer to every overwrite question (default no)
  --no-browser         open no browser, mail program or desktop host
  --help, --version

Exit status: 0 every action ran, 1 one failed (its message on stderr), 2 usage error.
)";
}

}  // namespace sorvane::cli
