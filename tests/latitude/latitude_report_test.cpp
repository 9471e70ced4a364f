#include "latitude/latitude_report.h"

#include <gtest/gtest.h>

namespace {

TEST(LatitudeReport, DisplayedLatitudeTruncatesDegreesAndMinutes)
{
    const DegreesMinutes exact = DisplayedLatitude(1.0, 6.5, 48.1333333333333);
    EXPECT_EQ(exact.nDegrees, 48);
    EXPECT_EQ(exact.nMinutes, 7) << "48.1333333333333 is 7.99999 minutes past 48";

    const DegreesMinutes high = DisplayedLatitude(1.1, 75.0, 51.1);
    EXPECT_EQ(high.nDegrees, 58);
    EXPECT_EQ(high.nMinutes, 36);
    const DegreesMinutes low = DisplayedLatitude(0.5, 75.0, 51.1);
    EXPECT_EQ(low.nDegrees, 13);
    EXPECT_EQ(low.nMinutes, 36);
}

TEST(LatitudeReport, MeasuredFieldHasTwoDigitsAndTheDegreeSign)
{
    EXPECT_EQ(MeasuredField({48, 7}), "48\u00b0 07'");
    EXPECT_EQ(MeasuredField({5, 0}), "05\u00b0 00'");
}

TEST(LatitudeReport, LocationSourceNamesTheApiVersionAndCountry)
{
    EXPECT_EQ(LocationSourceField("49", "089"), "V 4.49");
    EXPECT_EQ(LocationSourceField("", ""), "V 3.0");
    EXPECT_EQ(LocationSourceField("", "089"), "V 4.0");
    EXPECT_EQ(LocationSourceField("41", ""), "V 3.41");
}

TEST(LatitudeReport, ReportHasEightLabelledLinesWithCrLfAndTabs)
{
    EXPECT_EQ(FormatLatitudeReport("TOSHIBA MK4019GAX", +1, "49", "089", {48, 7}),
              "=== BEGIN QUORVEL LATITUDE ===\r\n"
              "Plattentyp:\tTOSHIBA MK4019GAX\r\n"
              "Drehrichtung:\trechts\r\n"
              "RL-API:\tV 4.49\r\n"
              "Gemessen:\t48\u00b0 07'\r\n"
              "Ort:\t<Bitte erg\u00e4nzen>\r\n"
              "Breitengrad:\t<Bitte erg\u00e4nzen>\r\n"
              "=== END QUORVEL LATITUDE ===\r\n");

    const std::string strLeft = FormatLatitudeReport("IBM-DJSA-220", -1, "", "", {51, 6});
    EXPECT_NE(strLeft.find("\r\nDrehrichtung:\tlinks\r\n"), std::string::npos);
    EXPECT_NE(strLeft.find("\r\nRL-API:\tV 3.0\r\n"), std::string::npos);
    EXPECT_NE(strLeft.find("\r\nGemessen:\t51\u00b0 06'\r\n"), std::string::npos);
}

} // namespace
