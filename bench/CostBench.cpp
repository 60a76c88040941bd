// Times what colour management costs.
//
//   sorvane_cost_bench colour W H STORE    every picture of STORE reduced to fit
//                                          W x H and taken from Adobe RGB to sRGB
//                                          by LittleCMS and by Qt: time and agreement
#include <QColorSpace>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/ColourProfile.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PictureJob.h"
#include "imaging/PictureProbe.h"
#include "imaging/Preparation.h"

namespace fs = std::filesystem;
using namespace sorvane;
using Clock = std::chrono::steady_clock;

namespace {

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int Colour(PixelSize target, const fs::path& store) {
    const std::string adobe = QColorSpace(QColorSpace::AdobeRgb).iccProfile().toStdString();
    double lcmsSeconds = 0, qtSeconds = 0, megapixels = 0, makeSeconds = 0;
    int pictures = 0;
    int worst = 0;
    double differing = 0;
    std::printf("%-24s %9s %9s %9s %8s\n", "picture", "size", "lcms_ms", "qt_ms", "max_diff");
    std::vector<fs::path> paths;
    for (const auto& e : fs::directory_iterator(store)) paths.push_back(e.path());
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        const auto header = ProbePicture(bytes);
        if (!header) continue;
        PicturePlacement place{0, 0, header->Width, header->Height};
        FitPicture(place, target, 1);
        auto reduced = DecodeReduced(
            bytes, {std::max(1, place.Right - place.Left), std::max(1, place.Bottom - place.Top)},
            0);
        if (!reduced) continue;
        RgbImage ours = reduced->Clone();
        auto start = Clock::now();
        const auto transform = ToSrgb::For(adobe);
        const double made = Since(start);
        start = Clock::now();
        transform->Apply(ours.Target());
        const double lcms = Since(start);
        makeSeconds += made;

        QImage qt(reduced->Data(), reduced->Width(), reduced->Height(),
                  static_cast<qsizetype>(reduced->Stride()), QImage::Format_RGB888);
        qt.setColorSpace(QColorSpace::AdobeRgb);
        start = Clock::now();
        const QImage converted = qt.convertedToColorSpace(QColorSpace::SRgb);
        const double qtTime = Since(start);

        int pictureWorst = 0;
        size_t off = 0;
        const QImage rgb = converted.convertToFormat(QImage::Format_RGB888);
        for (int32_t y = 0; y < ours.Height(); ++y) {
            const uint8_t* a = ours.Row(y);
            const uint8_t* b = rgb.constScanLine(y);
            for (int32_t x = 0; x < ours.Width() * 3; ++x) {
                const int d = std::abs(a[x] - b[x]);
                pictureWorst = std::max(pictureWorst, d);
                off += d > 1;
            }
        }
        const double mp = ours.Width() * double(ours.Height()) / 1e6;
        differing += double(off) / 3;
        worst = std::max(worst, pictureWorst);
        lcmsSeconds += lcms, qtSeconds += qtTime, megapixels += mp, ++pictures;
        std::printf("%-24s %4dx%-4d %9.2f %9.2f %8d\n", path.filename().string().c_str(),
                    ours.Width(), ours.Height(), lcms * 1e3, qtTime * 1e3, pictureWorst);
    }
    std::printf(
        "total: %.1f MP; LittleCMS %.1f ms/MP plus %.1f ms a picture to build its transform, "
        "Qt %.1f ms/MP (Qt/LittleCMS %.2f); largest difference %d, %.3f %% of samples off by "
        "more than 1\n",
        megapixels, lcmsSeconds * 1e3 / megapixels, makeSeconds * 1e3 / pictures,
        qtSeconds * 1e3 / megapixels, qtSeconds / lcmsSeconds, worst,
        100 * differing / (megapixels * 1e6));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "colour" && argc == 5)
        return Colour({std::stoi(argv[2]), std::stoi(argv[3])}, argv[4]);
    std::fprintf(stderr, "usage: %s colour W H STORE\n", argv[0]);
    return 2;
}
