#include <gtest/gtest.h>

#include <filesystem>

#include "common/FakeColors.h"
#include "common/TempHome.h"
#include "page/PageGenerator.h"
#include "platform/Error.h"

namespace fs = std::filesystem;
using namespace sorvane;
using sorvane::test::ReadFile;
using sorvane::test::WriteFile;

namespace {

class RecordingProgress : public Progress {
  public:
    void SetLabel(const std::string& t) override { label = t; }
    void SetMaximum(int m) override { max = m; }
    void SetValue(int v) override { values.push_back(v); }
    void Repaint() override {}
    std::string label;
    int max = -1;
    std::vector<int> values;
};

struct PageFixture : ::testing::Test {
    test::TempHome home;
    test::TableColors colors;
    RecordingProgress progress;
    SlideshowSettings settings;
    std::string folder = (home / "Pictures").string();
    fs::path templ = home / "template.html";

    void WriteNamed(const std::string& name) {
        WritePage(folder, name, settings, templ.string(), colors, progress);
    }
    std::string Write(std::string name = {}) {
        WriteNamed(name);
        return ReadFile(home / "Pictures" / (name.empty() ? "Sorvane.html" : name));
    }
};

TEST_F(PageFixture, EveryMarkerTwiceGivesExactBytes) {
    const std::string markers =
        "<!-- Image Array --><!-- Interval --><!-- Color --><!-- First Image --><!-- Alignment -->";
    WriteFile(templ, "A" + markers + "\nB" + markers + "<!-- color -->");
    settings.Pictures = {{"beach.jpg", 12}, {"my pic #1.jpg", 54}};
    settings.BackgroundColor = 0x0000FF0A;  // red 10, green 255, blue 0
    settings.DurationText = "0.5";
    settings.Alignment = "right";
    const std::string values =
        "Img[0] = new ImageData(\"beach.jpg\", 12);\r\n"
        "Img[1] = new ImageData(\"my%20pic%20%231.jpg\", 54);\r\n"
        "var ImageCount = 1\r\n"
        "500#0AFF00Sorvane/beach.jpgright";
    WriteNamed("");
    EXPECT_EQ(ReadFile(home / "Pictures/Sorvane.html"),
              "A" + values + "\nB" + values + "<!-- color -->\r\n");
    EXPECT_EQ(progress.label, "Creating Sorvane.html...");
    EXPECT_EQ(progress.max, 100);
    EXPECT_EQ(progress.values, (std::vector<int>{50, 0}));
}

TEST_F(PageFixture, TemplateWithoutMarkersComesBackPlusCrLf) {
    WriteFile(templ, "<html>\n<!--Color--></html>");
    EXPECT_EQ(Write(), "<html>\n<!--Color--></html>\r\n");
}

TEST_F(PageFixture, EmptyListAndPreviewName) {
    WriteFile(templ, "<!-- Image Array -->|<!-- First Image -->|<!-- Alignment -->|");
    EXPECT_EQ(Write("WP1.TMP.html"), "var ImageCount = -1\r\n|Sorvane/||\r\n");
    EXPECT_FALSE(fs::exists(home / "Pictures/Sorvane.html"));
}

TEST_F(PageFixture, ShorterPageLeavesNoStaleTail) {
    WriteFile(templ, std::string(5000, 'x'));
    Write();
    WriteFile(templ, "short");
    EXPECT_EQ(Write(), "short\r\n");
}

TEST_F(PageFixture, FailuresLeaveTheOldPageAndTheFlags) {
    WriteFile(home / "Pictures/Sorvane.html", "old page");
    WriteFile(templ, "<!-- Interval -->");
    settings.DurationText = "abc";
    EXPECT_THROW(WriteNamed(""), Error);
    EXPECT_EQ(ReadFile(home / "Pictures/Sorvane.html"), "old page");

    settings.DurationText = "6";
    EXPECT_THROW(
        WritePage(folder, "", settings, (home / "missing.html").string(), colors, progress), Error);
    EXPECT_EQ(ReadFile(home / "Pictures/Sorvane.html"), "old page");

    folder = (home / "no such folder").string();
    EXPECT_THROW(WriteNamed(""), Error);
    // Nothing half-written lies about in the folder either.
    for (const auto& e : fs::directory_iterator(home / "Pictures"))
        EXPECT_EQ(e.path().filename(), "Sorvane.html");
}

// The alignment word reaches the script as stored in config.dat, whatever it
// holds; it must stay one string there.
TEST_F(PageFixture, AlignmentWordStaysInsideItsScriptString) {
    WriteFile(templ, "var AlignmentText = \"<!-- Alignment -->\";");
    const struct {
        const char* word;
        const char* inPage;
    } cases[] = {
        {"right", "right"},
        {"right\"x", "right\\x22x"},
        {"center\";document.title=\"injected\";//",
         "center\\x22;document.title=\\x22injected\\x22;//"},
        {"a\\b'c", "a\\x5Cb\\x27c"},
        {"</script><b>\n", "\\x3C/script\\x3E\\x3Cb\\x3E\\x0A"},
        {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
    };
    for (const auto& c : cases) {
        settings.Alignment = c.word;
        EXPECT_EQ(Write(), std::string("var AlignmentText = \"") + c.inPage + "\";\r\n") << c.word;
        EXPECT_EQ(settings.Alignment, c.word) << "the stored word is unchanged";
    }
}

// A colour that does not translate gives the page the grey the prepared
// copies are laid on.
TEST_F(PageFixture, UntranslatableColourGivesTheCopiesGrey) {
    WriteFile(templ, "<!-- Color -->");
    settings.BackgroundColor = 0x8000001F;
    EXPECT_EQ(Write(), "#404040\r\n");
    EXPECT_EQ(FallbackBackgroundColor, 0x404040u);
}

TEST(PageValues, Colour) {
    test::TableColors colors;
    EXPECT_EQ(FormatPageColor(0, colors), "#000000");
    EXPECT_EQ(FormatPageColor(0x00FF0000, colors), "#0000FF");
    EXPECT_EQ(FormatPageColor(0x80000001, colors), "#3A6EA5") << "the desktop's system colour";
    EXPECT_EQ(FormatPageColor(0x8000001F, colors), "") << "no such system colour";
    EXPECT_EQ(FormatPageColor(0x40000000, colors), "");
}

TEST(PageValues, IntervalInMilliseconds) {
    EXPECT_EQ(IntervalText("6", '.'), "6000");
    EXPECT_EQ(IntervalText("2.5", '.'), "2500");
    EXPECT_EQ(IntervalText(" 0.5 ", '.'), "500");
    EXPECT_EQ(IntervalText("0.0015", '.'), "1.5");
    // The general number form: 15 significant digits, no exponent below 1e15.
    EXPECT_EQ(IntervalText("100", '.'), "100000");
    EXPECT_EQ(IntervalText("600", '.'), "600000");
    EXPECT_EQ(IntervalText("1.005", '.'), "1005");
    EXPECT_EQ(IntervalText("999999999999", '.'), "999999999999000");
    EXPECT_EQ(IntervalText("2,5", ','), "2500") << "a German user's decimal comma";
    // A show saved under one locale builds under the other, both ways.
    EXPECT_EQ(IntervalText("2,5", '.'), "2500");
    EXPECT_EQ(IntervalText("2.5", ','), "2500");
    for (const char* bad :
         {"abc", "", "  ", "6s", "1e400", "nan", "inf", "1,000.5", "1.000,5", "1,0,0", "2,.5"})
        EXPECT_THROW(IntervalText(bad, '.'), Error) << bad;
}

TEST(PageValues, FileNamesStaySafeInScriptAndMarkup) {
    EXPECT_EQ(PageUrlEscape("beach.jpg"), "beach.jpg");
    EXPECT_EQ(PageUrlEscape("a\"b\\c<d>&'#%?\n e.jpg"),
              "a%22b%5Cc%3Cd%3E%26%27%23%25%3F%0A%20e.jpg");
    EXPECT_EQ(PageUrlEscape("\xC3\xA9t\xC3\xA9.png"), "%C3%A9t%C3%A9.png");
}

TEST(PageValues, ReplaceAllHandlesAdjacentAndOverlappingText) {
    EXPECT_EQ(ReplaceAll("xMMx", "M", "MM"), "xMMMMx");
    EXPECT_EQ(ReplaceAll("", "M", "a"), "");
}

}  // namespace
