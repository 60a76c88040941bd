// Times our picture preparation on a folder of pictures, and the floor (decode
// at the same DCT scale and encode the canvas, nothing else); measures the
// quality of our reductions. Driven by prepare_bench.sh.
//
//   sorvane_prepare_bench prepare W H STORE OUT   prepares every picture of STORE into OUT
//   sorvane_prepare_bench floor   W H STORE OUT   decode + encode only
//   sorvane_prepare_bench psnr    W H STORE       our reduction vs Lanczos of the full decode
//   sorvane_prepare_bench pnglevels W H STORE     PNG encoding time and size by zlib level
//   sorvane_prepare_bench again   W H STORE OUT   prepares into OUT, then (timed) again
//                                                 into OUT.new with nothing changed
//
// prepare, floor and again print "seconds peak_rss_mb" (again: of the second run,
// then how many copies it kept); psnr prints one line per picture
// and a summary line "median min".
#include <png.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "imaging/Orientation.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PictureEncoder.h"
#include "imaging/PictureJob.h"
#include "imaging/PictureProbe.h"
#include "imaging/Preparation.h"
#include "imaging/PreparedManifest.h"
#include "imaging/Resampler.h"
#include "platform/AtomicFile.h"

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

constexpr uint32_t kBackground = 0x00996633;

std::vector<std::string> PictureNames(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && FormatKeyOf(e.path().string()) != PictureFormat::Other)
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

struct Fitted {
    PictureProbe header;
    PixelSize upright, fit, rawFit;
    PicturePlacement place;
};

Fitted FitOf(const std::string& bytes, PixelSize target) {
    Fitted f;
    f.header = ProbePicture(bytes).value();
    f.upright = f.header.Upright();
    f.place = {0, 0, f.upright.Width, f.upright.Height};
    FitPicture(f.place, target, 1);
    f.fit = {f.place.Right - f.place.Left, f.place.Bottom - f.place.Top};
    f.rawFit = SwapsSides(f.header.Orientation) ? PixelSize{f.fit.Height, f.fit.Width} : f.fit;
    return f;
}

// Runs `work(i)` over the pictures on every core, as the preparation does.
template <typename Work>
void OnAllCores(size_t count, Work work) {
    std::atomic<size_t> next{0};
    std::vector<std::jthread> pool;
    for (unsigned w = 0; w < std::max(1u, std::thread::hardware_concurrency()); ++w)
        pool.emplace_back([&] {
            for (size_t i; (i = next.fetch_add(1)) < count;) work(i);
        });
}

int Floor(PixelSize target, const fs::path& store, const fs::path& out) {
    const auto names = PictureNames(store);
    RgbImage background(target.Width, target.Height);
    background.Fill(kBackground);
    OnAllCores(names.size(), [&](size_t i) {
        const PictureFormat key = FormatKeyOf(names[i]);
        const std::string bytes = ReadWholeFile((store / names[i]).string());
        const Fitted f = FitOf(bytes, target);
        auto picture = DecodePicture(bytes, f.rawFit, kBackground);
        RgbImage canvas = background.Clone();
        // Copy what fits, so the encoder sees photo content, not a flat field.
        if (picture)
            for (int32_t y = 0; y < std::min(picture->Height(), target.Height); ++y)
                std::copy_n(picture->Row(y),
                            3 * static_cast<size_t>(std::min(picture->Width(), target.Width)),
                            canvas.Row(y));
        picture.reset();
        const std::string encoded = EncodePicture(canvas, key);
        std::ofstream(out / names[i], std::ios::binary)
            .write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
    });
    return 0;
}

int Prepare(PixelSize target, const fs::path& store, const fs::path& out) {
    RgbImage background(target.Width, target.Height);
    background.Fill(kBackground);
    PictureJob job{store.string() + "/", out.string() + "/", target, 1, kBackground, &background};
    const auto results = PreparePictureList(job, PictureNames(store),
                                            std::max(1u, std::thread::hardware_concurrency()), {});
    int failed = 0;
    for (const auto& r : results) failed += r.Outcome != PictureOutcome::Prepared;
    return failed ? 1 : 0;
}

// A run with nothing changed: the copies in `out` are kept (linked), none made.
int PrepareAgain(PixelSize target, const fs::path& store, const fs::path& out, int& kept,
                 double& seconds) {
    RgbImage background(target.Width, target.Height);
    background.Fill(kBackground);
    const std::string jobKey = PreparedManifest::JobKey(target, kBackground, 1);
    const auto names = PictureNames(store);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    PictureJob job{store.string() + "/", out.string() + "/", target, 1, kBackground, &background};
    PreparedManifest made(jobKey);
    auto results = PreparePictureList(job, names, cores, {});
    for (size_t i = 0; i < names.size(); ++i)
        if (results[i].Made) made.Set(names[i], *results[i].Made);
    made.Write(job.PreparedFolder);

    const auto start = std::chrono::steady_clock::now();
    const fs::path again = out.string() + ".new";
    fs::create_directories(again);
    const PreparedManifest shown = PreparedManifest::Read(job.PreparedFolder, jobKey);
    job.ShownFolder = job.PreparedFolder;
    job.Shown = &shown;
    job.PreparedFolder = again.string() + "/";
    results = PreparePictureList(job, names, cores, {});
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    kept = 0;
    for (const auto& r : results) kept += r.Reused;
    return kept == static_cast<int>(names.size()) ? 0 : 1;
}

double Psnr(const RgbImage& a, const RgbImage& b) {
    double sum = 0;
    for (size_t i = 0; i < a.ByteCount(); ++i) {
        const double d = double(a.Data()[i]) - double(b.Data()[i]);
        sum += d * d;
    }
    const double mse = sum / static_cast<double>(a.ByteCount());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

int Quality(PixelSize target, const fs::path& store) {
    std::vector<double> reduced, stored;
    std::printf("%-24s %10s %10s %10s\n", "picture", "fit", "psnr_dB", "stored_dB");
    for (const auto& name : PictureNames(store)) {
        const PictureFormat key = FormatKeyOf(name);
        const std::string bytes = ReadWholeFile((store / name).string());
        const Fitted f = FitOf(bytes, target);
        if (f.fit.Width >= f.upright.Width && f.fit.Height >= f.upright.Height) continue;
        const auto full = DecodePicture(bytes, {f.header.Width, f.header.Height}, kBackground);
        const RgbImage reference = Resample(*full, f.rawFit.Width, f.rawFit.Height);
        const RgbImage ours = DecodeReduced(bytes, f.rawFit, kBackground).value();
        // What the stored copy holds after its rewrite: our reduction through its encoder.
        const std::string encoded = EncodePicture(ours, key);
        const auto back = DecodePicture(encoded, f.rawFit, kBackground);
        reduced.push_back(Psnr(ours, reference));
        stored.push_back(Psnr(*back, reference));
        std::printf("%-24s %5dx%-4d %10.2f %10.2f\n", name.c_str(), f.fit.Width, f.fit.Height,
                    reduced.back(), stored.back());
    }
    if (reduced.empty()) return 1;
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    };
    std::printf("summary reduced median %.2f min %.2f; stored median %.2f min %.2f\n",
                median(reduced), *std::min_element(reduced.begin(), reduced.end()), median(stored),
                *std::min_element(stored.begin(), stored.end()));
    return 0;
}

// Encoding time and size of the PNG canvases at each zlib level and filter set.
int PngLevels(PixelSize target, const fs::path& store) {
    std::vector<RgbImage> canvases;
    for (const auto& name : PictureNames(store)) {
        if (FormatKeyOf(name) != PictureFormat::Png) continue;
        const std::string bytes = ReadWholeFile((store / name).string());
        const Fitted f = FitOf(bytes, target);
        RgbImage canvas(target.Width, target.Height);
        canvas.Fill(kBackground);
        canvas.Overlay(DecodeReduced(bytes, f.rawFit, kBackground).value(), f.place.Left,
                       f.place.Top);
        canvases.push_back(std::move(canvas));
    }
    const std::pair<const char*, int> filterSets[] = {
        {"none", PNG_FILTER_NONE},
        {"sub", PNG_FILTER_SUB},
        {"up", PNG_FILTER_UP},
        {"paeth", PNG_FILTER_PAETH},
        {"up+paeth", PNG_FILTER_UP | PNG_FILTER_PAETH},
        {"all", PNG_ALL_FILTERS}};
    std::printf("%-10s %5s %9s %9s\n", "filters", "level", "seconds", "MB");
    for (const auto& [label, filters] : filterSets)
        for (const int level : {1, 2, 3, 6}) {
            const auto start = std::chrono::steady_clock::now();
            size_t bytes = 0;
            for (const auto& c : canvases) bytes += EncodePngWith(c, level, filters).size();
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("%-10s %5d %9.3f %9.2f\n", label, level, seconds, bytes / 1e6);
        }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s prepare|floor|again|psnr|pnglevels W H STORE [OUT]\n",
                     argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const PixelSize target{std::stoi(argv[2]), std::stoi(argv[3])};
    const fs::path store = argv[4];
    if (mode == "psnr") return Quality(target, store);
    if (mode == "pnglevels") return PngLevels(target, store);
    if (argc < 6) return 2;
    const fs::path out = argv[5];
    fs::create_directories(out);
    if (mode == "again") {
        int kept = 0;
        double seconds = 0;
        const int rc = PrepareAgain(target, store, out, kept, seconds);
        std::printf("%.3f %.1f %d\n", seconds, PeakRssMb(), kept);
        return rc;
    }
    const auto start = std::chrono::steady_clock::now();
    const int rc = mode == "floor" ? Floor(target, store, out) : Prepare(target, store, out);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.3f %.1f\n", seconds, PeakRssMb());
    return rc;
}
