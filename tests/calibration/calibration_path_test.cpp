#include "calibration/calibration_path.h"

#include <gtest/gtest.h>

TEST(CalibrationPath, SquareIsCentredInTheArea)
{
    EXPECT_EQ(CentredSquare({15, 100, 625, 400}), (Rect{170, 100, 470, 400}));
    EXPECT_EQ(CentredSquare({15, 100, 275, 501}), (Rect{15, 170, 275, 430}));
    EXPECT_EQ(CentredSquare({0, 0, 10, 10}), (Rect{0, 0, 10, 10}));
}

TEST(CalibrationPath, PartsJoinAroundTheSquare)
{
    const Rect rc{100, 50, 400, 350};
    const auto path = CalibrationPath(rc);
    // Each side ends where the next corner's arc starts, one pixel apart at most.
    for (int k = 0; k < 8; k += 2) {
        const PathPart& side = path[k];
        const PathPart& corner = path[k + 1];
        EXPECT_FALSE(side.bArc);
        EXPECT_TRUE(corner.bArc);
        EXPECT_LE(std::abs(side.end.x - corner.end.x) + std::abs(side.end.y - corner.end.y), 2) << k;
        EXPECT_EQ(corner.box.Width(), 41);
        EXPECT_EQ(corner.box.Height(), 41);
    }
    EXPECT_EQ(path[0].start, (PathPoint{100, 330}));
    EXPECT_EQ(path[4].start, (PathPoint{400, 70}));
}

TEST(CalibrationPath, LegProgressGrowsWithTheTicksAndStopsAtTheExpectedTime)
{
    const Rect rc{100, 50, 400, 350};
    EXPECT_FALSE(LegProgress(rc, 1, 10));
    EXPECT_FALSE(LegProgress(rc, 3, 10));
    EXPECT_FALSE(LegProgress(rc, 2, 85));
    EXPECT_FALSE(LegProgress(rc, 4, 25));

    const auto half = LegProgress(rc, 2, 42);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->end, (PathPoint{100, 330 - 260 * 42 / 84}));
    const auto full = LegProgress(rc, 6, 84);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->end, (PathPoint{380, 50}));

    const auto turnDone = LegProgress(rc, 16, 24);
    ASSERT_TRUE(turnDone);
    EXPECT_TRUE(turnDone->bArc);
    EXPECT_EQ(turnDone->start, (PathPoint{100, 330})); // the full quarter, from the west side's end
    const auto west = LegProgress(rc, 14, 84);
    ASSERT_TRUE(west);
    EXPECT_EQ(west->end, (PathPoint{120, 350}));
}
