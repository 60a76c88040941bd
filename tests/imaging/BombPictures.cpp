#include "BombPictures.h"

#include <turbojpeg.h>
#include <zlib.h>

#include <cstring>

#include "imaging/RgbImage.h"

namespace sorvane::test {

namespace {

void PutBigEndian(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift);
}

void PutChunk(std::string& out, const char* type, const std::string& body) {
    PutBigEndian(out, static_cast<uint32_t>(body.size()));
    const std::string typed = type + body;
    out += typed;
    PutBigEndian(out, static_cast<uint32_t>(
                          crc32(0, reinterpret_cast<const Bytef*>(typed.data()), typed.size())));
}

// Deflate bits, least significant first; Huffman codes go most significant first.
class BitWriter {
  public:
    void Bits(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
    }
    void Code(uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
    }
    std::string Done() {
        if (used_) out_ += static_cast<char>(byte_);
        return out_;
    }

  private:
    void Bit(uint32_t bit) {
        byte_ |= bit << used_;
        if (++used_ == 8) out_ += static_cast<char>(byte_), byte_ = 0, used_ = 0;
    }
    std::string out_;
    uint32_t byte_ = 0;
    int used_ = 0;
};

}  // namespace

// Every byte of the rows is 0, written as one zero and then copies of it,
// 258 bytes at a time, so the file is made in no time.

std::string ZeroPng(uint32_t w, uint32_t h, bool alpha) {
    std::string ihdr;
    PutBigEndian(ihdr, w);
    PutBigEndian(ihdr, h);
    ihdr += std::string{8, static_cast<char>(alpha ? 6 : 2), 0, 0, 0};
    const uint64_t total = uint64_t{h} * (1 + uint64_t{w} * (alpha ? 4 : 3));
    BitWriter bits;
    bits.Bits(1, 1);     // the last block,
    bits.Bits(1, 2);     // with the fixed codes
    bits.Code(0x30, 8);  // literal 0
    for (uint64_t i = 0; i < (total - 1) / 258; ++i) {
        bits.Code(0xC5, 8);  // length 258
        bits.Code(0, 5);     // distance 1
    }
    for (uint64_t i = 0; i < (total - 1) % 258; ++i) bits.Code(0x30, 8);
    bits.Code(0, 7);  // end of block
    std::string idat = "\x78\x01" + bits.Done();
    PutBigEndian(idat, static_cast<uint32_t>((total % 65521) << 16 | 1));  // Adler-32 of zeros
    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", idat);
    PutChunk(png, "IEND", "");
    return png;
}

std::string HugeProgressiveJpeg(uint16_t w, uint16_t h) {
    RgbImage small(16, 16);
    small.Fill(0x404040);
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(tj, small.Data(), 16, 0, 16, TJPF_RGB, &out, &size, TJSAMP_420, 90,
                TJFLAG_PROGRESSIVE);
    std::string jpg(reinterpret_cast<char*>(out), size);
    tjFree(out);
    tjDestroy(tj);
    const size_t sof = jpg.find("\xFF\xC2");
    jpg[sof + 5] = static_cast<char>(h >> 8), jpg[sof + 6] = static_cast<char>(h & 0xFF);
    jpg[sof + 7] = static_cast<char>(w >> 8), jpg[sof + 8] = static_cast<char>(w & 0xFF);
    return jpg;
}

std::string ThinBmp(int32_t w) {
    std::string bmp(95, '\0');
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(bmp.data() + at, &v, 4); };
    bmp[0] = 'B', bmp[1] = 'M';
    put32(2, 95);
    put32(10, 62);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, 1);
    bmp[26] = 1;            // planes
    bmp[28] = 1;            // bits per pixel
    put32(58, 0x00FFFFFF);  // palette: black, white
    return bmp;
}

std::string RgbaPng(uint32_t w, uint32_t h, const std::string& rgba) {
    std::string rows;
    for (uint32_t y = 0; y < h; ++y) rows += '\0' + rgba.substr(size_t{y} * w * 4, size_t{w} * 4);
    uLongf packed = compressBound(rows.size());
    std::string idat(packed, '\0');
    compress(reinterpret_cast<Bytef*>(idat.data()), &packed,
             reinterpret_cast<const Bytef*>(rows.data()), rows.size());
    idat.resize(packed);
    std::string ihdr;
    PutBigEndian(ihdr, w);
    PutBigEndian(ihdr, h);
    ihdr += std::string{8, 6, 0, 0, 0};
    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", idat);
    PutChunk(png, "IEND", "");
    return png;
}

}  // namespace sorvane::test
