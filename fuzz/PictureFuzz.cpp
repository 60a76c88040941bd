// One picture decoder, as preparation meets it: the probe, then a
// whole preparation on a small canvas (decoding, reducing, colour, the
// stored and prepared copies), and for PNG the row-by-row reader that big
// pictures take. Built once per format.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string_view>

#include "imaging/ColourProfile.h"
#include "imaging/PictureJob.h"
#include "imaging/PictureProbe.h"
#include "imaging/PngRows.h"

using namespace sorvane;

namespace {

#if defined(SORVANE_FUZZ_jpeg)
constexpr const char* kName = "picture.jpg";
#elif defined(SORVANE_FUZZ_png)
constexpr const char* kName = "picture.png";
#else
constexpr const char* kName = "picture.bmp";
#endif

// Giants are the memory budget's business (its tests cover them); here they
// would only slow the search.
constexpr int64_t kMaxPixels = 16'000'000;

struct Folders {
    Folders() {
        root =
            std::filesystem::temp_directory_path() / ("sorvane-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root / "store");
        std::filesystem::create_directories(root / "prepared");
        background.Fill(0x00996633);
    }
    ~Folders() { std::filesystem::remove_all(root); }
    std::filesystem::path root;
    RgbImage background{64, 48};
};

void StreamPng(std::string_view bytes) {
    std::unique_ptr<PngRows> rows = PngRows::Open(bytes);
    if (!rows || static_cast<int64_t>(rows->Width) * rows->Height > kMaxPixels) return;
    try {
        if (rows->Channels == 4) {
            RgbaImage out(16, 12);
            ResampleInto(*rows, out);
        } else {
            RgbImage out(16, 12);
            ResampleInto(*rows, out.Target());
        }
    } catch (const std::exception&) {
        // A damaged file ends the rows early: refused, as the decoder refuses it.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folders folders;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<PictureProbe> header = ProbePicture(bytes);
    if (header && header->Icc.size() < 1'000'000) ToSrgb::For(header->Icc);
    StreamPng(bytes);
    if (!header || static_cast<int64_t>(header->Width) * header->Height > kMaxPixels) return 0;

    std::ofstream(folders.root / "store" / kName, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const PictureJob job{(folders.root / "store").string() + "/",
                         (folders.root / "prepared").string() + "/",
                         {64, 48},
                         1,
                         0x00996633,
                         &folders.background};
    PreparePicture(job, kName);
    return 0;
}
