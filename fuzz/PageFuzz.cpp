// The page generator on settings as a config.dat gives them, and its escapes
// on any text: nothing a name or a duration holds may end a script string or
// open markup.
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "page/PageGenerator.h"
#include "platform/Error.h"
#include "platform/SystemColors.h"
#include "settings/ConfigFile.h"

using namespace sorvane;

namespace {

class TableColors : public ColorTranslator {
  public:
    std::optional<uint32_t> Translate(uint32_t ole) override {
        return TranslateOleColor(ole, DefaultSystemColors());
    }
};

class NoProgress : public Progress {
  public:
    void SetLabel(const std::string&) override {}
    void SetMaximum(int) override {}
    void SetValue(int) override {}
    void Repaint() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char c : ScriptStringEscape(text))
        if (c == '"' || c == '\'' || c == '<' || c == '>' || c == '&' || c == '\n' || c == '\r')
            std::abort();
    for (const char c : PageUrlEscape(text))
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_' ||
              c == '~' || c == '%'))
            std::abort();

    const ConfigFileContents read = ParseConfigFile(text);
    SlideshowSettings settings;
    settings.BackgroundColor = read.BackgroundColor.value_or(0);
    settings.DurationText = read.DurationText.value_or("6");
    settings.Alignment = read.Alignment.value_or("");
    settings.Pictures = read.Pictures;
    TableColors colors;
    NoProgress progress;
    try {
        ComposePage(settings, SORVANE_TEMPLATE, colors, progress);
    } catch (const Error&) {
        // A duration that is not a number: refused, as the program refuses it.
    }
    return 0;
}
