#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

#include "imaging/Preparation.h"

namespace sorvane {
namespace {

TEST(TargetSize, WorkAreaLessMarginsBoundedByLargestSideBySide) {
    const Rect area{0, 0, 1024, 738};
    EXPECT_EQ(TargetSizeFor(area, {3000, 3000}), (PixelSize{1004, 718}));
    EXPECT_EQ(TargetSizeFor(area, {800, 600}), (PixelSize{800, 600}));
    // Each side is bounded on its own.
    EXPECT_EQ(TargetSizeFor(area, {3000, 500}), (PixelSize{1004, 500}));
    // An offset work area (a panel on the left or top) keeps its size.
    EXPECT_EQ(TargetSizeFor({64, 30, 1088, 768}, {3000, 3000}), (PixelSize{1004, 718}));
}

// Work areas at the ends of the 32-bit range neither wrap nor trap.
TEST(TargetSize, ExtremeWorkAreasDoNotOverflow) {
    const PixelSize largest{3000, 3000};
    EXPECT_EQ(TargetSizeFor({INT32_MIN, 0, INT32_MAX, 800}, largest), (PixelSize{3000, 780}));
    EXPECT_EQ(TargetSizeFor({0, 0, INT32_MIN, 800}, largest), (PixelSize{INT32_MIN, 780}));
}

struct FitCase {
    int32_t w, h;
    int align;
    PicturePlacement expected;
};

const char* AlignName(int align) { return align == 0 ? "Left" : align == 1 ? "Centre" : "Right"; }

// Printed and named as "2592x1944_Left" rather than as raw bytes.
void PrintTo(const FitCase& c, std::ostream* out) {
    *out << c.w << "x" << c.h << " " << AlignName(c.align);
}
std::string CaseName(const ::testing::TestParamInfo<FitCase>& info) {
    return std::to_string(info.param.w) + "x" + std::to_string(info.param.h) + "_" +
           AlignName(info.param.align);
}

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
        FitCase{900, 1436, 1, {277, 0, 727, 718}}),
    CaseName);

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
