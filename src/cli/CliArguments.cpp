#include "CliArguments.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <utility>
#include <vector>

#include "CliActions.h"

namespace sorvane::cli {

namespace {

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

// Whether `word` is one of the "|"-separated words of `list`.
bool Listed(std::string_view list, std::string_view word) {
    for (size_t pos = 0; pos <= list.size();) {
        const size_t bar = std::min(list.find('|', pos), list.size());
        if (list.substr(pos, bar - pos) == word) return true;
        pos = bar + 1;
    }
    return false;
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
        } else if (const ActionSpec* spec = a.rfind("--", 0) == 0
                                                ? FindAction(std::string_view(a).substr(2))
                                                : nullptr) {
            Action act{std::string(spec->Name), {}};
            if (spec->Value == Takes::Values) {
                while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0)
                    act.Args.push_back(args[++i]);
                if (act.Args.empty())
                    throw std::invalid_argument(a + " needs at least one " +
                                                std::string(spec->ValueName));
            } else if (spec->Value == Takes::OneValue) {
                act.Args.push_back(value(a));
                if (spec->OnlyListed && !Listed(spec->ValueName, act.Args[0]))
                    throw std::invalid_argument(a + " wants one of " +
                                                std::string(spec->ValueName));
            }
            out.Actions.push_back(std::move(act));
        } else {
            throw std::invalid_argument("unknown argument \"" + a + "\"");
        }
    }
    return out;
}

std::string UsageText() {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const ActionSpec& spec : ActionTable())
        rows.emplace_back("--" + std::string(spec.Name) +
                              (spec.ValueName.empty() ? "" : " " + std::string(spec.ValueName)),
                          spec.Help);
    rows.emplace_back("", "");
    rows.emplace_back("--work-area L,T,R,B",
                      "use this work area instead of the screen's, for this run only:\n"
                      "no size worked out from it is kept");
    rows.emplace_back("--answer ANSWER", "answer to every overwrite question (default no)");
    rows.emplace_back("--no-browser", "open no browser, mail program or desktop host");
    rows.emplace_back("--help, --version", "");
    size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    const std::string indent(width + 4, ' ');

    std::string text =
        "Usage: desktop-sorvane-cli [--work-area L,T,R,B] "
        "[--answer no|yes|no-to-all|yes-to-all]\n"
        "                           [--no-browser] ACTION...\n"
        "Runs the Desktop Sorvane window's own start-up, then the actions in order as\n"
        "what a user does in the window, then its closing. A run of --show alone\n"
        "saves nothing.\n\n";
    for (const auto& [left, help] : rows) {
        std::string line = left.empty() ? "" : "  " + left;
        if (!help.empty()) {
            line.resize(indent.size(), ' ');
            for (const char c : help) line += c == '\n' ? "\n" + indent : std::string(1, c);
        }
        text += line + "\n";
    }
    text +=
        "\nExit status: 0 every action ran, 1 one failed (its message on stderr), 2 usage "
        "error.\n";
    return text;
}

}  // namespace sorvane::cli
