#include "ColourProfile.h"

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <mutex>
#include <optional>

namespace sorvane {

namespace {

constexpr std::string_view kIccTag{"ICC_PROFILE\0", 12};
struct ProfileCloser {
    void operator()(void* p) const { cmsCloseProfile(p); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

}  // namespace

bool IsGreyProfile(std::string_view icc) {
    return icc.size() >= 128 && icc.substr(16, 4) == "GRAY";
}

struct ToSrgb::Transforms {
    std::string icc;
    cmsHTRANSFORM rgb = nullptr;
    // A grey profile: what each grey level becomes in sRGB, one table per
    // channel, so a grey pixel gets exactly LittleCMS's answer.
    std::optional<std::array<std::array<uint8_t, 256>, 3>> grey;
    // Building a transform costs more than applying it to a screenful, so
    // the RGBA one is built only for a picture that needs it.
    mutable std::once_flag rgbaBuilt;
    mutable cmsHTRANSFORM rgba = nullptr;
    ~Transforms() {
        if (rgb) cmsDeleteTransform(rgb);
        if (rgba) cmsDeleteTransform(rgba);
    }
};

std::optional<ToSrgb> ToSrgb::For(const std::string& icc) {
    if (icc.empty()) return std::nullopt;
    const Profile from(cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size())));
    if (!from) return std::nullopt;
    const Profile srgb(cmsCreate_sRGBProfile());
    auto t = std::make_shared<Transforms>();
    if (cmsGetColorSpace(from.get()) == cmsSigGrayData) {
        const cmsHTRANSFORM grey = cmsCreateTransform(from.get(), TYPE_GRAY_8, srgb.get(),
                                                      TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
        if (!grey) return std::nullopt;
        std::array<uint8_t, 256> levels;
        std::array<uint8_t, 256 * 3> out;
        for (int v = 0; v < 256; ++v) levels[static_cast<size_t>(v)] = static_cast<uint8_t>(v);
        cmsDoTransform(grey, levels.data(), out.data(), 256);
        cmsDeleteTransform(grey);
        bool same = true;
        auto& table = t->grey.emplace();
        for (size_t v = 0; v < 256; ++v)
            for (size_t c = 0; c < 3; ++c) {
                table[c][v] = out[v * 3 + c];
                same = same && std::abs(int{out[v * 3 + c]} - int(v)) <= 1;
            }
        if (same) return std::nullopt;
        ToSrgb result;
        result.transforms_ = std::move(t);
        return result;
    }
    if (cmsGetColorSpace(from.get()) != cmsSigRgbData) return std::nullopt;
    t->rgb =
        cmsCreateTransform(from.get(), TYPE_RGB_8, srgb.get(), TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    if (!t->rgb) return std::nullopt;
    t->icc = icc;
    // An sRGB profile maps every colour onto itself: leave such pictures alone.
    std::array<uint8_t, 9 * 9 * 9 * 3> probe, out;
    size_t k = 0;
    for (int r = 0; r < 9; ++r)
        for (int g = 0; g < 9; ++g)
            for (int b = 0; b < 9; ++b)
                for (const int v : {r, g, b})
                    probe[k++] = static_cast<uint8_t>(std::min(255, v * 32));
    cmsDoTransform(t->rgb, probe.data(), out.data(), 9 * 9 * 9);
    // Within one step everywhere is an sRGB profile told apart only by rounding.
    bool same = true;
    for (size_t i = 0; i < probe.size() && same; ++i) same = std::abs(probe[i] - out[i]) <= 1;
    if (same) return std::nullopt;
    ToSrgb result;
    result.transforms_ = std::move(t);
    return result;
}

namespace {

void ThroughTables(const std::array<std::array<uint8_t, 256>, 3>& table, uint8_t* rows,
                   size_t stride, int32_t width, int32_t height, int pixelBytes) {
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* p = rows + stride * static_cast<size_t>(y);
        for (int32_t x = 0; x < width; ++x, p += pixelBytes)
            for (size_t c = 0; c < 3; ++c) p[c] = table[c][p[c]];
    }
}

}  // namespace

void ToSrgb::Apply(const RgbTarget& pixels) const {
    if (transforms_->grey)
        return ThroughTables(*transforms_->grey, pixels.Data, pixels.Stride, pixels.Width,
                             pixels.Height, 3);
    const auto bytes = static_cast<cmsUInt32Number>(pixels.Stride);
    cmsDoTransformLineStride(transforms_->rgb, pixels.Data, pixels.Data,
                             static_cast<cmsUInt32Number>(pixels.Width),
                             static_cast<cmsUInt32Number>(pixels.Height), bytes, bytes, 0, 0);
}

void ToSrgb::ApplyRgba(uint8_t* rows, size_t stride, int32_t width, int32_t height) const {
    const Transforms& t = *transforms_;
    if (t.grey) return ThroughTables(*t.grey, rows, stride, width, height, 4);
    std::call_once(t.rgbaBuilt, [&] {
        const Profile from(
            cmsOpenProfileFromMem(t.icc.data(), static_cast<cmsUInt32Number>(t.icc.size())));
        const Profile srgb(cmsCreate_sRGBProfile());
        if (from)
            t.rgba = cmsCreateTransform(from.get(), TYPE_RGBA_8, srgb.get(), TYPE_RGBA_8,
                                        INTENT_PERCEPTUAL, cmsFLAGS_COPY_ALPHA);
    });
    if (!t.rgba) return;
    const auto bytes = static_cast<cmsUInt32Number>(stride);
    cmsDoTransformLineStride(t.rgba, rows, rows, static_cast<cmsUInt32Number>(width),
                             static_cast<cmsUInt32Number>(height), bytes, bytes, 0, 0);
}

std::string WithJpegIccProfile(std::string jpeg, std::string_view icc) {
    if (icc.empty() || jpeg.size() < 4) return jpeg;
    // After SOI and a JFIF APP0, where readers look for it.
    size_t at = 2;
    if (static_cast<unsigned char>(jpeg[2]) == 0xFF &&
        static_cast<unsigned char>(jpeg[3]) == 0xE0 && jpeg.size() > 6)
        at = 4 + (size_t{static_cast<unsigned char>(jpeg[4])} << 8 |
                  static_cast<unsigned char>(jpeg[5]));
    constexpr size_t kPiece = 65519;  // a segment's 65533 bytes less the tag and numbering
    const size_t count = (icc.size() + kPiece - 1) / kPiece;
    if (count > 255) return jpeg;
    std::string segments;
    for (size_t i = 0; i < count; ++i) {
        const std::string_view piece = icc.substr(i * kPiece, kPiece);
        const size_t length = 2 + kIccTag.size() + 2 + piece.size();
        segments += "\xFF\xE2";
        segments += static_cast<char>(length >> 8);
        segments += static_cast<char>(length & 0xFF);
        segments += kIccTag;
        segments += static_cast<char>(i + 1);
        segments += static_cast<char>(count);
        segments += piece;
    }
    jpeg.insert(std::min(at, jpeg.size()), segments);
    return jpeg;
}

}  // namespace sorvane
