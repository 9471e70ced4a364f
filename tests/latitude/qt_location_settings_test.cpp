#include "latitude/qt_location_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LocationSettingsTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString m_strIniFile = m_dir.filePath(QStringLiteral("Quorvel.conf"));

    // The settings file as a user would write it by hand.
    void Write(const char* pszContent)
    {
        QFile file(m_strIniFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(pszContent);
    }

    std::optional<LocationCodes> Query(const char* pszContent)
    {
        Write(pszContent);
        return QtLocationSettings(m_strIniFile).QueryLocation();
    }
};

TEST_F(LocationSettingsTest, ReadsTheCodesAsWritten)
{
    const auto codes = Query("[Daten]\nKalibrierung=rabcdefghijklmnopq\n[Standort]\nLandeskennzahl=49\nOrtskennzahl=089\n");
    ASSERT_TRUE(codes);
    EXPECT_EQ(codes->strCountryCode, "49");
    EXPECT_EQ(codes->strCityCode, "089");

    const auto longest = Query("[Standort]\nLandeskennzahl=0000049\nOrtskennzahl=0331900\n");
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->strCountryCode, "0000049");
    EXPECT_EQ(longest->strCityCode, "0331900");
}

TEST_F(LocationSettingsTest, AnEmptyOrMissingAreaCodeIsAllowed)
{
    const auto empty = Query("[Standort]\nLandeskennzahl=41\nOrtskennzahl=\n");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->strCityCode, "");
    const auto missing = Query("[Standort]\nLandeskennzahl=43\n");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->strCountryCode, "43");
    EXPECT_EQ(missing->strCityCode, "");
}

TEST_F(LocationSettingsTest, AnythingElseIsAFailedQuery)
{
    for (const char* pszContent : {
             "",
             "[Daten]\nKalibrierung=\n",
             "[Standort]\nOrtskennzahl=089\n",
             "[Standort]\nLandeskennzahl=\nOrtskennzahl=089\n",
             "[Standort]\nLandeskennzahl=00000049\nOrtskennzahl=089\n",
             "[Standort]\nLandeskennzahl=49\nOrtskennzahl=08912345\n",
             "[Standort]\nLandeskennzahl=+49\nOrtskennzahl=089\n",
             "[Standort]\nLandeskennzahl=49\nOrtskennzahl=089-1\n",
             "[Standort]\nLandeskennzahl=49\nOrtskennzahl=\"0 89\"\n",
             "[Standort]\nLandeskennzahl=4x\n",
             "[Standort]\nLandeskennzahl=49, 41\n",
             "[Standort]\nLandeskennzahl=49\nOrtskennzahl=089, 030\n",
         })
        EXPECT_FALSE(Query(pszContent)) << pszContent;
}

TEST_F(LocationSettingsTest, EveryQueryReadsTheFileAgain)
{
    Write("[Standort]\nLandeskennzahl=49\nOrtskennzahl=089\n");
    QtLocationSettings settings(m_strIniFile);
    ASSERT_TRUE(settings.QueryLocation());

    Write("[Standort]\nLandeskennzahl=49\nOrtskennzahl=0221\n");
    const auto codes = settings.QueryLocation();
    ASSERT_TRUE(codes);
    EXPECT_EQ(codes->strCityCode, "0221");
}

} // namespace
