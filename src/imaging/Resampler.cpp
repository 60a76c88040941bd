#include "Resampler.h"

#include <zimg.h>

#include <cstdlib>
#include <memory>
#include <string>

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
    PlaneRing(size_t width, unsigned lines, unsigned imageHeight) {
        mask = zimg_select_buffer_mask(lines);
        rows = mask == ZIMG_BUFFER_MAX ? imageHeight : mask + 1;
        stride = Aligned(width);
        storage = AllocAligned(stride * rows * 3);
    }
    uint8_t* Row(int plane, unsigned i) const {
        return storage.get() + stride * (rows * plane + (i & mask));
    }
    unsigned mask = 0, rows = 0;
    size_t stride = 0;
    AlignedBuffer storage;
};

struct Unpack {
    const RgbView* src;
    const PlaneRing* ring;
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

int UnpackRows(void* user, unsigned i, unsigned left, unsigned right) {
    const auto* u = static_cast<const Unpack*>(user);
    const uint8_t* in = u->src->Row(static_cast<int32_t>(i)) + 3 * static_cast<size_t>(left);
    SplitRgb(in, u->ring->Row(0, i) + left, u->ring->Row(1, i) + left, u->ring->Row(2, i) + left,
             right - left);
    return 0;
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
    void* p = std::aligned_alloc(kAlign, Aligned(bytes ? bytes : 1));
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

void ResampleInto(const RgbView& src, const RgbTarget& dst) {
    if (!src.Data || src.Width <= 0 || src.Height <= 0) throw Error("Nothing to resample.");
    if (!dst.Data || dst.Width <= 0 || dst.Height <= 0) throw Error("Nowhere to resample to.");
    const int32_t width = dst.Width, height = dst.Height;
    const zimg_image_format from = RgbFormat(src.Width, src.Height);
    const zimg_image_format to = RgbFormat(width, height);
    const zimg_graph_builder_params params = LanczosParams();
    std::unique_ptr<zimg_filter_graph, GraphDeleter> graph(
        zimg_filter_graph_build(&from, &to, &params));
    if (!graph) Fail();
    size_t tmpSize = 0;
    unsigned inLines = 0, outLines = 0;
    if (zimg_filter_graph_get_tmp_size(graph.get(), &tmpSize) ||
        zimg_filter_graph_get_input_buffering(graph.get(), &inLines) ||
        zimg_filter_graph_get_output_buffering(graph.get(), &outLines))
        Fail();

    // Rings of a few rows instead of whole planes: the packed pictures are the
    // only full-size buffers.
    const PlaneRing in(static_cast<size_t>(src.Width), inLines, from.height);
    const PlaneRing out(static_cast<size_t>(width), outLines, to.height);
    AlignedBuffer tmp = AllocAligned(tmpSize);

    zimg_image_buffer_const srcBuf{};
    srcBuf.version = ZIMG_API_VERSION;
    zimg_image_buffer dstBuf{};
    dstBuf.version = ZIMG_API_VERSION;
    for (int p = 0; p < 3; ++p) {
        srcBuf.plane[p].data = in.Row(p, 0);
        srcBuf.plane[p].stride = static_cast<ptrdiff_t>(in.stride);
        srcBuf.plane[p].mask = in.mask;
        dstBuf.plane[p].data = out.Row(p, 0);
        dstBuf.plane[p].stride = static_cast<ptrdiff_t>(out.stride);
        dstBuf.plane[p].mask = out.mask;
    }
    Unpack unpack{&src, &in};
    Pack pack{&dst, &out};
    if (zimg_filter_graph_process(graph.get(), &srcBuf, &dstBuf, tmp.get(), UnpackRows, &unpack,
                                  PackRows, &pack))
        Fail();
}

}  // namespace sorvane
