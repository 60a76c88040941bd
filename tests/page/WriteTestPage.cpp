// Writes a slide-show page with the program's own page generator, so the
// browser tests exercise exactly what users get.
//
//   write_test_page TEMPLATE FOLDER [--color RRGGBB|none] [--duration SECONDS]
//                   [--align WORD] [--page NAME] [NAME:TRANSITION ...]
//
// The page lands in FOLDER; its pictures are expected in FOLDER/Sorvane/.
// "--color none" gives a colour that does not translate (an empty colour text).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "page/PageGenerator.h"
#include "platform/Error.h"
#include "platform/SystemColors.h"

namespace {

using namespace sorvane;

class DefaultColors : public ColorTranslator {
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

// "RRGGBB" as the page shows it -> OLE 0x00BBGGRR.
uint32_t OleFromRgbText(const std::string& text) {
    if (text == "none") return 0xFF000000u;
    const unsigned long rgb = std::stoul(text, nullptr, 16);
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

int Usage() {
    std::fputs(
        "usage: write_test_page TEMPLATE FOLDER [--color RRGGBB|none] [--duration SECONDS]\n"
        "       [--align WORD] [--page NAME] [NAME:TRANSITION ...]\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    SlideshowSettings settings;
    const std::string folder = argv[2];
    settings.BackgroundColor = 0x00000000;
    std::string page;  // empty: the installed page
    try {
        for (int i = 3; i < argc; ++i) {
            const std::string arg = argv[i];
            const bool hasValue = i + 1 < argc;
            if (arg == "--color" && hasValue) {
                settings.BackgroundColor = OleFromRgbText(argv[++i]);
            } else if (arg == "--duration" && hasValue) {
                settings.DurationText = argv[++i];
            } else if (arg == "--align" && hasValue) {
                settings.Alignment = argv[++i];
            } else if (arg == "--page" && hasValue) {
                page = argv[++i];
            } else {
                const auto colon = arg.rfind(':');
                if (colon == std::string::npos || colon == 0) return Usage();
                settings.Pictures.push_back(
                    {arg.substr(0, colon), std::stoi(arg.substr(colon + 1))});
            }
        }
        DefaultColors colors;
        NoProgress progress;
        WritePage(folder, page, settings, argv[1], colors, progress);
    } catch (const sorvane::Error& e) {
        std::fprintf(stderr, "write_test_page: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "write_test_page: bad argument (%s)\n", e.what());
        return 2;
    }
    return 0;
}
