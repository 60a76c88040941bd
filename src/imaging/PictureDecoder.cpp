#include "PictureDecoder.h"

#include <png.h>
#include <turbojpeg.h>

#include <memory>
#include <vector>

#include "Bmp.h"
#include "PictureProbe.h"
#include "PngRows.h"
#include "Resampler.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

struct TjDeleter {
    void operator()(void* h) const { tjDestroy(h); }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

bool DecodeJpegPlanes(std::string_view bytes, int dctScale, const RgbTarget& dst) {
    TjHandle tj(tjInitDecompress());
    if (!tj) return false;
    auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto length = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(tj.get(), data, length, &width, &height, &subsamp, &colorspace) != 0)
        return false;
    if (!FitsRgbBuffer(width, height) || subsamp < 0 ||
        (colorspace != TJCS_YCbCr && colorspace != TJCS_GRAY))
        return false;
    const tjscalingfactor scale{1, dctScale};
    YccPlanes planes;
    planes.Width = TJSCALED(width, scale);
    planes.Height = TJSCALED(height, scale);
    planes.Components = subsamp == TJSAMP_GRAY ? 1 : 3;
    unsigned char* targets[3] = {};
    int strides[3] = {};
    for (int c = 0; c < planes.Components; ++c) {
        planes.PlaneWidth[c] = tjPlaneWidth(c, planes.Width, subsamp);
        planes.PlaneHeight[c] = tjPlaneHeight(c, planes.Height, subsamp);
        if (planes.PlaneWidth[c] <= 0 || planes.PlaneHeight[c] <= 0) return false;
        planes.Stride[c] = AlignedStride(static_cast<size_t>(planes.PlaneWidth[c]));
        planes.Plane[c] =
            AllocateAligned(planes.Stride[c] * static_cast<size_t>(planes.PlaneHeight[c]));
        targets[c] = planes.Plane[c].get();
        strides[c] = static_cast<int>(planes.Stride[c]);
    }
    if (tjDecompressToYUVPlanes(tj.get(), data, length, targets, planes.Width, strides,
                                planes.Height, TJFLAG_LIMITSCANS) != 0 &&
        tjGetErrorCode(tj.get()) != TJERR_WARNING)
        return false;
    ResampleYccInto(planes, dst);
    return true;
}

// CMYK as print tools store it (inverted: 0 is full ink), each colour
// darkened by the black, row by row into `out`'s size.
std::optional<RgbImage> DecodeCmyk(void* tj, std::string_view bytes, RgbImage& out) {
    const size_t rowBytes = static_cast<size_t>(out.Width()) * 4;
    auto cmyk =
        std::make_unique_for_overwrite<uint8_t[]>(rowBytes * static_cast<size_t>(out.Height()));
    if (tjDecompress2(tj, reinterpret_cast<const unsigned char*>(bytes.data()),
                      static_cast<unsigned long>(bytes.size()), cmyk.get(), out.Width(), 0,
                      out.Height(), TJPF_CMYK, TJFLAG_LIMITSCANS) != 0 &&
        tjGetErrorCode(tj) != TJERR_WARNING)
        return std::nullopt;
    for (int32_t y = 0; y < out.Height(); ++y) {
        const uint8_t* p = cmyk.get() + rowBytes * static_cast<size_t>(y);
        uint8_t* q = out.Row(y);
        for (int32_t x = 0; x < out.Width(); ++x, p += 4, q += 3)
            for (int c = 0; c < 3; ++c) q[c] = static_cast<uint8_t>(p[c] * p[3] / 255);
    }
    return std::move(out);
}

std::optional<RgbImage> DecodeJpegRgb(std::string_view bytes, int dctScale) {
    TjHandle tj(tjInitDecompress());
    if (!tj) return std::nullopt;
    auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(tj.get(), data, size, &width, &height, &subsamp, &colorspace) != 0)
        return std::nullopt;
    if (!FitsRgbBuffer(width, height)) return std::nullopt;

    const tjscalingfactor scale{1, dctScale};
    RgbImage out(TJSCALED(width, scale), TJSCALED(height, scale));
    if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK) return DecodeCmyk(tj.get(), bytes, out);
    // Limit scans so a hostile progressive file can't keep us busy for ages.
    if (tjDecompress2(tj.get(), data, size, out.Data(), out.Width(), 0, out.Height(), TJPF_RGB,
                      TJFLAG_LIMITSCANS) != 0 &&
        tjGetErrorCode(tj.get()) != TJERR_WARNING)
        return std::nullopt;
    // A warning (a truncated or slightly damaged file) still gives a picture,
    // as every viewer shows it.
    return out;
}

struct PngImage {
    png_image image{};
    PngImage() { image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image); }
};

std::optional<RgbImage> DecodePng(std::string_view bytes, uint32_t background) {
    PngImage png;
    if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size()))
        return std::nullopt;
    if (!FitsRgbBuffer(png.image.width, png.image.height)) return std::nullopt;
    RgbImage out(static_cast<int32_t>(png.image.width), static_cast<int32_t>(png.image.height));
    if (!(png.image.format & PNG_FORMAT_FLAG_ALPHA)) {
        png.image.format = PNG_FORMAT_RGB;
        if (!png_image_finish_read(&png.image, nullptr, out.Data(),
                                   static_cast<png_int_32>(out.Stride()), nullptr))
            return std::nullopt;
        return out;
    }
    // Transparency (an alpha channel or a tRNS colour) is laid over the background in
    // the picture's own encoding, as a page draws it; libpng's own composition works
    // in linear light and would not match the browser.
    png.image.format = PNG_FORMAT_RGBA;
    const size_t pixels = static_cast<size_t>(out.Width()) * static_cast<size_t>(out.Height());
    auto rgba = std::make_unique_for_overwrite<uint8_t[]>(pixels * 4);
    if (!png_image_finish_read(&png.image, nullptr, rgba.get(), 0, nullptr)) return std::nullopt;
    ComposeOver(rgba.get(), pixels, background, out.Data());
    return out;
}

// Rows with transparency laid over a colour, as the whole-picture decoders do.
class ComposedRows final : public RowSource {
  public:
    ComposedRows(RowSource& in, uint32_t background) : in_(in), background_(background) {
        Width = in.Width, Height = in.Height, Channels = 3;
        row_.resize(static_cast<size_t>(Width) * 3);
    }
    const uint8_t* Next() override {
        const uint8_t* rgba = in_.Next();
        if (!rgba) return nullptr;
        ComposeOver(rgba, static_cast<size_t>(Width), background_, row_.data());
        return row_.data();
    }

  private:
    RowSource& in_;
    uint32_t background_;
    std::vector<uint8_t> row_;
};

// A big PNG streamed into its reduction; false when it can't be (interlaced,
// damaged), and `dst` may then hold part of it.
bool StreamPngInto(std::string_view bytes, const RgbTarget& dst, uint32_t background) {
    std::unique_ptr<PngRows> rows = PngRows::Open(bytes);
    if (!rows) return false;
    if (rows->Channels == 4) {
        ComposedRows composed(*rows, background);
        ResampleInto(composed, dst);
    } else {
        ResampleInto(*rows, dst);
    }
    return true;
}

// The picture at `size`: as it came when the decoder made it so, else resampled.
RgbImage Fitted(RgbImage image, PixelSize size) {
    if (image.Width() == size.Width && image.Height() == size.Height) return image;
    return Resample(image, size.Width, size.Height);
}

std::optional<RgbImage> Fitted(std::optional<RgbImage> image, PixelSize size) {
    if (!image) return std::nullopt;
    return Fitted(std::move(*image), size);
}

}  // namespace

std::optional<RgbImage> DecodeRgb(std::string_view bytes, const PicturePlan& plan,
                                  uint32_t background) {
    const PixelSize size = plan.Decoded;
    if (bytes.empty() || !FitsRgbBuffer(size.Width, size.Height)) return std::nullopt;
    try {
        switch (plan.Route) {
            case DecodeRoute::JpegPlanes: {
                RgbImage out(size.Width, size.Height);
                try {
                    if (DecodeJpegPlanes(bytes, plan.DctScale, out.Target())) return out;
                } catch (const Error&) {
                    // A plane layout the resampler refuses: through RGB at the same scale instead.
                }
                return Fitted(DecodeJpegRgb(bytes, plan.DctScale), size);
            }
            case DecodeRoute::JpegRgb:
                return Fitted(DecodeJpegRgb(bytes, plan.DctScale), size);
            case DecodeRoute::PngRows: {
                RgbImage out(size.Width, size.Height);
                if (StreamPngInto(bytes, out.Target(), background)) return out;
                return std::nullopt;
            }
            case DecodeRoute::PngWhole:
                return Fitted(DecodePng(bytes, background), size);
            case DecodeRoute::PngRgba:
                if (std::optional<RgbaImage> rgba = DecodeRgba(bytes, plan)) {
                    RgbImage out(size.Width, size.Height);
                    rgba->ComposeInto(background, out.Target());
                    return out;
                }
                return std::nullopt;
            case DecodeRoute::BmpWhole:
                return Fitted(DecodeBmp(bytes, background), size);
        }
    } catch (const std::exception&) {
        // A codec or allocation failure: unreadable.
    }
    return std::nullopt;
}

std::optional<RgbaImage> DecodeRgba(std::string_view bytes, const PicturePlan& plan) {
    const PixelSize size = plan.Decoded;
    if (plan.Probe.Format != PictureFormat::Png || !FitsRgbBuffer(size.Width, size.Height))
        return std::nullopt;
    try {
        RgbaImage out(size.Width, size.Height);
        if (plan.Streamed) {
            std::unique_ptr<PngRows> rows = PngRows::Open(bytes);
            if (!rows || rows->Channels != 4) return std::nullopt;
            ResampleInto(*rows, out);
            return out;
        }
        PngImage png;
        if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size()) ||
            !FitsRgbBuffer(png.image.width, png.image.height))
            return std::nullopt;
        png.image.format = PNG_FORMAT_RGBA;
        if (static_cast<int64_t>(png.image.width) == size.Width &&
            static_cast<int64_t>(png.image.height) == size.Height)
            return png_image_finish_read(&png.image, nullptr, out.Data(), 0, nullptr)
                       ? std::optional<RgbaImage>(std::move(out))
                       : std::nullopt;
        RgbaImage whole(static_cast<int32_t>(png.image.width),
                        static_cast<int32_t>(png.image.height));
        if (!png_image_finish_read(&png.image, nullptr, whole.Data(), 0, nullptr))
            return std::nullopt;
        ResampleInto(whole, out);
        return out;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<RgbImage> DecodeReduced(std::string_view bytes, PixelSize size, uint32_t background) {
    const std::optional<PictureProbe> probe = ProbePicture(bytes);
    if (!probe) return std::nullopt;
    return DecodeRgb(bytes, PlanDecoding(*probe, size), background);
}

std::optional<RgbImage> DecodePicture(std::string_view bytes, PixelSize atLeast,
                                      uint32_t background) {
    const std::optional<PictureProbe> probe = ProbePicture(bytes);
    if (!probe) return std::nullopt;
    PicturePlan plan = PlanDecoding(*probe, probe->Stored());
    if (probe->Format == PictureFormat::Jpeg) {
        plan.DctScale = DctScaleFor(probe->Stored(), atLeast);
        const int s = plan.DctScale;
        plan.Decoded = {(probe->Width + s - 1) / s, (probe->Height + s - 1) / s};
    }
    return DecodeRgb(bytes, plan, background);
}

}  // namespace sorvane
