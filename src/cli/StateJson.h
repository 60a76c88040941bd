#pragma once

#include <string>

#include "app/FormState.h"

namespace sorvane::cli {

// The form's state as one JSON line (what --show prints).
std::string StateJson(const FormState& form);

std::string JsonString(const std::string& text);

}  // namespace sorvane::cli
