#include "Resampler.h"

#include <zimg.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace sorvane {

namespace {

struct GraphDeleter {
    void operator()(zimg_filter_graph* g) const { zimg_filter_graph_free(g); }
};
using AlignedBuffer = AlignedBytes;

// The library's SIMD paths want 64-byte aligned rows and buffers.
constexpr size_t kAlign = 64;
size_t Aligned(size_t n) { return (n + kAlign - 1) / kAlign * kAlign; }
AlignedBuffer AllocAligned(size_t bytes) { return AllocateAligned(bytes); }

[[noreturn]] void Fail() {
    char message[256] = {};
    zimg_get_last_error(message, sizeof message);
    throw Error(std::string("Could not resample a picture: ") + message);
}

zimg_image_format RgbFormat(int32_t width, int32_t height) {
    zimg_image_format f;
    zimg_image_format_default(&f, ZIMG_API_VERSION);
    f.width = static_cast<unsigned>(width);
    f.height = static_cast<unsigned>(height);
    f.pixel_type = ZIMG_PIXEL_BYTE;
    f.color_family = ZIMG_COLOR_RGB;
    f.matrix_coefficients = ZIMG_MATRIX_RGB;
    f.pixel_range = ZIMG_RANGE_FULL;
    f.depth = 8;
    return f;
}

// Three plane rings of `lines` rows each, as the library reads and writes them.
struct PlaneRing {
    PlaneRing(size_t width, unsigned lines, unsigned imageHeight, int planes = 3) {
        mask = zimg_select_buffer_mask(lines);
        rows = mask == ZIMG_BUFFER_MAX ? imageHeight : mask + 1;
        stride = Aligned(width);
        storage = AllocAligned(stride * rows * static_cast<size_t>(planes));
    }
    uint8_t* Row(int plane, unsigned i) const {
        return storage.get() + stride * (rows * plane + (i & mask));
    }
    unsigned mask = 0, rows = 0;
    size_t stride = 0;
    AlignedBuffer storage;
};

struct Pack {
    const RgbTarget* dst;
    const PlaneRing* ring;
};

// Splitting RGB rows into planes and joining them back is a byte shuffle that
// compilers vectorize only with instructions (pshufb and wider) that baseline
// x86-64 lacks, and it touches every pixel twice per picture: build it also
// for newer processors, picked when the program loads.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define SORVANE_SHUFFLE                                                \
    __attribute__((target_clones("default", "avx2", "arch=x86-64-v4"), \
                   optimize("tree-vectorize", "vect-cost-model=dynamic")))
#else
#define SORVANE_SHUFFLE
#endif

SORVANE_SHUFFLE void SplitRgb(const uint8_t* __restrict in, uint8_t* __restrict r,
                              uint8_t* __restrict g, uint8_t* __restrict b, size_t count) {
    for (size_t x = 0; x < count; ++x) {
        r[x] = in[3 * x];
        g[x] = in[3 * x + 1];
        b[x] = in[3 * x + 2];
    }
}

SORVANE_SHUFFLE void JoinRgb(const uint8_t* __restrict r, const uint8_t* __restrict g,
                             const uint8_t* __restrict b, uint8_t* __restrict out, size_t count) {
    for (size_t x = 0; x < count; ++x) {
        out[3 * x] = r[x];
        out[3 * x + 1] = g[x];
        out[3 * x + 2] = b[x];
    }
}

int PackRows(void* user, unsigned i, unsigned left, unsigned right) {
    const auto* p = static_cast<const Pack*>(user);
    uint8_t* out = p->dst->Row(static_cast<int32_t>(i)) + 3 * static_cast<size_t>(left);
    JoinRgb(p->ring->Row(0, i) + left, p->ring->Row(1, i) + left, p->ring->Row(2, i) + left, out,
            right - left);
    return 0;
}

zimg_graph_builder_params LanczosParams() {
    zimg_graph_builder_params params;
    zimg_graph_builder_params_default(&params, ZIMG_API_VERSION);
    params.resample_filter = ZIMG_RESIZE_LANCZOS;
    params.filter_param_a = 3;
    params.resample_filter_uv = ZIMG_RESIZE_LANCZOS;
    params.filter_param_a_uv = 3;
    params.dither_type = ZIMG_DITHER_NONE;  // plain rounding: the same bytes on every run
    params.cpu_type = ZIMG_CPU_AUTO;
    return params;
}

int PackGrey(void* user, unsigned i, unsigned left, unsigned right) {
    const auto* p = static_cast<const Pack*>(user);
    uint8_t* out = p->dst->Row(static_cast<int32_t>(i)) + 3 * static_cast<size_t>(left);
    const uint8_t* y = p->ring->Row(0, i);
    for (unsigned x = left; x < right; ++x, out += 3) out[0] = out[1] = out[2] = y[x];
    return 0;
}

int Log2(int32_t ratio) { return ratio >= 4 ? 2 : ratio >= 2 ? 1 : 0; }

}  // namespace

AlignedBytes AllocateAligned(size_t bytes) {
    void* p = AllocateAlignedMemory(kAlign, Aligned(bytes ? bytes : 1));
    if (!p) throw Error("Out of memory while resampling a picture.");
    return AlignedBytes(static_cast<uint8_t*>(p));
}

size_t AlignedStride(size_t width) { return Aligned(width); }

void ResampleYccInto(const YccPlanes& src, const RgbTarget& dst) {
    if (!dst.Data || dst.Width <= 0 || dst.Height <= 0) throw Error("Nowhere to resample to.");
    const int32_t width = dst.Width, height = dst.Height;
    const bool grey = src.Components == 1;
    zimg_image_format from;
    zimg_image_format_default(&from, ZIMG_API_VERSION);
    from.width = static_cast<unsigned>(src.PlaneWidth[0]);
    from.height = static_cast<unsigned>(src.PlaneHeight[0]);
    from.pixel_type = ZIMG_PIXEL_BYTE;
    from.depth = 8;
    from.pixel_range = ZIMG_RANGE_FULL;
    from.color_family = grey ? ZIMG_COLOR_GREY : ZIMG_COLOR_YUV;
    from.matrix_coefficients = grey ? ZIMG_MATRIX_UNSPECIFIED : ZIMG_MATRIX_BT470_BG;
    if (!grey) {
        from.subsample_w = static_cast<unsigned>(Log2(src.PlaneWidth[0] / src.PlaneWidth[1]));
        from.subsample_h = static_cast<unsigned>(Log2(src.PlaneHeight[0] / src.PlaneHeight[1]));
        from.chroma_location = ZIMG_CHROMA_CENTER;  // JFIF sites chroma between the luma samples
    }
    // Padding beyond the picture is left out of the filter's view.
    from.active_region.left = 0;
    from.active_region.top = 0;
    from.active_region.width = src.Width;
    from.active_region.height = src.Height;
    zimg_image_format to = RgbFormat(width, height);
    if (grey) {
        to.color_family = ZIMG_COLOR_GREY;
        to.matrix_coefficients = ZIMG_MATRIX_UNSPECIFIED;
    }
    const zimg_graph_builder_params params = LanczosParams();
    std::unique_ptr<zimg_filter_graph, GraphDeleter> graph(
        zimg_filter_graph_build(&from, &to, &params));
    if (!graph) Fail();
    size_t tmpSize = 0;
    unsigned outLines = 0;
    if (zimg_filter_graph_get_tmp_size(graph.get(), &tmpSize) ||
        zimg_filter_graph_get_output_buffering(graph.get(), &outLines))
        Fail();
    const PlaneRing out(static_cast<size_t>(width), outLines, to.height);
    AlignedBuffer tmp = AllocAligned(tmpSize);

    zimg_image_buffer_const srcBuf{};
    srcBuf.version = ZIMG_API_VERSION;
    zimg_image_buffer dstBuf{};
    dstBuf.version = ZIMG_API_VERSION;
    for (int p = 0; p < src.Components; ++p) {
        srcBuf.plane[p].data = src.Plane[p].get();
        srcBuf.plane[p].stride = static_cast<ptrdiff_t>(src.Stride[p]);
        srcBuf.plane[p].mask = ZIMG_BUFFER_MAX;
    }
    for (int p = 0; p < 3; ++p) {
        dstBuf.plane[p].data = out.Row(p, 0);
        dstBuf.plane[p].stride = static_cast<ptrdiff_t>(out.stride);
        dstBuf.plane[p].mask = out.mask;
    }
    Pack pack{&dst, &out};
    if (zimg_filter_graph_process(graph.get(), &srcBuf, &dstBuf, tmp.get(), nullptr, nullptr,
                                  grey ? PackGrey : PackRows, &pack))
        Fail();
}

RgbImage Resample(const RgbView& src, int32_t width, int32_t height) {
    RgbImage dst(width, height);
    ResampleInto(src, dst.Target());
    return dst;
}

namespace {

int64_t BlockFor(int64_t from, int64_t to) {
    if (to <= 0 || from <= to * kMaxFilterRatio) return 1;
    return (from + to * (kMaxFilterRatio / 2) - 1) / (to * (kMaxFilterRatio / 2));
}

struct Unpack {
    const uint8_t* data;
    size_t stride;
    int channels;
    const PlaneRing* ring;
};

int UnpackRows(void* user, unsigned i, unsigned left, unsigned right) {
    const auto* u = static_cast<const Unpack*>(user);
    const uint8_t* in = u->data + u->stride * i + static_cast<size_t>(u->channels) * left;
    if (u->channels == 3) {
        SplitRgb(in, u->ring->Row(0, i) + left, u->ring->Row(1, i) + left,
                 u->ring->Row(2, i) + left, right - left);
        return 0;
    }
    uint8_t* planes[4] = {u->ring->Row(0, i), u->ring->Row(1, i), u->ring->Row(2, i),
                          u->ring->Row(3, i)};
    for (unsigned x = left; x < right; ++x, in += 4) {
        for (int c = 0; c < 3; ++c)
            planes[c][x] = static_cast<uint8_t>((in[c] * in[3] + 127) / 255);
        planes[3][x] = in[3];
    }
    return 0;
}

using Graph = std::unique_ptr<zimg_filter_graph, GraphDeleter>;

Graph Build(int32_t fromWidth, int32_t fromHeight, int32_t toWidth, int32_t toHeight, int planes) {
    zimg_image_format from = RgbFormat(fromWidth, fromHeight);
    zimg_image_format to = RgbFormat(toWidth, toHeight);
    if (planes == 4) from.alpha = to.alpha = ZIMG_ALPHA_PREMULTIPLIED;
    const zimg_graph_builder_params params = LanczosParams();
    Graph graph(zimg_filter_graph_build(&from, &to, &params));
    if (!graph) Fail();
    return graph;
}

// A whole picture in memory, read where it lies: the library may come back
// to any row (it works in tiles), so this is the way for pictures we hold.
// RGBA is premultiplied on the way in; opaque pixels come out as RGB would.
void ResampleDirect(const uint8_t* data, size_t stride, int32_t srcWidth, int32_t srcHeight,
                    int channels, int32_t width, int32_t height, zimg_filter_graph_callback pack,
                    void* packUser, const PlaneRing** outRing) {
    const int planes = channels == 4 ? 4 : 3;
    const Graph graph = Build(srcWidth, srcHeight, width, height, planes);
    size_t tmpSize = 0;
    unsigned inLines = 0, outLines = 0;
    if (zimg_filter_graph_get_tmp_size(graph.get(), &tmpSize) ||
        zimg_filter_graph_get_input_buffering(graph.get(), &inLines) ||
        zimg_filter_graph_get_output_buffering(graph.get(), &outLines))
        Fail();
    // Rings of a few rows instead of whole planes: the packed pictures are the
    // only full-size buffers.
    const PlaneRing in(static_cast<size_t>(srcWidth), inLines, static_cast<unsigned>(srcHeight),
                       planes);
    const PlaneRing out(static_cast<size_t>(width), outLines, static_cast<unsigned>(height),
                        planes);
    *outRing = &out;
    AlignedBuffer tmp = AllocAligned(tmpSize);
    zimg_image_buffer_const srcBuf{};
    srcBuf.version = ZIMG_API_VERSION;
    zimg_image_buffer dstBuf{};
    dstBuf.version = ZIMG_API_VERSION;
    for (int p = 0; p < planes; ++p) {
        srcBuf.plane[p].data = in.Row(p, 0);
        srcBuf.plane[p].stride = static_cast<ptrdiff_t>(in.stride);
        srcBuf.plane[p].mask = in.mask;
        dstBuf.plane[p].data = out.Row(p, 0);
        dstBuf.plane[p].stride = static_cast<ptrdiff_t>(out.stride);
        dstBuf.plane[p].mask = out.mask;
    }
    Unpack unpack{data, stride, channels, &in};
    if (zimg_filter_graph_process(graph.get(), &srcBuf, &dstBuf, tmp.get(), UnpackRows, &unpack,
                                  pack, packUser))
        Fail();
}

// Reads a row source once from the top, averaged over kx × ky blocks when
// the ratio would make the filter huge, as planes (RGBA premultiplied).
class BlockRows {
  public:
    BlockRows(RowSource& src, int32_t dstWidth, int32_t dstHeight)
        : src_(src), kx_(BlockFor(src.Width, dstWidth)), ky_(BlockFor(src.Height, dstHeight)) {
        Width = static_cast<int32_t>((src.Width + kx_ - 1) / kx_);
        Height = static_cast<int32_t>((src.Height + ky_ - 1) / ky_);
        sums_.assign(static_cast<size_t>(Width) * static_cast<size_t>(src.Channels), 0);
    }
    int32_t Width = 0, Height = 0;

    // The next row into `planes[c]`; false when the source fails.
    bool Next(uint8_t* const* planes) {
        const int channels = src_.Channels;
        std::fill(sums_.begin(), sums_.end(), 0);
        const int64_t rows = std::min<int64_t>(ky_, src_.Height - row_ * ky_);
        ++row_;
        for (int64_t r = 0; r < rows; ++r) {
            const uint8_t* row = src_.Next();
            if (!row) return false;
            for (int32_t x = 0; x < src_.Width; ++x, row += channels) {
                uint64_t* sum =
                    &sums_[static_cast<size_t>(x / kx_) * static_cast<size_t>(channels)];
                if (channels == 4) {
                    // Colour weighted by its alpha, alpha scaled by 255 to match.
                    for (int c = 0; c < 3; ++c) sum[c] += uint64_t{row[c]} * row[3];
                    sum[3] += uint64_t{row[3]} * 255;
                } else {
                    for (int c = 0; c < 3; ++c) sum[c] += row[c];
                }
            }
        }
        const uint64_t scale = channels == 4 ? 255 : 1;
        for (size_t x = 0; x < static_cast<size_t>(Width); ++x) {
            const int64_t columns =
                std::min<int64_t>(kx_, src_.Width - static_cast<int64_t>(x) * kx_);
            const uint64_t count = static_cast<uint64_t>(columns * rows) * scale;
            const uint64_t* sum = &sums_[x * static_cast<size_t>(channels)];
            for (int c = 0; c < channels; ++c)
                planes[c][x] = static_cast<uint8_t>((sum[c] + count / 2) / count);
        }
        return true;
    }

  private:
    RowSource& src_;
    const int64_t kx_, ky_;
    std::vector<uint64_t> sums_;
    int64_t row_ = 0;
};

struct RgbaOut {
    uint8_t* data;
    size_t stride;
    const PlaneRing* ring;
};

// Back from premultiplied: the filter may overshoot, so colour is capped by alpha.
int PackRgba(void* user, unsigned i, unsigned left, unsigned right) {
    const auto* p = static_cast<const RgbaOut*>(user);
    uint8_t* out = p->data + p->stride * i + 4 * static_cast<size_t>(left);
    const uint8_t* planes[4] = {p->ring->Row(0, i), p->ring->Row(1, i), p->ring->Row(2, i),
                                p->ring->Row(3, i)};
    for (unsigned x = left; x < right; ++x, out += 4) {
        const unsigned a = planes[3][x];
        for (int c = 0; c < 3; ++c)
            out[c] = a == 0
                         ? 0
                         : static_cast<uint8_t>(std::min(255u, (planes[c][x] * 255u + a / 2) / a));
        out[3] = static_cast<uint8_t>(a);
    }
    return 0;
}

// A source read once, in two steps: each row narrowed to the final width as
// it arrives, then the narrow picture (final width, at most some thousand
// rows after block averaging) reduced in height. The library may read rows
// again, which a one-pass source cannot give, but the narrow picture can.
void ResampleStreamed(RowSource& src, int32_t width, int32_t height,
                      zimg_filter_graph_callback pack, void* packUser, const PlaneRing** outRing) {
    if (src.Width <= 0 || src.Height <= 0) throw Error("Nothing to resample.");
    if (width <= 0 || height <= 0) throw Error("Nowhere to resample to.");
    const int planes = src.Channels == 4 ? 4 : 3;
    BlockRows blocks(src, width, height);
    const Graph across = Build(blocks.Width, 1, width, 1, planes);
    const Graph down = Build(width, blocks.Height, width, height, planes);
    size_t acrossTmp = 0, downTmp = 0;
    unsigned outLines = 0;
    if (zimg_filter_graph_get_tmp_size(across.get(), &acrossTmp) ||
        zimg_filter_graph_get_tmp_size(down.get(), &downTmp) ||
        zimg_filter_graph_get_output_buffering(down.get(), &outLines))
        Fail();
    AlignedBuffer tmp = AllocAligned(std::max(acrossTmp, downTmp));

    const size_t rowStride = Aligned(static_cast<size_t>(blocks.Width));
    AlignedBuffer row = AllocAligned(rowStride * static_cast<size_t>(planes));
    const size_t narrowStride = Aligned(static_cast<size_t>(width));
    const size_t planeBytes = narrowStride * static_cast<size_t>(blocks.Height);
    AlignedBuffer narrow = AllocAligned(planeBytes * static_cast<size_t>(planes));

    uint8_t* rowPlanes[4] = {};
    zimg_image_buffer_const rowBuf{};
    rowBuf.version = ZIMG_API_VERSION;
    for (int p = 0; p < planes; ++p) {
        rowPlanes[p] = row.get() + rowStride * static_cast<size_t>(p);
        rowBuf.plane[p].data = rowPlanes[p];
        rowBuf.plane[p].stride = static_cast<ptrdiff_t>(rowStride);
        rowBuf.plane[p].mask = ZIMG_BUFFER_MAX;
    }
    for (int32_t y = 0; y < blocks.Height; ++y) {
        if (!blocks.Next(rowPlanes)) throw Error("A picture could not be read to its end.");
        zimg_image_buffer narrowRow{};
        narrowRow.version = ZIMG_API_VERSION;
        for (int p = 0; p < planes; ++p) {
            narrowRow.plane[p].data = narrow.get() + planeBytes * static_cast<size_t>(p) +
                                      narrowStride * static_cast<size_t>(y);
            narrowRow.plane[p].stride = static_cast<ptrdiff_t>(narrowStride);
            narrowRow.plane[p].mask = ZIMG_BUFFER_MAX;
        }
        if (zimg_filter_graph_process(across.get(), &rowBuf, &narrowRow, tmp.get(), nullptr,
                                      nullptr, nullptr, nullptr))
            Fail();
    }

    const PlaneRing out(static_cast<size_t>(width), outLines, static_cast<unsigned>(height),
                        planes);
    *outRing = &out;
    zimg_image_buffer_const narrowBuf{};
    narrowBuf.version = ZIMG_API_VERSION;
    zimg_image_buffer dstBuf{};
    dstBuf.version = ZIMG_API_VERSION;
    for (int p = 0; p < planes; ++p) {
        narrowBuf.plane[p].data = narrow.get() + planeBytes * static_cast<size_t>(p);
        narrowBuf.plane[p].stride = static_cast<ptrdiff_t>(narrowStride);
        narrowBuf.plane[p].mask = ZIMG_BUFFER_MAX;
        dstBuf.plane[p].data = out.Row(p, 0);
        dstBuf.plane[p].stride = static_cast<ptrdiff_t>(out.stride);
        dstBuf.plane[p].mask = out.mask;
    }
    if (zimg_filter_graph_process(down.get(), &narrowBuf, &dstBuf, tmp.get(), nullptr, nullptr,
                                  pack, packUser))
        Fail();
}

}  // namespace

void ResampleInto(const RgbView& src, const RgbTarget& dst) {
    if (!src.Data || src.Width <= 0 || src.Height <= 0) throw Error("Nothing to resample.");
    if (!dst.Data || dst.Width <= 0 || dst.Height <= 0) throw Error("Nowhere to resample to.");
    if (BlockFor(src.Width, dst.Width) == 1 && BlockFor(src.Height, dst.Height) == 1) {
        Pack pack{&dst, nullptr};
        return ResampleDirect(src.Data, src.Stride, src.Width, src.Height, 3, dst.Width, dst.Height,
                              PackRows, &pack, &pack.ring);
    }
    MemoryRows rows(src.Data, src.Stride, src.Width, src.Height, 3);
    ResampleInto(rows, dst);
}

void ResampleInto(const RgbaImage& src, RgbaImage& dst) {
    if (src.Empty() || dst.Empty()) throw Error("Nothing to resample.");
    if (BlockFor(src.Width(), dst.Width()) == 1 && BlockFor(src.Height(), dst.Height()) == 1) {
        RgbaOut out{dst.Data(), dst.Stride(), nullptr};
        return ResampleDirect(src.Data(), src.Stride(), src.Width(), src.Height(), 4, dst.Width(),
                              dst.Height(), PackRgba, &out, &out.ring);
    }
    MemoryRows rows(src.Data(), src.Stride(), src.Width(), src.Height(), 4);
    ResampleInto(rows, dst);
}

void ResampleInto(RowSource& src, const RgbTarget& dst) {
    if (src.Channels != 3) throw Error("Not an RGB picture.");
    if (!dst.Data) throw Error("Nowhere to resample to.");
    Pack pack{&dst, nullptr};
    ResampleStreamed(src, dst.Width, dst.Height, PackRows, &pack, &pack.ring);
}

void ResampleInto(RowSource& src, RgbaImage& dst) {
    if (src.Channels != 4) throw Error("Not an RGBA picture.");
    if (dst.Empty()) throw Error("Nowhere to resample to.");
    RgbaOut out{dst.Data(), dst.Stride(), nullptr};
    ResampleStreamed(src, dst.Width(), dst.Height(), PackRgba, &out, &out.ring);
}

}  // namespace sorvane
