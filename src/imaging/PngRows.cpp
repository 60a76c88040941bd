#include "PngRows.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace sorvane {

struct PngRows::State {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::string_view bytes;
    size_t offset = 0;
    std::vector<uint8_t> row;
    bool failed = false;
    ~State() {
        if (png) png_destroy_read_struct(&png, &info, nullptr);
    }
};

namespace {

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* s = static_cast<PngRows::State*>(png_get_io_ptr(png));
    if (length > s->bytes.size() - s->offset) png_error(png, "truncated");
    std::memcpy(out, s->bytes.data() + s->offset, length);
    s->offset += length;
}

void IgnoreWarning(png_structp, png_const_charp) {}
void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Kept free of C++ objects with destructors: libpng reports errors by longjmp.
bool Start(PngRows::State* s, int32_t* width, int32_t* height, int* channels) {
    if (setjmp(png_jmpbuf(s->png))) return false;
    png_set_read_fn(s->png, s, ReadFromMemory);
    png_read_info(s->png, s->info);
    if (png_get_interlace_type(s->png, s->info) != PNG_INTERLACE_NONE) return false;
    png_set_expand(s->png);  // palette to RGB, low-bit grey to 8 bits, tRNS to alpha
    png_set_scale_16(s->png);
    png_set_gray_to_rgb(s->png);
    png_set_gamma(s->png, PNG_DEFAULT_sRGB, PNG_DEFAULT_sRGB);
    png_read_update_info(s->png, s->info);
    *channels = png_get_channels(s->png, s->info);
    *width = static_cast<int32_t>(png_get_image_width(s->png, s->info));
    *height = static_cast<int32_t>(png_get_image_height(s->png, s->info));
    return (*channels == 3 || *channels == 4) && png_get_bit_depth(s->png, s->info) == 8 &&
           png_get_rowbytes(s->png, s->info) ==
               static_cast<size_t>(*width) * static_cast<size_t>(*channels);
}

bool ReadRow(PngRows::State* s, uint8_t* row) {
    if (setjmp(png_jmpbuf(s->png))) return false;
    png_read_row(s->png, row, nullptr);
    return true;
}

}  // namespace

std::unique_ptr<PngRows> PngRows::Open(std::string_view bytes) {
    std::unique_ptr<PngRows> rows(new PngRows);
    rows->state_ = std::make_unique<State>();
    State* s = rows->state_.get();
    s->bytes = bytes;
    s->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
    if (!s->png) return nullptr;
    s->info = png_create_info_struct(s->png);
    if (!s->info) return nullptr;
    // The same limits as the size rule elsewhere; libpng's default stops at 1 000 000 a side.
    png_set_user_limits(s->png, 0x7fffffff, 0x7fffffff);
    int32_t width = 0, height = 0;
    int channels = 0;
    if (!Start(s, &width, &height, &channels) || width <= 0 || height <= 0) return nullptr;
    rows->Width = width, rows->Height = height, rows->Channels = channels;
    s->row.resize(static_cast<size_t>(width) * static_cast<size_t>(channels));
    return rows;
}

PngRows::~PngRows() = default;

const uint8_t* PngRows::Next() {
    if (state_->failed || !ReadRow(state_.get(), state_->row.data())) {
        state_->failed = true;
        return nullptr;
    }
    return state_->row.data();
}

}  // namespace sorvane
