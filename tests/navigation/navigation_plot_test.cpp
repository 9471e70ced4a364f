#include "navigation/navigation_model.h"
#include "navigation/navigation_plot.h"

#include <gtest/gtest.h>

TEST(NavigationPlot, MapToPlotPutsTheOriginInTheCentreAndTheScaleOnTheEdges)
{
    const Rect rcPlot{100, 40, 401, 341}; // 301 wide: half is 150
    EXPECT_EQ(MapToPlot(rcPlot, 1.5, {0.0, 0.0}), (PlotPixel{250, 190}));
    EXPECT_EQ(MapToPlot(rcPlot, 1.5, {1.5, -1.5}), (PlotPixel{400, 40}));
    EXPECT_EQ(MapToPlot(rcPlot, 1.5, {-1.5, 1.5}), (PlotPixel{100, 340}));
    // Truncated, not rounded: 250 + 150 * 0.011 = 251.65 and 190 - 150 * 0.009 = 188.65.
    EXPECT_EQ(MapToPlot(rcPlot, 1.5, {0.0165, -0.0135}), (PlotPixel{251, 188}));
    EXPECT_EQ(MapToPlot(rcPlot, 3.0, {0.75, 0.0}), (PlotPixel{287, 190}));
    // The vertical half is the horizontal one, whatever the rectangle's height.
    EXPECT_EQ(MapToPlot(Rect{0, 0, 200, 50}, 1.0, {0.0, 1.0}), (PlotPixel{100, 200}));
}

TEST(NavigationPlot, ScaleGrowsToTheLargerCoordinateAndNeverShrinks)
{
    double dScale = 1.5;
    EXPECT_FALSE(FitScale(dScale, {1.5, -1.5}));
    EXPECT_EQ(dScale, 1.5);
    EXPECT_TRUE(FitScale(dScale, {-1.75, 0.5}));
    EXPECT_EQ(dScale, 1.75);
    EXPECT_TRUE(FitScale(dScale, {1.8, -2.25}));
    EXPECT_EQ(dScale, 2.25);
    EXPECT_FALSE(FitScale(dScale, {0.1, 0.1}));
    EXPECT_EQ(dScale, 2.25);
}

TEST(NavigationPlot, TrackKeepsOnePointPerStraightStretch)
{
    std::vector<NavPoint> track;
    ExtendTrack(track, {0.0, 0.0}, true); // the first point is appended even on the same course
    ASSERT_EQ(track.size(), 1u);
    ExtendTrack(track, {0.0, -0.1}, true);
    ExtendTrack(track, {0.0, -0.2}, true);
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track.back(), (NavPoint{0.0, -0.2}));
    ExtendTrack(track, {0.1, -0.2}, false);
    ExtendTrack(track, {0.2, -0.2}, true);
    ASSERT_EQ(track.size(), 2u);
    EXPECT_EQ(track[0], (NavPoint{0.0, -0.2}));
    EXPECT_EQ(track[1], (NavPoint{0.2, -0.2}));
}

TEST(NavigationPlot, StatusTextShowsWholeDegreesAndThePaddedSpeed)
{
    EXPECT_EQ(CourseAndSpeedText(0.0, 0.0), "Kurs: 000°\nGeschwindigkeit: 000.00");
    EXPECT_EQ(CourseAndSpeedText(NAV_TWO_PI, 0.05), "Kurs: 360°\nGeschwindigkeit: 125.00");
    EXPECT_EQ(CourseAndSpeedText(NAV_TWO_PI / 4, 0.048), "Kurs: 090°\nGeschwindigkeit: 120.00");
    // Degrees are truncated: just below a whole degree shows the one below it.
    EXPECT_EQ(CourseAndSpeedText(0.785, 0.0004), // 44.98 degrees
              "Kurs: 044°\nGeschwindigkeit: 001.00");
    EXPECT_EQ(CourseAndSpeedText(3.0, 0.0123456), "Kurs: 171°\nGeschwindigkeit: 030.86");
}
