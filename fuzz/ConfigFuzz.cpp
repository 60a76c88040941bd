// config.dat as the program reads it: whatever it takes in, it writes back
// and reads again the same.
#include <cstdlib>
#include <string_view>

#include "settings/ConfigFile.h"

using namespace sorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ConfigFileContents read = ParseConfigFile(text);
    if (read.Pictures.size() > MaxPictureEntries) std::abort();
    for (const PictureEntry& entry : read.Pictures)
        if (!IsBareFileName(entry.FileName)) std::abort();
    if (!read.BackgroundColor || !read.DurationText || !read.Alignment) return 0;

    SlideshowSettings settings;
    settings.BackgroundColor = *read.BackgroundColor;
    settings.DurationText = *read.DurationText;
    settings.Alignment = *read.Alignment;
    settings.Pictures = read.Pictures;
    const ConfigFileContents again = ParseConfigFile(FormatConfigFile(settings));
    if (again.BackgroundColor != read.BackgroundColor || again.Pictures != read.Pictures)
        std::abort();
    return 0;
}
