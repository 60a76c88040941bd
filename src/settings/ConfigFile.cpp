#include "settings/ConfigFile.h"

#include "platform/NumberText.h"
#include "platform/Translate.h"

namespace sorvane {

namespace {

constexpr std::string_view LineEnd = "\r\n";

// Hands out the pieces of a text split at CR LF, the last piece being what
// follows the final CR LF (empty when the text ends with one).
class Pieces {
  public:
    explicit Pieces(std::string_view text) : rest_(text) {}
    bool Next(std::string_view& piece) {
        if (done_) return false;
        const size_t end = rest_.find(LineEnd);
        if (end == std::string_view::npos) {
            piece = rest_;
            done_ = true;
        } else {
            piece = rest_.substr(0, end);
            rest_.remove_prefix(end + LineEnd.size());
        }
        return true;
    }

  private:
    std::string_view rest_;
    bool done_ = false;
};

}  // namespace

bool IsBareFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0\r\n", 5)) == std::string_view::npos;
}

ConfigFileContents ParseConfigFile(std::string_view text) {
    ConfigFileContents out;
    // A text without a single line end is not a configuration at all.
    if (text.find(LineEnd) == std::string_view::npos) return out;
    Pieces pieces(text);
    std::string_view piece;

    pieces.Next(piece);
    const auto color = ParseInt32(piece);
    if (!color) return out;
    out.BackgroundColor = static_cast<uint32_t>(*color);

    pieces.Next(piece);
    out.DurationText = std::string(piece);

    if (!pieces.Next(piece)) return out;
    out.Alignment = std::string(piece);

    while (pieces.Next(piece)) {
        if (piece.empty()) continue;
        // The number never holds a bar, so the last one separates: Linux file
        // names may contain bars themselves.
        const size_t bar = piece.rfind('|');
        if (bar == std::string_view::npos || !IsBareFileName(piece.substr(0, bar)) ||
            out.Pictures.size() >= MaxPictureEntries) {
            ++out.SkippedLines;
            continue;
        }
        PictureEntry entry;
        entry.FileName = std::string(piece.substr(0, bar));
        entry.TransitionIndex = ParseInt32(piece.substr(bar + 1)).value_or(0);
        out.Pictures.push_back(std::move(entry));
    }
    return out;
}

std::string ConfigShapeProblem(std::string_view text, const ConfigFileContents& parsed) {
    if (text.empty()) return {};
    if (text.find('\0') != std::string_view::npos)
        return SORVANE_TR("Sorvane", "it holds NUL bytes");
    if (!parsed.BackgroundColor) return SORVANE_TR("Sorvane", "its first line is no colour");
    if (!text.ends_with(LineEnd)) return SORVANE_TR("Sorvane", "its last line is cut short");
    if (parsed.SkippedLines > 0)
        return TrArg(SORVANE_TR("Sorvane", "%1 of its lines are no picture entries"),
                     {std::to_string(parsed.SkippedLines)});
    return {};
}

std::string PrintNumber(int32_t value) {
    return (value < 0 ? "" : " ") + std::to_string(value) + " ";
}

std::string FormatConfigFile(const SlideshowSettings& settings) {
    std::string out;
    out.reserve(64 + settings.Pictures.size() * 24);
    auto line = [&out](std::string_view text) {
        out += text;
        out += LineEnd;
    };
    line(PrintNumber(static_cast<int32_t>(settings.BackgroundColor)));
    line(settings.DurationText);
    line(settings.Alignment);
    for (const PictureEntry& entry : settings.Pictures)
        line(entry.FileName + "|" + std::to_string(entry.TransitionIndex));
    return out;
}

}  // namespace sorvane
