#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sorvane::cli {

struct Action {
    std::string Name;               // "add", "select", "apply", ...
    std::vector<std::string> Args;  // its values
};

struct Arguments {
    std::optional<Rect> WorkArea;
    int Answer = 0;  // overwrite answer: 0 no, 1 yes, 2 no-to-all, 3 yes-to-all
    bool NoBrowser = false;
    bool Help = false;
    bool Version = false;
    std::vector<Action> Actions;
};

// Throws std::invalid_argument with a readable message on a usage error.
Arguments ParseArguments(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace sorvane::cli
