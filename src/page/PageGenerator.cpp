#include "PageGenerator.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <locale>

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Translate.h"

namespace sorvane {

namespace {

constexpr std::string_view Crlf = "\r\n";

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::string Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

char LocaleDecimalPoint() {
    try {
        return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
    } catch (const std::exception&) {
        return '.';
    }
}

}  // namespace

std::string PageUrlEscape(std::string_view name) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(name.size());
    for (unsigned char c : name) {
        if (IsUnreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 0xF];
        }
    }
    return out;
}

std::string ScriptStringEscape(std::string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c == '"' || c == '\'' || c == '\\' || c == '<' || c == '>' || c == '&' || c < 0x20 ||
            c == 0x7F) {
            out += "\\x";
            out += Hex[c >> 4];
            out += Hex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string ReplaceAll(std::string text, std::string_view marker, std::string_view value) {
    if (marker.empty()) return text;
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    for (size_t hit; (hit = text.find(marker, pos)) != std::string::npos;
         pos = hit + marker.size()) {
        out.append(text, pos, hit - pos);
        out.append(value);
    }
    out.append(text, pos, std::string::npos);
    return out;
}

std::string ImageArrayText(const std::vector<PictureEntry>& pictures) {
    std::string out;
    for (size_t i = 0; i < pictures.size(); ++i) {
        out += "Img[" + std::to_string(i) + "] = new ImageData(\"";
        out += PageUrlEscape(pictures[i].FileName);
        out += "\", " + std::to_string(pictures[i].TransitionIndex) + ");";
        out += Crlf;
    }
    out += "var ImageCount = " + std::to_string(static_cast<long long>(pictures.size()) - 1);
    out += Crlf;
    return out;
}

std::string IntervalText(const std::string& durationText, char decimalPoint) {
    // Read as the user writes numbers. config.dat keeps the text as typed, so
    // a show saved under a locale with the other separator must still build:
    // when the locale's separator is absent, a single "." or "," is the
    // decimal point. Two of them, or both kinds, make it "not a number" (a
    // thousands separator would not run on the page).
    std::string s = Trim(durationText);
    const char other = decimalPoint == ',' ? '.' : ',';
    const auto count = [&s](char c) { return std::count(s.begin(), s.end(), c); };
    const char point = count(decimalPoint) == 0 && count(other) == 1 ? other : decimalPoint;
    for (char& c : s) {
        if (c == point)
            c = '.';
        else if (c == '.' || c == ',')
            c = '\x01';  // no decimal separator here
    }
    if (!s.empty() && s.front() == '+') s.erase(0, 1);
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        throw Error(
            TrArg(SORVANE_TR("Sorvane", "The view duration \"%1\" is not a number of seconds."),
                  {durationText}));
    const double ms = value * 1000.0;
    if (!std::isfinite(ms))
        throw Error(
            TrArg(SORVANE_TR("Sorvane", "The view duration \"%1\" is too large."), {durationText}));
    // The general number form: 15 significant digits, so 1.005 s is 1005 and
    // not 1004.9999999999999, and no exponent below 1e15.
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, ms == 0 ? 0.0 : ms, std::chars_format::general, 15);
    return std::string(buf, res.ptr);
}

std::string IntervalText(const std::string& durationText) {
    return IntervalText(durationText, LocaleDecimalPoint());
}

std::string FormatPageColor(uint32_t oleColor, ColorTranslator& colors) {
    const auto rgb = colors.Translate(oleColor);
    if (!rgb) return {};
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out = "#";
    for (int shift : {0, 8, 16}) {
        const unsigned byte = (*rgb >> shift) & 0xFF;
        out += Hex[byte >> 4];
        out += Hex[byte & 0xF];
    }
    return out;
}

std::string ComposePage(const SlideshowSettings& settings, const std::string& templatePath,
                        ColorTranslator& colors, Progress& progress) {
    progress.SetLabel(SORVANE_TR("Sorvane", "Creating Sorvane.html..."));
    progress.SetMaximum(100);
    progress.Repaint();

    std::string text;
    try {
        text = ReadWholeFile(templatePath);
    } catch (const Error&) {
        throw Error(
            TrArg(SORVANE_TR("Sorvane", "The page template \"%1\" is missing or cannot be read."),
                  {templatePath}));
    }

    const std::string imageArray = ImageArrayText(settings.Pictures);
    progress.SetValue(50);

    const std::string interval = IntervalText(settings.DurationText);
    const std::string firstImage =
        "Sorvane/" + (settings.Pictures.empty()
                          ? std::string()
                          : PageUrlEscape(settings.Pictures.front().FileName));
    // The prepared copies fall back to the same grey.
    std::string color = FormatPageColor(settings.BackgroundColor, colors);
    if (color.empty()) color = FormatPageColor(FallbackBackgroundColor, colors);
    text = ReplaceAll(std::move(text), "<!-- Image Array -->", imageArray);
    text = ReplaceAll(std::move(text), "<!-- Interval -->", interval);
    text = ReplaceAll(std::move(text), "<!-- Color -->", color);
    text = ReplaceAll(std::move(text), "<!-- First Image -->", firstImage);
    // The word comes from config.dat as stored; the page's script gets it escaped.
    text =
        ReplaceAll(std::move(text), "<!-- Alignment -->", ScriptStringEscape(settings.Alignment));
    text += Crlf;
    return text;
}

void WritePage(const std::string& pageFolder, const std::string& fileName,
               const SlideshowSettings& settings, const std::string& templatePath,
               ColorTranslator& colors, Progress& progress) {
    const std::string text = ComposePage(settings, templatePath, colors, progress);
    const std::string name = fileName.empty() ? std::string(InstalledPageName) : fileName;
    if (pageFolder.empty())
        throw Error(SORVANE_TR("Sorvane",
                               "The pictures folder is not known, so the page cannot be written."));
    WriteFileAtomically(pageFolder + "/" + name, text);
    progress.SetValue(0);
}

}  // namespace sorvane
