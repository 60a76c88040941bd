#include "PictureEncoder.h"

#include <png.h>
#include <turbojpeg.h>

#include <QBuffer>
#include <QImageWriter>
#include <csetjmp>
#include <memory>

#include "QtPicture.h"
#include "platform/Error.h"

namespace sorvane {

namespace {

struct TjDeleter {
    void operator()(void* h) const { tjDestroy(h); }
};
struct TjFree {
    void operator()(unsigned char* p) const { tjFree(p); }
};

std::string EncodeJpeg(const RgbView& image) {
    std::unique_ptr<void, TjDeleter> tj(tjInitCompress());
    if (!tj) throw Error("Could not start the JPEG encoder.");
    unsigned char* raw = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(tj.get(), image.Data, image.Width, static_cast<int>(image.Stride),
                               image.Height, TJPF_RGB, &raw, &size, TJSAMP_444, 100, 0);
    std::unique_ptr<unsigned char, TjFree> out(raw);
    if (rc != 0) throw Error(std::string("Could not encode a JPEG: ") + tjGetErrorStr2(tj.get()));
    return std::string(reinterpret_cast<const char*>(out.get()), size);
}

void AppendBytes(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void NoFlush(png_structp) {}

// Kept free of C++ objects with destructors: libpng reports errors by longjmp.
bool EncodePngInto(const RgbView& image, int level, int filters, std::string* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width),
                 static_cast<png_uint_32>(image.Height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_write_info(png, info);
    for (int32_t y = 0; y < image.Height; ++y)
        png_write_row(png, const_cast<png_bytep>(image.Row(y)));
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
    if (!EncodePngInto(image, level, filters, &out)) throw Error("Could not encode a PNG.");
    return out;
}

namespace {

std::string EncodePng(const RgbView& image) {
    static_assert(kPngFilters == PNG_FILTER_SUB);
    return EncodePngWith(image, kPngCompressionLevel, kPngFilters);
}

std::string EncodeBmp(const RgbView& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(AsQImage(image)))
        throw Error("Could not encode a BMP: " + writer.errorString().toStdString());
    return bytes.toStdString();
}

}  // namespace

std::string EncodePicture(const RgbImage& image, PictureFormat key) {
    return EncodePicture(image.View(), key);
}

std::string EncodePicture(const RgbView& image, PictureFormat key) {
    if (!image.Data || image.Width <= 0 || image.Height <= 0) throw Error("Nothing to encode.");
    switch (key) {
        case PictureFormat::Jpeg:
            return EncodeJpeg(image);
        case PictureFormat::Png:
            return EncodePng(image);
        case PictureFormat::Bmp:
            return EncodeBmp(image);
        case PictureFormat::Other:
            break;
    }
    throw Error("Not a picture format.");
}

}  // namespace sorvane
