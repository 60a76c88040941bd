#include <gtest/gtest.h>

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
    std::string pictures = (home / "Pictures/Sorvane/").string();
};

// A page the generator wrote from the real template reads back as written.
TEST_F(PageShowTest, ReadsWhatTheGeneratorWrote) {
    test::TableColors colors;
    NoProgress progress;
    SlideshowSettings settings;
    settings.Pictures = {
        {"beach.jpg", 12}, {"my pic #1 %41.jpg", 54}, {"\xC3\xA9t\xC3\xA9.png", 3}};
    settings.DurationText = "1.5";
    WritePage((home / "Pictures").string(), "", settings,
              (test::SourceDir() / "resources/template.html").string(), colors, progress);
    const PageShow show = ReadPageShow(page);
    EXPECT_EQ(show.Pictures,
              (std::vector<std::string>{pictures + "beach.jpg", pictures + "my pic #1 %41.jpg",
                                        pictures + "\xC3\xA9t\xC3\xA9.png"}));
    EXPECT_EQ(show.IntervalMs, 1500);
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
    EXPECT_EQ(ReadPageShow(page).Pictures, std::vector<std::string>{pictures + "a.png"});
}

TEST_F(PageShowTest, RefusesWhatItCannotShow) {
    EXPECT_THROW(ReadPageShow(page), Error);  // no page
    WriteFile(page, "var ImageCount = -1\r\nvar IntervalText = \"6000\";\r\n");
    EXPECT_THROW(ReadPageShow(page), Error);  // no picture
    for (const char* name : {"..%2F..%2Fsecret", "..", "a%00b"}) {
        WriteFile(page, std::string("Img[0] = new ImageData(\"") + name + "\", 1);\r\n");
        EXPECT_THROW(ReadPageShow(page), Error) << name;
    }
}

}  // namespace
