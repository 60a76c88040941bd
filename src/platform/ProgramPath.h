#pragma once

#include <string>

namespace sorvane {

// The full path of the running program's executable; "" when the system
// does not tell.
std::string ProgramPath();

// The executable's file name without folder and extension ("registry_tests"
// for registry_tests.exe); "" when unknown.
std::string ProgramName();

}  // namespace sorvane
