#include "app/calibration_value.h"

#include "drive/rotation_direction.h"

#include <gtest/gtest.h>

// The values that tools/model-sequences.py computes from the rule: the direction letter, then
// 17 letters 'a' + rand() % 26 from the classic generator seeded with the given time.
TEST(CalibrationValue, DirectionLetterThenSeventeenLettersFromTheSeededGenerator)
{
    const struct {
        std::uint32_t nSeed;
        const char* pszRight;
        const char* pszLeft;
    } cases[] = {
        {42, "rtkhapjiabbnydbwhy", "ltkhapjiabbnydbwhy"},
        {43, "rxvbfhkakcxvqilkvc", "lxvbfhkakcxvqilkvc"},
    };
    for (const auto& c : cases) {
        Rand15 right(c.nSeed);
        EXPECT_EQ(MakeCalibrationValue(DIRECTION_RIGHT, right), c.pszRight);
        Rand15 left(c.nSeed);
        EXPECT_EQ(MakeCalibrationValue(DIRECTION_LEFT, left), c.pszLeft);
    }
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
