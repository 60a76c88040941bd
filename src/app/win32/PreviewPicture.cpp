#include "PreviewPicture.h"

#include <exception>

#include "imaging/Orientation.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PicturePlan.h"
#include "imaging/PictureProbe.h"
#include "platform/AtomicFile.h"
#include "platform/FileIdentity.h"

namespace sorvane {

namespace {

std::optional<RgbImage> Fitted(const std::string& path, int width, int height,
                               COLORREF background) {
    const std::optional<std::string> bytes = ReadWholeFileIfPossible(path);
    if (!bytes) return std::nullopt;
    const std::optional<PictureProbe> probe = ProbePicture(*bytes);
    if (!probe) return std::nullopt;
    const PixelSize stored =
        SwapsSides(probe->Orientation) ? PixelSize{height, width} : PixelSize{width, height};
    std::optional<RgbImage> image = DecodeRgb(*bytes, PlanDecoding(*probe, stored), background);
    if (!image) return std::nullopt;
    if (probe->Orientation) return Reoriented(*image, probe->Orientation);
    return image;
}

}  // namespace

bool PreviewPicture::Draw(HDC dc, const std::string& path, const RECT& at, COLORREF background) {
    const int width = at.right - at.left, height = at.bottom - at.top;
    if (width <= 0 || height <= 0) return false;
    const std::string key = path + "\n" + FileIdentityOf(path).value_or("") + "\n" +
                            std::to_string(width) + "x" + std::to_string(height) + "\n" +
                            std::to_string(background);
    if (key != key_) {
        key_ = key;
        readable_ = false;
        try {
            if (const std::optional<RgbImage> image = Fitted(path, width, height, background)) {
                const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
                rows_.assign(stride * static_cast<size_t>(height), 0);
                for (int y = 0; y < height; ++y) {
                    const uint8_t* from = image->Row(y);
                    unsigned char* to = rows_.data() + stride * static_cast<size_t>(height - 1 - y);
                    for (int x = 0; x < width; ++x, from += 3, to += 3)
                        to[0] = from[2], to[1] = from[1], to[2] = from[0];
                }
                width_ = width, height_ = height;
                readable_ = true;
            }
        } catch (const std::exception&) {
            // Too big or broken: the box shows the place only, as for any unreadable picture.
        }
    }
    if (!readable_) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, at.left, at.top, width_, height_, 0, 0, width_, height_, rows_.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
    return true;
}

}  // namespace sorvane
