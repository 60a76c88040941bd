#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <vector>

#include "common/FakeColors.h"
#include "common/TempHome.h"
#include "page/PageGenerator.h"
#include "page/PageShow.h"
#include "platform/Error.h"

using namespace sorvane;
using sorvane::test::WriteFile;

namespace {

class NoProgress : public Progress {
  public:
    void SetLabel(const std::string&) override {}
    void SetMaximum(int) override {}
    void SetValue(int) override {}
    void Repaint() override {}
};

struct PageShowTest : ::testing::Test {
    test::TempHome home;
    std::string page = (home / "Pictures/Sorvane.html").string();
    // The prepared copies' paths, compared as paths: Windows writes either
    // separator.
    std::vector<std::filesystem::path> Copies(std::initializer_list<const char*> names) const {
        std::vector<std::filesystem::path> out;
        for (const char* name : names) out.push_back(home / "Pictures" / "Sorvane" / name);
        return out;
    }
    static std::vector<std::filesystem::path> Paths(const std::vector<std::string>& texts) {
        return {texts.begin(), texts.end()};
    }
};

// A page the generator wrote from the real template reads back as written.
TEST_F(PageShowTest, ReadsWhatTheGeneratorWrote) {
    test::TableColors colors;
    NoProgress progress;
    SlideshowSettings settings;
    settings.Pictures = {{"beach.jpg", 12}, {"my pic #1 %41.jpg", 54}};
#ifndef _WIN32
    // A name's own bytes (on Windows the page carries ANSI names as UTF-8,
    // and only the Linux desktop host reads pages back).
    settings.Pictures.push_back({"\xC3\xA9t\xC3\xA9.png", 3});
#endif
    settings.DurationText = "1.5";
    settings.BackgroundColor = 0x00336699;
    WritePage((home / "Pictures").string(), "", settings,
              (test::SourceDir() / "resources/template.html").string(), colors, progress);
    const PageShow show = ReadPageShow(page);
    std::vector<std::filesystem::path> want = Copies({"beach.jpg", "my pic #1 %41.jpg"});
    if (settings.Pictures.size() == 3) want.push_back(Copies({"\xC3\xA9t\xC3\xA9.png"})[0]);
    EXPECT_EQ(Paths(show.Pictures), want);
    EXPECT_EQ(show.IntervalMs, 1500);
    EXPECT_EQ(show.ColorRgb, 0x996633u);
}

TEST_F(PageShowTest, IntervalAsTheScriptReadsIt) {
    const struct {
        const char* text;
        double ms;
    } cases[] = {{"6000", 6000},
                 {"", 6000},
                 {"abc", 6000},
                 {"100", 500},
                 {" 1500.5xyz", 1500.5},
                 {"1e4", 10000},
                 {"-5", 500},
                 {".", 6000},
                 {"Infinity", 2147483647},
                 {"1e400", 2147483647},
                 {"2e", 500}};
    for (const auto& c : cases) EXPECT_EQ(PageIntervalMs(c.text), c.ms) << c.text;
}

// The script's count: ImageCount caps the list and a gap ends it.
TEST_F(PageShowTest, CountsAsTheScriptDoes) {
    const std::string lines =
        "Img[0] = new ImageData(\"a.png\", 1);\r\nImg[1] = new ImageData(\"b.png\", 1);\r\n"
        "Img[3] = new ImageData(\"d.png\", 1);\r\n";
    WriteFile(page, lines + "var ImageCount = 3\r\n");
    EXPECT_EQ(ReadPageShow(page).Pictures.size(), 2u);
    WriteFile(page, lines + "var ImageCount = 0\r\n");
    EXPECT_EQ(Paths(ReadPageShow(page).Pictures), Copies({"a.png"}));
}

TEST_F(PageShowTest, RefusesWhatItCannotShow) {
    EXPECT_THROW(ReadPageShow(page), Error);  // no page
    WriteFile(page, "var ImageCount = -1\r\nvar IntervalText = \"6000\";\r\n");
    EXPECT_THROW(ReadPageShow(page), Error);  // no picture
    for (const char* name : {"..%2F..%2Fsecret", "..", "a%00b",
#ifdef _WIN32
                             "..%5C..%5Csecret", "C:secret",
#endif
                             "."}) {
        WriteFile(page, std::string("Img[0] = new ImageData(\"") + name + "\", 1);\r\n");
        EXPECT_THROW(ReadPageShow(page), Error) << name;
    }
}

}  // namespace
