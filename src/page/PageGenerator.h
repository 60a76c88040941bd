#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "settings/SlideshowSettings.h"

namespace sorvane {

// The installed page's file name.
inline constexpr std::string_view InstalledPageName = "Sorvane.html";

// Writes the slide-show page `fileName` (a bare name; empty for the installed
// page) in `pageFolder` from the template. Throws sorvane::Error (template
// unreadable, duration not a number, folder unknown, page not writable); the
// old page then stays as it was.
void WritePage(const std::string& pageFolder, const std::string& fileName,
               const SlideshowSettings& settings, const std::string& templatePath,
               ColorTranslator& colors, Progress& progress);

// The page's text from the template and the settings, without writing it.
// Throws sorvane::Error (template unreadable, duration not a number).
std::string ComposePage(const SlideshowSettings& settings, const std::string& templatePath,
                        ColorTranslator& colors, Progress& progress);

// "#RRGGBB" for an OLE colour, or "" when the colour does not translate.
std::string FormatPageColor(uint32_t oleColor, ColorTranslator& colors);

// The view duration in milliseconds, as the page's script reads it ("." as
// decimal separator). The text is read with the given decimal separator (the
// user's locale), or the other of "." and "," when that appears alone; throws
// sorvane::Error when it is not a number.
std::string IntervalText(const std::string& durationText, char decimalPoint);
std::string IntervalText(const std::string& durationText);  // the user's locale

// A text as it may stand inside a script string of either quote, and inside
// the page's markup: quotes, backslashes, "<", ">", "&" and control
// characters escaped; the rest (UTF-8 included) as it is.
std::string ScriptStringEscape(std::string_view text);

// One "Img[i] = new ImageData(...)" line per entry and "var ImageCount = n".
std::string ImageArrayText(const std::vector<PictureEntry>& pictures);

// A file name as it may stand inside the page's script and markup: every byte
// outside A-Z a-z 0-9 - . _ ~ percent-encoded.
std::string PageUrlEscape(std::string_view name);

// Every occurrence of `marker` replaced by `value`.
std::string ReplaceAll(std::string text, std::string_view marker, std::string_view value);

}  // namespace sorvane
