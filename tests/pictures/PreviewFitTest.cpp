#include <gtest/gtest.h>

#include "pictures/PreviewFit.h"

using namespace sorvane;

namespace {

PreviewRect Fit(int pw, int ph, int sw = 200, int sh = 150) {
    return FitPreview({pw, ph}, {sw, sh}).value();
}

}  // namespace

TEST(PreviewFit, FillsTheBoxInOneDirectionAndCentresInTheOther) {
    EXPECT_EQ(Fit(300, 600), (PreviewRect{62, 0, 75, 150}));    // tall; left 62.5 -> 62
    EXPECT_EQ(Fit(1000, 500), (PreviewRect{0, 25, 200, 100}));  // wide
    EXPECT_EQ(Fit(400, 400), (PreviewRect{25, 0, 150, 150}));   // square: too tall at full width
    EXPECT_EQ(Fit(20, 10), (PreviewRect{0, 25, 200, 100}));     // small pictures are enlarged
}

TEST(PreviewFit, TallPictureInANarrowBoxFallsBackToWidth) {
    // 100 x 120 in 50 x 150: height first gives 125 wide, too wide.
    EXPECT_EQ(Fit(100, 120, 50, 150), (PreviewRect{0, 45, 50, 60}));
}

TEST(PreviewFit, OddRemaindersRoundHalfToEven) {
    // 3 x 1 in 200 x 150: height 66.67 -> 67, top (150 - 67) / 2 = 41.5 -> 42.
    EXPECT_EQ(Fit(3, 1), (PreviewRect{0, 42, 200, 67}));
    // 1 x 3 in 201 x 150: width 50, left (201 - 50) / 2 = 75.5 -> 76.
    EXPECT_EQ(Fit(1, 3, 201, 150), (PreviewRect{76, 0, 50, 150}));
}

TEST(PreviewFit, HugePicturesDoNotOverflow) {
    EXPECT_EQ(Fit(2000000000, 1000000000, 2000, 1500), (PreviewRect{0, 250, 2000, 1000}));
}

TEST(PreviewFit, PictureWithoutAreaIsNotDrawn) {
    EXPECT_FALSE(FitPreview({0, 10}, {200, 150}));
    EXPECT_FALSE(FitPreview({10, 0}, {200, 150}));
}

TEST(PreviewFit, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.4), -2);
}
