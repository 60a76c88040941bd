#include "PictureHeader.h"

#include "platform/AtomicFile.h"

namespace sorvane {

namespace {

// A header lies in the first bytes; a file whose header reaches further (big
// profiles, thumbnails) is read whole on a second try.
constexpr size_t kHeaderBytes = 256 * 1024;

std::optional<std::string> ReadStart(const std::string& path) {
    return ReadFileStart(path, kHeaderBytes);
}

std::optional<PictureProbe> ProbeAnyName(const std::string& path) {
    const std::optional<std::string> start = ReadStart(path);
    if (!start) return std::nullopt;
    if (std::optional<PictureProbe> probe = ProbePicture(*start)) return probe;
    if (start->size() < kHeaderBytes) return std::nullopt;
    const std::optional<std::string> whole = ReadWholeFileIfPossible(path);
    return whole ? ProbePicture(*whole) : std::nullopt;
}

std::optional<PixelSize> GifSize(const std::string& path) {
    const std::optional<std::string> start = ReadStart(path);
    if (!start || start->size() < 10 ||
        (start->substr(0, 6) != "GIF87a" && start->substr(0, 6) != "GIF89a"))
        return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(start->data());
    const PixelSize size{p[6] | p[7] << 8, p[8] | p[9] << 8};
    if (size.Width <= 0 || size.Height <= 0) return std::nullopt;
    return size;
}

}  // namespace

std::optional<PictureProbe> ProbePictureFile(const std::string& path) {
    if (FormatKeyOf(path) == PictureFormat::Other) return std::nullopt;
    return ProbeAnyName(path);
}

std::optional<PixelSize> ReadPictureSize(const std::string& path, bool anyFormat) {
    if (FormatKeyOf(path) == PictureFormat::Other && !anyFormat) return std::nullopt;
    if (const std::optional<PictureProbe> probe = ProbeAnyName(path)) return probe->Upright();
    if (FormatKeyOf(path) == PictureFormat::Other) return GifSize(path);
    return std::nullopt;
}

}  // namespace sorvane
