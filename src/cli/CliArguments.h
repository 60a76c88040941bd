#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Platform.h"

namespace sorvane::cli {

struct Action {
    std::string Name;               // "add", "select", "apply", ...
    std::vector<std::string> Args;  // its values
};

struct Arguments {
    std::optional<Rect> WorkArea;
    OverwriteAnswer Answer = OverwriteAnswer::No;
    bool NoBrowser = false;
    bool Help = false;
    bool Version = false;
    std::vector<Action> Actions;
};

// Throws std::invalid_argument with a readable message on a usage error.
Arguments ParseArguments(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace sorvane::cli
