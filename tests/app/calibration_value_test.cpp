#include "app/calibration_value.h"

#include "drive/rotation_direction.h"

#include <gtest/gtest.h>

TEST(CalibrationValue, HasDirectionLetterAndSeventeenLowerCaseLetters)
{
    for (int nDirection : {DIRECTION_RIGHT, DIRECTION_LEFT}) {
        Rand15 random(12345);
        const std::string strValue = MakeCalibrationValue(nDirection, random);
        ASSERT_EQ(strValue.size(), 18u);
        EXPECT_EQ(strValue[0], nDirection == DIRECTION_RIGHT ? 'r' : 'l');
        for (char c : strValue.substr(1))
            EXPECT_TRUE(c >= 'a' && c <= 'z') << strValue;
    }
}

TEST(CalibrationValue, LettersComeFromTheGeneratorSeededWithTheGivenTime)
{
    Rand15 reference(42);
    std::string strExpected = "r";
    for (int i = 0; i < 17; ++i)
        strExpected += static_cast<char>('a' + reference.Next() % 26);

    Rand15 random(42);
    EXPECT_EQ(MakeCalibrationValue(DIRECTION_RIGHT, random), strExpected);
    Rand15 other(43);
    EXPECT_NE(MakeCalibrationValue(DIRECTION_RIGHT, other), strExpected);
}

TEST(CalibrationValue, OnlyTheFirstCharacterIsRead)
{
    EXPECT_FALSE(ReadCalibrationValue("").bCalibrated);

    const StoredCalibration right = ReadCalibrationValue("r");
    EXPECT_TRUE(right.bCalibrated);
    EXPECT_EQ(right.nDirection, DIRECTION_RIGHT);

    for (const char* pszValue : {"lqwertzuiopasdfghj", "l", "R", "Rabc", "x", " r"}) {
        const StoredCalibration stored = ReadCalibrationValue(pszValue);
        EXPECT_TRUE(stored.bCalibrated) << pszValue;
        EXPECT_EQ(stored.nDirection, DIRECTION_LEFT) << pszValue;
    }
}

TEST(Rand15, FollowsTheClassicRuntimeSequence)
{
    // The first draws of the classic C runtime after srand(1).
    Rand15 random(1);
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
    EXPECT_EQ(random.Next(), 26500);
}
