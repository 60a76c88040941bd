#include "PictureEncoder.h"

#include <png.h>
#include <turbojpeg.h>

#include <csetjmp>
#include <memory>

#include "Bmp.h"
#include "ColourProfile.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

struct TjDeleter {
    void operator()(void* h) const { tjDestroy(h); }
};
struct TjFree {
    void operator()(unsigned char* p) const { tjFree(p); }
};

// A grey profile describes grey pictures only: a copy whose pixels are all
// grey is written grey, as its original was, and the profile is left off
// pixels it cannot describe.
bool AllGrey(const uint8_t* rows, size_t stride, int32_t width, int32_t height, int pixelBytes) {
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* p = rows + stride * static_cast<size_t>(y);
        for (int32_t x = 0; x < width; ++x, p += pixelBytes)
            if (p[0] != p[1] || p[1] != p[2]) return false;
    }
    return true;
}

// A grey copy's rows, packed: grey alone, or grey and alpha from RGBA.
std::unique_ptr<uint8_t[]> GreyRows(const uint8_t* rows, size_t stride, int32_t width,
                                    int32_t height, int pixelBytes) {
    const int out = pixelBytes == 4 ? 2 : 1;
    auto grey =
        std::make_unique<uint8_t[]>(static_cast<size_t>(width) * out * static_cast<size_t>(height));
    uint8_t* q = grey.get();
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* p = rows + stride * static_cast<size_t>(y);
        for (int32_t x = 0; x < width; ++x, p += pixelBytes) {
            *q++ = p[0];
            if (out == 2) *q++ = p[3];
        }
    }
    return grey;
}

std::string EncodeJpeg(const RgbView& image, bool grey = false) {
    std::unique_ptr<void, TjDeleter> tj(tjInitCompress());
    if (!tj) throw Error("Could not start the JPEG encoder.");
    unsigned char* raw = nullptr;
    unsigned long size = 0;
    const int rc =
        tjCompress2(tj.get(), image.Data, image.Width, static_cast<int>(image.Stride), image.Height,
                    TJPF_RGB, &raw, &size, grey ? TJSAMP_GRAY : TJSAMP_444, 100, 0);
    std::unique_ptr<unsigned char, TjFree> out(raw);
    if (rc != 0) throw Error(std::string("Could not encode a JPEG: ") + tjGetErrorStr2(tj.get()));
    return std::string(reinterpret_cast<const char*>(out.get()), size);
}

void AppendBytes(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void NoFlush(png_structp) {}

void IgnoreWarning(png_structp, png_const_charp) {}

// The rows libpng is handed, in one of its colour types.
struct PngPixels {
    const uint8_t* data;
    size_t stride;
    int32_t width, height;
    int colorType;
};

// Kept free of C++ objects with destructors: libpng reports errors by longjmp.
bool EncodePngInto(const PngPixels& image, int level, int filters, const char* icc, size_t iccSize,
                   std::string* out) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, image.colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (iccSize > 0) {
        // A profile libpng finds faulty is left out rather than failing the copy.
        png_set_benign_errors(png, 1);
        png_set_iCCP(png, info, "ICC Profile", PNG_COMPRESSION_TYPE_BASE,
                     reinterpret_cast<png_const_bytep>(icc), static_cast<png_uint_32>(iccSize));
    }
    png_set_compression_level(png, level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_write_info(png, info);
    for (int32_t y = 0; y < image.height; ++y)
        png_write_row(png,
                      const_cast<png_bytep>(image.data + image.stride * static_cast<size_t>(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePngWith(const RgbImage& image, int level, int filters) {
    return EncodePngWith(image.View(), level, filters);
}

std::string EncodePngWith(const RgbView& image, int level, int filters) {
    std::string out;
    out.reserve(static_cast<size_t>(image.Width) * 3 * static_cast<size_t>(image.Height) / 2);
    const PngPixels rows{image.Data, image.Stride, image.Width, image.Height, PNG_COLOR_TYPE_RGB};
    if (!EncodePngInto(rows, level, filters, nullptr, 0, &out))
        throw Error("Could not encode a PNG.");
    return out;
}

std::string EncodePngRgba(const RgbaImage& image, std::string_view icc) {
    if (image.Empty()) throw Error("Nothing to encode.");
    std::string out;
    PngPixels rows{image.Data(), image.Stride(), image.Width(), image.Height(),
                   PNG_COLOR_TYPE_RGB_ALPHA};
    std::unique_ptr<uint8_t[]> grey;
    if (IsGreyProfile(icc)) {
        if (AllGrey(image.Data(), image.Stride(), image.Width(), image.Height(), 4)) {
            grey = GreyRows(image.Data(), image.Stride(), image.Width(), image.Height(), 4);
            rows = {grey.get(), static_cast<size_t>(image.Width()) * 2, image.Width(),
                    image.Height(), PNG_COLOR_TYPE_GRAY_ALPHA};
        } else {
            icc = {};
        }
    }
    if (!EncodePngInto(rows, kPngCompressionLevel, kPngFilters, icc.data(), icc.size(), &out))
        throw Error("Could not encode a PNG.");
    return out;
}

namespace {

std::string EncodePng(const RgbView& image, std::string_view icc, bool grey) {
    static_assert(kPngFilters == PNG_FILTER_SUB);
    if (icc.empty()) return EncodePngWith(image, kPngCompressionLevel, kPngFilters);
    std::string out;
    PngPixels rows{image.Data, image.Stride, image.Width, image.Height, PNG_COLOR_TYPE_RGB};
    std::unique_ptr<uint8_t[]> greyRows;
    if (grey) {
        greyRows = GreyRows(image.Data, image.Stride, image.Width, image.Height, 3);
        rows = {greyRows.get(), static_cast<size_t>(image.Width), image.Width, image.Height,
                PNG_COLOR_TYPE_GRAY};
    }
    if (!EncodePngInto(rows, kPngCompressionLevel, kPngFilters, icc.data(), icc.size(), &out))
        throw Error("Could not encode a PNG.");
    return out;
}

}  // namespace

std::string EncodePicture(const RgbImage& image, PictureFormat key) {
    return EncodePicture(image.View(), key);
}

std::string EncodePicture(const RgbView& image, PictureFormat key, std::string_view icc) {
    if (!image.Data || image.Width <= 0 || image.Height <= 0) throw Error("Nothing to encode.");
    bool grey = false;
    if (IsGreyProfile(icc)) {
        grey = AllGrey(image.Data, image.Stride, image.Width, image.Height, 3);
        if (!grey) icc = {};
    }
    switch (key) {
        case PictureFormat::Jpeg:
            return WithJpegIccProfile(EncodeJpeg(image, grey), icc);
        case PictureFormat::Png:
            return EncodePng(image, icc, grey);
        case PictureFormat::Bmp:
            return EncodeBmp(image);
        case PictureFormat::Other:
            break;
    }
    throw Error("Not a picture format.");
}

}  // namespace sorvane
