#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SlideshowSettings.h"

namespace sorvane {

// The list never holds more entries than a 16-bit position can reach.
constexpr size_t MaxPictureEntries = 32767;

// What a config.dat text yields. Reading goes line by line and stops at the
// first line it cannot use, so a field is set only when its line was reached
// and taken; later fields are then unset.
struct ConfigFileContents {
    std::optional<uint32_t> BackgroundColor;  // OLE colour
    std::optional<std::string> DurationText;
    std::optional<std::string> Alignment;
    std::vector<PictureEntry> Pictures;
    // Picture lines passed over: no "|", or a name that is not a bare file name.
    int SkippedLines = 0;
};

// Splits at CR LF only and applies the stop rules: no CR LF at all gives
// nothing; a first line that is not a number ends reading there.
ConfigFileContents ParseConfigFile(std::string_view text);

// Why `text` (parsed as `parsed`) is not what we or the original program
// write: NUL bytes, no colour number first, a line that is no picture entry,
// or a last line without its line end (a file cut short). "" when it is, and
// for an empty file.
std::string ConfigShapeProblem(std::string_view text, const ConfigFileContents& parsed);

// The file's bytes: colour in numeric print form, duration, alignment, one
// "name|transition" line per picture, every line ending in CR LF.
std::string FormatConfigFile(const SlideshowSettings& settings);

// A number as the original's print statement writes it: a space (or the
// minus sign) before it and a space after it.
std::string PrintNumber(int32_t value);

// Whether a picture line's name may be used as a file name in the picture
// store: not empty, not "." or "..", no path separator, no NUL, no line break
// (adding refuses the same names).
bool IsBareFileName(std::string_view name);

}  // namespace sorvane
