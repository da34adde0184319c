#include "settings/logic/NumberText.h"

#include <gtest/gtest.h>

using namespace settings;

TEST(NumberText, SinglesAsShortestPlainDecimalText) {
    EXPECT_EQ(SingleToText(1024.0f), "1024");
    EXPECT_EQ(SingleToText(-20.0f), "-20");
    EXPECT_EQ(SingleToText(12.5f), "12.5");
    EXPECT_EQ(SingleToText(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(SingleToText(-0.0f), "0");
    EXPECT_EQ(SingleToText(7185.0f / 15.0f), "479");
    EXPECT_EQ(SingleToText(4000.0f / 12.0f), "333.3333");  // 120 dpi: 12 twips per pixel
    EXPECT_EQ(SingleToText(0.1f), "0.1");
    EXPECT_EQ(SingleToText(1234567.0f), "1234567");
    EXPECT_EQ(ResolutionText(1280.0f, 1024.0f), "1280X1024");
}

TEST(NumberText, TextToWholeNumberRoundsHalvesToEven) {
    EXPECT_EQ(TextToLong("12.5"), 12);
    EXPECT_EQ(TextToLong("13.5"), 14);
    EXPECT_EQ(TextToLong("-12.5"), -12);
    EXPECT_EQ(TextToLong("-13.5"), -14);
    EXPECT_EQ(TextToLong("12.51"), 13);
    EXPECT_EQ(TextToLong("479"), 479);
    EXPECT_EQ(TextToLong(" -20 "), -20);
    EXPECT_EQ(TextToLong("+7"), 7);
    EXPECT_EQ(TextToLong("1e3"), 1000);
    EXPECT_EQ(TextToLong(".5"), 0);
    EXPECT_EQ(TextToLong("2147483647"), 2147483647);
    EXPECT_EQ(TextToLong("-2147483648"), -2147483647 - 1);
}

TEST(NumberText, TextThatIsNoWholeNumberGivesNothing) {
    for (const char* text : {"", " ", "-", "abc", "1,5", "12px", "0x10", "inf", "nan", "-inf", "1e", "--1",
                             "2147483648", "1e10", "1e400", "12 3"})
        EXPECT_EQ(TextToLong(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(TextToLong(std::string_view("479\0", 4)), std::nullopt);
}

TEST(NumberText, RoundHalfEvenOnBothSidesOfZero) {
    EXPECT_EQ(RoundHalfEven(511.5), 512);
    EXPECT_EQ(RoundHalfEven(512.5), 512);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
}
