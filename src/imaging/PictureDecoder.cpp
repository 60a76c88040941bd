#include "PictureDecoder.h"

#include <png.h>
#include <turbojpeg.h>

#include <QBuffer>
#include <memory>
#include <vector>

#include "PictureCost.h"
#include "PngRows.h"
#include "QtPicture.h"
#include "Resampler.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

struct TjDeleter {
    void operator()(void* h) const { tjDestroy(h); }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

// DCT scaling drops detail for free; keeping twice the final size leaves the
// resampler enough to avoid aliasing.
tjscalingfactor DctScaleFor(int width, int height, PixelSize atLeast) {
    for (const int denom : {8, 4, 2}) {
        const tjscalingfactor f{1, denom};
        if (static_cast<int64_t>(TJSCALED(width, f)) >= 2 * static_cast<int64_t>(atLeast.Width) &&
            static_cast<int64_t>(TJSCALED(height, f)) >= 2 * static_cast<int64_t>(atLeast.Height))
            return f;
    }
    return {1, 1};
}

bool DecodeJpegReduced(std::string_view bytes, const RgbTarget& dst) {
    const PixelSize size{dst.Width, dst.Height};
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
    const tjscalingfactor scale = DctScaleFor(width, height, size);
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

std::optional<RgbImage> DecodeJpeg(std::string_view bytes, PixelSize atLeast) {
    TjHandle tj(tjInitDecompress());
    if (!tj) return std::nullopt;
    auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(tj.get(), data, size, &width, &height, &subsamp, &colorspace) != 0)
        return std::nullopt;
    if (!FitsRgbBuffer(width, height) || colorspace == TJCS_CMYK || colorspace == TJCS_YCCK)
        return std::nullopt;

    const tjscalingfactor scale = DctScaleFor(width, height, atLeast);
    RgbImage out(TJSCALED(width, scale), TJSCALED(height, scale));
    // Limit scans so a hostile progressive file can't keep us busy for ages.
    if (tjDecompress2(tj.get(), data, size, out.Data(), out.Width(), 0, out.Height(), TJPF_RGB,
                      TJFLAG_LIMITSCANS) != 0 &&
        tjGetErrorCode(tj.get()) != TJERR_WARNING)
        return std::nullopt;
    // A warning (a truncated or slightly damaged file) still gives a picture,
    // as every viewer shows it.
    return out;
}

// The size in a PNG's header.
PixelSize HeaderSize(std::string_view bytes) {
    if (bytes.size() < 24) return {};
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + 16;
    auto be = [](const unsigned char* q) {
        return static_cast<int32_t>(uint32_t{q[0]} << 24 | uint32_t{q[1]} << 16 |
                                    uint32_t{q[2]} << 8 | q[3]);
    };
    return {be(p), be(p + 4)};
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

std::optional<QImage> ReadWithQt(std::string_view bytes, PictureFormat key) {
    QByteArray raw = RawBytes(bytes);
    QBuffer buffer(&raw);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    QImageReader reader(&buffer, QtFormatName(key));
    ConfigureReader(reader);
    const QSize size = reader.size();
    // Vet the claimed size before Qt allocates anything.
    if (size.isValid() && !FitsRgbBuffer(size.width(), std::abs(size.height())))
        return std::nullopt;
    QImage image = reader.read();
    if (image.isNull() || !FitsRgbBuffer(image.width(), image.height())) return std::nullopt;
    return image;
}

std::optional<RgbImage> DecodeWithQt(std::string_view bytes, PictureFormat key,
                                     uint32_t background) {
    const std::optional<QImage> image = ReadWithQt(bytes, key);
    if (!image) return std::nullopt;
    return FromQImage(*image, background);
}

}  // namespace

std::optional<RgbaImage> DecodePngRgba(std::string_view bytes, PixelSize size) {
    try {
        const PictureFacts facts = ReadPictureFacts(bytes);
        if (!facts.Png || !FitsRgbBuffer(size.Width, size.Height)) return std::nullopt;
        const PixelSize stored = HeaderSize(bytes);
        const bool shrink = size.Width < stored.Width || size.Height < stored.Height;
        RgbaImage out(size.Width, size.Height);
        if (StreamsRows(facts, stored, shrink)) {
            std::unique_ptr<PngRows> rows = PngRows::Open(bytes);
            if (rows && rows->Channels == 4) {
                ResampleInto(*rows, out);
                return out;
            }
        }
        PngImage png;
        if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size()) ||
            !FitsRgbBuffer(png.image.width, png.image.height))
            return std::nullopt;
        png.image.format = PNG_FORMAT_RGBA;
        if (!shrink && static_cast<int64_t>(png.image.width) == size.Width &&
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

bool DecodeReducedInto(std::string_view bytes, PictureFormat key, const RgbTarget& dst,
                       uint32_t background) {
    if (key == PictureFormat::Other || bytes.empty() || !dst.Data ||
        !FitsRgbBuffer(dst.Width, dst.Height))
        return false;
    const PixelSize size{dst.Width, dst.Height};
    try {
        if (key == PictureFormat::Jpeg) {
            try {
                if (DecodeJpegReduced(bytes, dst)) return true;
            } catch (const Error&) {
                // A plane layout the resampler refuses: go through RGB instead.
            }
            if (auto image = DecodeJpeg(bytes, size)) {
                ResampleInto(image->View(), dst);
                return true;
            }
        }
        if (key == PictureFormat::Png) {
            const PictureFacts facts = ReadPictureFacts(bytes);
            if (facts.Png && StreamsRows(facts, HeaderSize(bytes), true)) {
                try {
                    if (StreamPngInto(bytes, dst, background)) return true;
                } catch (const Error&) {
                    // Damaged part-way: the whole-picture decoder shows what it can.
                }
            }
        }
        if (key == PictureFormat::Png)
            if (auto image = DecodePng(bytes, background)) {
                ResampleInto(image->View(), dst);
                return true;
            }
        // Qt's rows are resampled where they lie: a big BMP is not copied first.
        std::optional<QImage> image = ReadWithQt(bytes, key);
        if (!image) return false;
        ResampleInto(ToRgbInPlace(*image, background), dst);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<RgbImage> DecodeReduced(std::string_view bytes, PictureFormat key, PixelSize size,
                                      uint32_t background) {
    if (!FitsRgbBuffer(size.Width, size.Height)) return std::nullopt;
    try {
        RgbImage out(size.Width, size.Height);
        if (DecodeReducedInto(bytes, key, out.Target(), background)) return out;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::optional<RgbImage> DecodePicture(std::string_view bytes, PictureFormat key, PixelSize atLeast,
                                      uint32_t background) {
    if (key == PictureFormat::Other || bytes.empty()) return std::nullopt;
    try {
        std::optional<RgbImage> image;
        if (key == PictureFormat::Jpeg) image = DecodeJpeg(bytes, atLeast);
        if (key == PictureFormat::Png) image = DecodePng(bytes, background);
        if (!image) image = DecodeWithQt(bytes, key, background);
        return image;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace sorvane
