#include "app/text_contrast.h"

#include <gtest/gtest.h>

namespace {

constexpr Rgb kLightFace{239, 239, 239}; // Fusion's light button face
constexpr Rgb kDarkFace{53, 53, 53};     // a usual dark palette's button face
constexpr Rgb kDarkText{230, 230, 230};

TEST(TextContrast, RatiosFollowTheUsualDefinition)
{
    EXPECT_NEAR(ContrastRatio(Rgb{0, 0, 0}, Rgb{255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Rgb{9, 9, 9}, Rgb{9, 9, 9}), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(kRed, Rgb{255, 255, 255}), 4.0, 0.01);
    EXPECT_TRUE(IsDarkBackground(kDarkFace));
    EXPECT_FALSE(IsDarkBackground(kLightFace));
}

TEST(TextContrast, LightPalettesKeepTheGivenColours)
{
    for (const Rgb colour : {kBlack, kRed, kMagenta, kBlue, kGreen})
        EXPECT_EQ(ReadableTextColour(colour, kLightFace, kBlack), colour);
}

TEST(TextContrast, DarkPalettesGetThePaletteTextForBlackAndAReadableShadeOtherwise)
{
    EXPECT_EQ(ReadableTextColour(kBlack, kDarkFace, kDarkText), kDarkText);
    for (const Rgb colour : {kRed, kMagenta, kBlue, kGreen}) {
        const Rgb shown = ReadableTextColour(colour, kDarkFace, kDarkText);
        EXPECT_GE(ContrastRatio(shown, kDarkFace), kReadableContrast);
        EXPECT_LT(ContrastRatio(shown, kDarkFace), kReadableContrast + 0.5) << "no lighter than needed";
    }
    const Rgb red = ReadableTextColour(kRed, kDarkFace, kDarkText);
    EXPECT_EQ(red.r, 255);
    EXPECT_EQ(red.g, red.b) << "still a red";
    EXPECT_LT(red.g, 160);
}

TEST(TextContrast, TextOverABarTakesBlackOrWhiteWhicheverReads)
{
    EXPECT_EQ(TextColourOn(kGreen), kBlack);
    EXPECT_GE(ContrastRatio(TextColourOn(kGreen), kGreen), kReadableContrast);
    EXPECT_EQ(TextColourOn(Rgb{20, 20, 90}), (Rgb{255, 255, 255}));
}

} // namespace
