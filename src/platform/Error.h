#pragma once

#include <stdexcept>
#include <string>

namespace sorvane {

// The one exception type that crosses our own boundaries: codecs, the registry
// store and file writes all report through it. `Number` and `Source` carry the
// registry accessor's error identity; other callers leave them at 0 / "".
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& description, long number = 0, std::string source = {})
        : std::runtime_error(description), Number(number), Source(std::move(source)) {}

    long Number;
    std::string Source;
    std::string Description() const { return what(); }
};

}  // namespace sorvane
