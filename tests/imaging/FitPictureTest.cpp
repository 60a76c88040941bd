#include <gtest/gtest.h>

#include <climits>

#include "imaging/Preparation.h"

namespace sorvane {
namespace {

class FixedScreen : public Screen {
  public:
    explicit FixedScreen(Rect r) : area(r) {}
    Rect WorkArea() override { return area; }
    Rect area;
};

TEST(ComputeTargetSize, WorkAreaLessMarginsBoundedByLargestSideBySide) {
    FixedScreen screen({0, 0, 1024, 738});
    FormState form;
    form.Window.LargestSize = {3000, 3000};
    ComputeTargetSize(form, screen);
    EXPECT_EQ(form.Window.TargetSize, (PixelSize{1004, 718}));

    form.Window.LargestSize = {800, 600};
    ComputeTargetSize(form, screen);
    EXPECT_EQ(form.Window.TargetSize, (PixelSize{800, 600}));

    // Each side is bounded on its own.
    form.Window.LargestSize = {3000, 500};
    ComputeTargetSize(form, screen);
    EXPECT_EQ(form.Window.TargetSize, (PixelSize{1004, 500}));

    // An offset work area (a panel on the left or top) keeps its size.
    screen.area = {64, 30, 1088, 768};
    form.Window.LargestSize = {3000, 3000};
    ComputeTargetSize(form, screen);
    EXPECT_EQ(form.Window.TargetSize, (PixelSize{1004, 718}));
}

// Work areas at the ends of the 32-bit range neither wrap nor trap.
TEST(ComputeTargetSize, ExtremeWorkAreasDoNotOverflow) {
    FormState form;
    form.Window.LargestSize = {3000, 3000};
    FixedScreen wide({INT32_MIN, 0, INT32_MAX, 800});
    ComputeTargetSize(form, wide);
    EXPECT_EQ(form.Window.TargetSize, (PixelSize{3000, 780}));
    FixedScreen inverted({0, 0, INT32_MIN, 800});
    ComputeTargetSize(form, inverted);
    EXPECT_EQ(form.Window.TargetSize, (PixelSize{INT32_MIN, 780}));
}

struct FitCase {
    int32_t w, h;
    int align;
    PicturePlacement expected;
};

class FitPictureCases : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitPictureCases, PlacesThePictureOnTheTarget) {
    const FitCase& c = GetParam();
    PicturePlacement p{0, 0, c.w, c.h};
    FitPicture(p, {1004, 718}, c.align);
    EXPECT_EQ(p.Left, c.expected.Left);
    EXPECT_EQ(p.Top, c.expected.Top);
    EXPECT_EQ(p.Right, c.expected.Right);
    EXPECT_EQ(p.Bottom, c.expected.Bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Target1004x718, FitPictureCases,
    ::testing::Values(
        // Landscape 2592 × 1944: width first, 718 tall; 23.5 rounds to 24.
        FitCase{2592, 1944, 0, {0, 0, 957, 718}}, FitCase{2592, 1944, 1, {24, 0, 981, 718}},
        FitCase{2592, 1944, 2, {47, 0, 1004, 718}},
        // Portrait: width first gives 1339 tall, so height rules; 538.5 rounds to 538.
        FitCase{1944, 2592, 1, {233, 0, 771, 718}},
        // Small: never enlarged; 118.5 rounds to 118.
        FitCase{640, 481, 1, {182, 118, 822, 599}}, FitCase{640, 481, 0, {0, 118, 640, 599}},
        FitCase{640, 481, 2, {364, 118, 1004, 599}},
        // Exactly the target: at (0, 0) under every alignment.
        FitCase{1004, 718, 0, {0, 0, 1004, 718}}, FitCase{1004, 718, 1, {0, 0, 1004, 718}},
        FitCase{1004, 718, 2, {0, 0, 1004, 718}},
        // Only too tall.
        FitCase{900, 1436, 1, {277, 0, 727, 718}}));

TEST(FitPicture, KeepsWithinTheTargetForExtremeShapes) {
    for (const auto& [w, h] : {std::pair{100000, 3}, std::pair{3, 100000}, std::pair{5000, 1}}) {
        PicturePlacement p{0, 0, w, h};
        FitPicture(p, {1004, 718}, 1);
        EXPECT_GE(p.Left, 0);
        EXPECT_GE(p.Top, 0);
        EXPECT_LE(p.Right, 1004);
        EXPECT_LE(p.Bottom, 718);
    }
}

}  // namespace
}  // namespace sorvane
