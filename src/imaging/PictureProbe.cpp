#include "PictureProbe.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "Bmp.h"
#include "Exif.h"
#include "Orientation.h"
#include "RgbImage.h"

namespace sorvane {

PixelSize PictureProbe::Upright() const {
    return SwapsSides(Orientation) ? PixelSize{Height, Width} : PixelSize{Width, Height};
}

namespace {

// libjpeg and libpng report errors by longjmp: the functions that set the
// jump hold no C++ object with a destructor of their own.

struct JpegErrors {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};
[[noreturn]] void JpegJump(j_common_ptr c) {
    std::longjmp(reinterpret_cast<JpegErrors*>(c->err)->jump, 1);
}
void JpegQuiet(j_common_ptr, int) {}

bool ProbeJpeg(std::string_view bytes, PictureProbe* probe) {
    jpeg_decompress_struct cinfo;
    JpegErrors errors;
    cinfo.err = jpeg_std_error(&errors.mgr);
    errors.mgr.error_exit = JpegJump;
    errors.mgr.emit_message = JpegQuiet;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(std::min<size_t>(bytes.size(), 0xFFFFFFFFu)));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);  // EXIF
    jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);  // ICC
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    probe->Width = static_cast<int32_t>(std::min<JDIMENSION>(cinfo.image_width, 0x7FFFFFFF));
    probe->Height = static_cast<int32_t>(std::min<JDIMENSION>(cinfo.image_height, 0x7FFFFFFF));
    probe->Cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    probe->WholeCoefficients = jpeg_has_multiple_scans(&cinfo);
    int hMax = 1, vMax = 1;
    for (int c = 0; c < cinfo.num_components; ++c) {
        hMax = std::max(hMax, cinfo.comp_info[c].h_samp_factor);
        vMax = std::max(vMax, cinfo.comp_info[c].v_samp_factor);
    }
    for (int c = 0; c < cinfo.num_components; ++c)
        probe->CoefficientBytesPerPixel += 2.0 * cinfo.comp_info[c].h_samp_factor *
                                           cinfo.comp_info[c].v_samp_factor / (hMax * vMax);
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && probe->Orientation == 0)
            probe->Orientation =
                ExifOrientation({reinterpret_cast<const char*>(m->data), m->data_length});
    JOCTET* icc = nullptr;
    unsigned int iccLength = 0;
    if (jpeg_read_icc_profile(&cinfo, &icc, &iccLength)) {
        probe->Icc.assign(reinterpret_cast<const char*>(icc), iccLength);
        std::free(icc);
    }
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct PngInput {
    const unsigned char* data;
    size_t size, at;
};
void PngRead(png_structp png, png_bytep out, size_t n) {
    auto* in = static_cast<PngInput*>(png_get_io_ptr(png));
    if (n > in->size - in->at) png_error(png, "truncated");
    std::memcpy(out, in->data + in->at, n);
    in->at += n;
}
[[noreturn]] void PngJump(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngQuiet(png_structp, png_const_charp) {}

bool ProbePng(std::string_view bytes, PictureProbe* probe) {
    PngInput input{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngJump, PngQuiet);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &input, PngRead);
    // The size rule decides, not libpng's default of 1 000 000 a side.
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    probe->Width = static_cast<int32_t>(std::min<png_uint_32>(width, 0x7FFFFFFF));
    probe->Height = static_cast<int32_t>(std::min<png_uint_32>(height, 0x7FFFFFFF));
    probe->BitDepth = depth;
    probe->Interlaced = interlace != PNG_INTERLACE_NONE;
    probe->Transparent =
        (colour & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_charp name = nullptr;
    int compression = 0;
    png_bytep icc = nullptr;
    png_uint_32 iccLength = 0;
    // libpng keeps the first of sRGB and iCCP: a PNG that says sRGB first has no profile.
    if (png_get_iCCP(png, info, &name, &compression, &icc, &iccLength) && icc)
        probe->Icc.assign(reinterpret_cast<const char*>(icc), iccLength);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

PictureFormat FormatOfContent(std::string_view bytes) {
    if (bytes.size() >= 8 && bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8))
        return PictureFormat::Png;
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xFF\xD8\xFF") return PictureFormat::Jpeg;
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "BM") return PictureFormat::Bmp;
    return PictureFormat::Other;
}

std::optional<PictureProbe> ProbePicture(std::string_view bytes) {
    std::optional<PictureProbe> probe = ProbePictureOfAnySize(bytes);
    if (probe && !FitsRgbBuffer(probe->Width, probe->Height)) return std::nullopt;
    return probe;
}

std::optional<PictureProbe> ProbePictureOfAnySize(std::string_view bytes) {
    PictureProbe probe;
    probe.Format = FormatOfContent(bytes);
    switch (probe.Format) {
        case PictureFormat::Jpeg:
            if (!ProbeJpeg(bytes, &probe)) return std::nullopt;
            break;
        case PictureFormat::Png:
            if (!ProbePng(bytes, &probe)) return std::nullopt;
            break;
        case PictureFormat::Bmp:
            if (const std::optional<PixelSize> size = ReadBmpSize(bytes)) {
                probe.Width = size->Width;
                probe.Height = size->Height;
                break;
            }
            return std::nullopt;
        case PictureFormat::Other:
            return std::nullopt;
    }
    return probe;
}

std::string EmbeddedIccProfile(std::string_view bytes) {
    std::optional<PictureProbe> probe = ProbePicture(bytes);
    return probe ? std::move(probe->Icc) : std::string();
}

}  // namespace sorvane
