#include "TestPictures.h"

#include <algorithm>
#include <cstdlib>

#include "common/TempHome.h"
#include "imaging/PictureDecoder.h"
#include "imaging/PictureEncoder.h"

namespace sorvane::test {

RgbImage Solid(int32_t w, int32_t h, uint32_t colorRef) {
    RgbImage image(w, h);
    image.Fill(colorRef);
    return image;
}

RgbImage Gradient(int32_t w, int32_t h) {
    RgbImage image(w, h);
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = image.Row(y);
        for (int32_t x = 0; x < w; ++x) {
            row[3 * x] = static_cast<uint8_t>(255 * x / std::max(1, w - 1));
            row[3 * x + 1] = static_cast<uint8_t>(255 * y / std::max(1, h - 1));
            row[3 * x + 2] = static_cast<uint8_t>(128 + 64 * (x + y) / std::max(1, w + h));
        }
    }
    return image;
}

void WritePicture(const std::filesystem::path& path, const RgbImage& image, PictureFormat key) {
    WriteFile(path, EncodePicture(image, key));
}

RgbImage ReadPicture(const std::filesystem::path& path, uint32_t background) {
    const std::string bytes = ReadFile(path);
    auto image = DecodePicture(bytes, {1 << 30, 1 << 30}, background);
    return image ? std::move(*image) : RgbImage();
}

std::string WithExifOrientation(const std::string& jpeg, int orientation) {
    // APP1 "Exif": a big-endian TIFF header and one IFD holding the orientation tag.
    const unsigned char app1[] = {0xFF, 0xE1,
                                  0x00, 34,
                                  'E',  'x',
                                  'i',  'f',
                                  0,    0,  // marker, length, id
                                  'M',  'M',
                                  0x00, 0x2A,
                                  0x00, 0x00,
                                  0x00, 0x08,  // TIFF header
                                  0x00, 0x01,  // one entry
                                  0x01, 0x12,
                                  0x00, 0x03,
                                  0x00, 0x00,
                                  0x00, 0x01,  // Orientation, SHORT, 1
                                  0x00, static_cast<unsigned char>(orientation),
                                  0x00, 0x00,  // value
                                  0x00, 0x00,
                                  0x00, 0x00};  // no next IFD
    return jpeg.substr(0, 2) + std::string(reinterpret_cast<const char*>(app1), sizeof app1) +
           jpeg.substr(2);
}

uint32_t PixelAt(const RgbImage& image, int32_t x, int32_t y) {
    const uint8_t* p = image.Row(y) + 3 * x;
    return p[0] | (p[1] << 8) | (p[2] << 16);
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

std::string ProfileBytes(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::string icc(size, '\0');
    cmsSaveProfileToMem(profile, icc.data(), &size);
    cmsCloseProfile(profile);
    return icc;
}

}  // namespace sorvane::test
