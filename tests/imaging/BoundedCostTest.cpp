#include <turbojpeg.h>
#include <zlib.h>

#include <QImage>

#include <cstring>
#include <fstream>

#include "PreparationFixture.h"
#include "imaging/PictureCost.h"
#include "imaging/PictureEncoder.h"

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

// A black (RGB) or wholly transparent (RGBA) PNG: every byte of its rows is
// 0, written as one zero and then copies of it, 258 bytes at a time. Some
// megabytes on disk that claim gigabytes of pixels, made in no time.
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

// A progressive JPEG of a few hundred bytes whose frame claims w × h.
std::string HugeProgressiveJpeg(uint16_t w, uint16_t h) {
    const RgbImage small = Solid(16, 16, 0x404040);
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

// A 1-bit BMP one row high; its header alone, the row left out.
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

size_t PeakRssBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

bool ResetPeakRss() { return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5"); }

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Files small on disk that claim gigabytes, prepared two at a time: each is
// prepared or refused by name, and the process stays near 1 GB at its peak.
TEST_F(PreparationTest, PictureBombsStayWithinAboutAGigabyte) {
    if (kSanitized) GTEST_SKIP() << "peak memory means nothing under the address sanitizer";
    AddBytes("wide.png", ZeroPng(26000, 26000, false));
    AddBytes("clear.png", ZeroPng(23000, 23000, true));
    AddBytes("claims.jpg", HugeProgressiveJpeg(26000, 26000));
    AddBytes("thin.bmp", ThinBmp(30000000));
    std::vector<std::string> names;
    for (const auto& e : form.Settings.Pictures) names.push_back(e.FileName);
    const RgbImage background = Solid(1004, 718, kBackground);
    const PictureJob job{form.Window.PictureStore,
                         form.Window.PreparedFolder,
                         {1004, 718},
                         1,
                         kBackground,
                         &background};

    ASSERT_TRUE(ResetPeakRss());
    const auto results = PreparePictureList(job, names, 2, {});
    EXPECT_LT(PeakRssBytes(), size_t{1100} << 20);

    EXPECT_EQ(results[0].Outcome, PictureOutcome::Prepared);
    EXPECT_EQ(PixelAt(ReadPicture(prepared / "wide.png"), 502, 359), 0u);
    EXPECT_EQ(results[1].Outcome, PictureOutcome::Prepared);
    EXPECT_EQ(PixelAt(ReadPicture(prepared / "clear.png"), 502, 359), kBackground);
    EXPECT_EQ(ReadPicture(store / "clear.png").Width(), 718);
    // Its coefficients alone would take 2 GB: refused, and said so.
    EXPECT_EQ(results[2].Outcome, PictureOutcome::Refused);
    EXPECT_EQ(results[2].Reason,
              "The picture \"claims.jpg\" (26000 x 26000 pixels) is too large to prepare in the "
              "memory available; it was left as it was.");
    EXPECT_EQ(results[3].Outcome, PictureOutcome::Prepared);
    EXPECT_EQ(ReadPicture(store / "thin.bmp").Width(), 1004);
}

TEST_F(PreparationTest, ARefusedPictureIsNamedToTheUserAndTheRunGoesOn) {
    AddBytes("claims.jpg", HugeProgressiveJpeg(26000, 26000));
    Add("fine.png", Solid(100, 100, kBackground));
    ASSERT_TRUE(Run());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("\"claims.jpg\" (26000 x 26000 pixels)"),
              std::string::npos);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(PreparedNames(), std::vector<std::string>{"fine.png"});
}

TEST(MemoryBudget, APictureWaitsUntilItsPeakFitsBesideTheOthers) {
    MemoryBudget budget(100);
    std::atomic<bool> second{false};
    auto first = std::make_unique<BudgetHold>(budget, 70);
    std::jthread waiter([&] {
        BudgetHold hold(budget, 50);
        second = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(second);
    { BudgetHold small(budget, 30); }  // fits beside the first
    first.reset();
    waiter.join();
    EXPECT_TRUE(second);
}

}  // namespace
}  // namespace sorvane::test
