#include <gtest/gtest.h>

#include <random>

#include "settings/ConfigFile.h"

namespace sorvane {
namespace {

SlideshowSettings Sample() {
    SlideshowSettings s;
    s.BackgroundColor = 255;
    s.DurationText = "4";
    s.Alignment = "right";
    s.Pictures = {{"beach.jpg", 54, true}, {"dune ridge.png", 12, false}};
    return s;
}

TEST(ConfigFileFormat, WritesEveryLineWithCrLfAndThePrintFormOfTheColour) {
    EXPECT_EQ(FormatConfigFile(Sample()),
              " 255 \r\n4\r\nright\r\nbeach.jpg|54\r\ndune ridge.png|12\r\n");

    SlideshowSettings fresh;  // the desktop colour, "6", no alignment, no pictures
    EXPECT_EQ(FormatConfigFile(fresh), "-2147483647 \r\n6\r\n\r\n");
    EXPECT_EQ(PrintNumber(0), " 0 ");
    EXPECT_EQ(PrintNumber(INT32_MIN), "-2147483648 ");
}

TEST(ConfigFileParse, StopsWhereTheLinesRunOut) {
    // No CR LF at all: nothing, even with LF or CR alone.
    for (const char* text : {"", "255", " 255 \n6\nleft\n", " 255 \r6\rleft\r"}) {
        const auto c = ParseConfigFile(text);
        EXPECT_FALSE(c.BackgroundColor) << text;
        EXPECT_FALSE(c.DurationText) << text;
    }
    // Two pieces: colour and duration, then stop.
    auto two = ParseConfigFile("255\r\n4");
    EXPECT_EQ(two.BackgroundColor, 255u);
    EXPECT_EQ(two.DurationText, "4");
    EXPECT_FALSE(two.Alignment);

    auto three = ParseConfigFile("255\r\n4\r\n");
    EXPECT_EQ(three.Alignment, "");
    EXPECT_TRUE(three.Pictures.empty());

    // A first line that is not a number ends reading at once.
    auto bad = ParseConfigFile("blue\r\n4\r\nleft\r\na.jpg|1\r\n");
    EXPECT_FALSE(bad.BackgroundColor);
    EXPECT_FALSE(bad.DurationText);
    EXPECT_TRUE(bad.Pictures.empty());

    // The duration line is taken character for character.
    EXPECT_EQ(ParseConfigFile("-2147483647 \r\n 6 x\r\n").DurationText, " 6 x");
}

TEST(ConfigFileParse, ColourNumbersConvertLikeTheOriginal) {
    EXPECT_EQ(ParseConfigFile("-2147483647 \r\n6\r\n").BackgroundColor, 0x80000001u);
    EXPECT_EQ(ParseConfigFile("  16777215  \r\n6\r\n").BackgroundColor, 0x00FFFFFFu);
    EXPECT_EQ(ParseConfigFile("&HFF\r\n6\r\n").BackgroundColor, 255u);
    EXPECT_FALSE(ParseConfigFile("4294967295\r\n6\r\n").BackgroundColor);  // beyond 32 bits
    EXPECT_FALSE(ParseConfigFile("\r\n6\r\n").BackgroundColor);
    EXPECT_FALSE(ParseConfigFile("12 34\r\n6\r\n").BackgroundColor);
}

TEST(ConfigFileParse, PictureLinesAreTakenOneByOne) {
    const auto c = ParseConfigFile(
        "255\r\n6\r\ncenter\r\n"
        "beach.jpg|12\r\n"
        "beach.jpg|x\r\n"
        "\r\n"
        "no bar.jpg\r\n"
        "a|b.jpg|7\r\n"  // a Linux name holding a bar: the last bar separates
        "../secret.jpg|3\r\n"
        "sub/dir.jpg|3\r\n"
        "c:\\win.jpg|3\r\n"
        "..|3\r\n"
        "bad\rname.jpg|3\r\n"  // line breaks: adding refuses them too
        "bad\nname.jpg|3\r\n"
        ".|3\r\n"
        "|3\r\n"
        "last.png| 30 \r\n");
    const std::vector<PictureEntry> want = {{"beach.jpg", 12, false},
                                            {"beach.jpg", 0, false},
                                            {"a|b.jpg", 7, false},
                                            {"last.png", 30, false}};
    EXPECT_EQ(c.Pictures, want);
    EXPECT_EQ(c.SkippedLines, 9);
    EXPECT_FALSE(IsBareFileName(std::string("nul\0.jpg", 8)));
}

TEST(ConfigFileParse, TheListStopsAtItsLimit) {
    std::string text = "0\r\n6\r\nleft\r\n";
    for (size_t i = 0; i < MaxPictureEntries + 5; ++i)
        text += "p" + std::to_string(i) + ".jpg|" + std::to_string(i % 55) + "\r\n";
    const auto c = ParseConfigFile(text);
    ASSERT_EQ(c.Pictures.size(), MaxPictureEntries);
    EXPECT_EQ(c.Pictures.back().FileName, "p32766.jpg");
    EXPECT_EQ(c.SkippedLines, 5);
}

TEST(ConfigFileParse, HostileTextNeverBreaksIt) {
    std::mt19937 rng(42);
    for (int round = 0; round < 200; ++round) {
        std::string text(static_cast<size_t>(rng() % 4096), '\0');
        for (char& ch : text) {
            const uint32_t r = rng() % 16;
            ch = r == 0 ? '\r' : r == 1 ? '\n' : r == 2 ? '|' : static_cast<char>(rng());
        }
        const auto c = ParseConfigFile(text);
        for (const auto& p : c.Pictures) EXPECT_TRUE(IsBareFileName(p.FileName));
    }
    // One 10 MB line: nothing applies.
    const std::string line(10 * 1024 * 1024, 'x');
    EXPECT_FALSE(ParseConfigFile(line).BackgroundColor);
    const auto tail = ParseConfigFile("1\r\n2\r\n3\r\n" + line + "|4\r\n");
    ASSERT_EQ(tail.Pictures.size(), 1u);
    EXPECT_EQ(tail.Pictures[0].TransitionIndex, 4);
}

}  // namespace
}  // namespace sorvane
