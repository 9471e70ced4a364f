#include "latitude/latitude_location.h"
#include "tests/latitude/area_code_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

struct FakeLocationSource : ILocationSource {
    std::optional<LocationCodes> codes;
    std::optional<LocationCodes> QueryLocation() override { return codes; }
};

class LatitudeLocationTest : public testing::Test {
protected:
    const TestAreaCodeTables m_data{{"201", "221", "331", "89"}, {51.45, 50.9333333333333, 52.4, 48.1333333333333}};
    int m_nLoads = 0;
    bool m_bTablesAvailable = true;
    AreaCodeTableCache m_tables{[this]() -> std::optional<AreaCodeTables> {
        ++m_nLoads;
        return m_bTablesAvailable ? m_data.Tables() : std::nullopt;
    }};
    FakeLocationSource m_source;
    LatitudeLocation m_location;

    void Determine(std::optional<LocationCodes> codes, int nDirection = +1, int nModelDirection = +1)
    {
        m_source.codes = std::move(codes);
        m_location.Determine(m_source, m_tables, nDirection, nModelDirection);
    }

    void ExpectBasis(double dBase, double dScale)
    {
        EXPECT_EQ(m_location.m_dLatitudeBase, dBase);
        EXPECT_EQ(m_location.m_dLatitudeScale, dScale);
    }
};

TEST_F(LatitudeLocationTest, SwitzerlandAndAustriaHaveFixedValuesByTheLastTwoDigits)
{
    Determine(LocationCodes{"41", "044"});
    ExpectBasis(46.82, 27.0);
    Determine(LocationCodes{"0041", ""});
    ExpectBasis(46.82, 27.0);
    Determine(LocationCodes{"43", "089"});
    ExpectBasis(47.7, 36.0);
    Determine(LocationCodes{"1243", "1"});
    ExpectBasis(47.7, 36.0);
    EXPECT_EQ(m_nLoads, 0) << "the area code is not looked at";
}

TEST_F(LatitudeLocationTest, GermanyWithAnAreaCodeLooksItUp)
{
    Determine(LocationCodes{"49", "089"});
    ExpectBasis(48.1333333333333, 6.5);
    Determine(LocationCodes{"0049", "03319"});
    ExpectBasis(52.4, 6.5);
    EXPECT_EQ(m_location.m_strCountryCode, "0049");
    EXPECT_EQ(m_location.m_strCityCode, "03319");
    EXPECT_EQ(m_nLoads, 1) << "the tables are loaded once";
}

TEST_F(LatitudeLocationTest, OtherCountriesAndGermanyWithoutAreaCodeHaveTheDefault)
{
    for (const LocationCodes& codes : {LocationCodes{"49", ""}, LocationCodes{"33", "01"}, LocationCodes{"9", "089"},
                                       LocationCodes{"490", "089"}}) {
        Determine(codes);
        ExpectBasis(51.1, 75.0);
    }
    EXPECT_EQ(m_nLoads, 0);
}

TEST_F(LatitudeLocationTest, MissingTablesGiveTheDefaultAndAreTriedAgain)
{
    m_bTablesAvailable = false;
    Determine(LocationCodes{"49", "0221"});
    ExpectBasis(51.1, 75.0);
    m_bTablesAvailable = true;
    Determine(LocationCodes{"49", "0221"});
    ExpectBasis(50.9333333333333, 6.5);
    EXPECT_EQ(m_nLoads, 2);
}

TEST_F(LatitudeLocationTest, AFailedQueryKeepsTheCodesOfAnEarlierOne)
{
    Determine(std::nullopt);
    EXPECT_EQ(m_location.m_strCountryCode, "");
    EXPECT_EQ(m_location.m_strCityCode, "");
    ExpectBasis(51.1, 75.0);

    Determine(LocationCodes{"49", "0221"});
    Determine(std::nullopt);
    EXPECT_EQ(m_location.m_strCountryCode, "49");
    EXPECT_EQ(m_location.m_strCityCode, "0221");
    ExpectBasis(50.9333333333333, 6.5);
}

TEST_F(LatitudeLocationTest, AWronglySetDirectionOverridesEveryLocation)
{
    for (const std::optional<LocationCodes>& codes :
         {std::optional<LocationCodes>{}, std::optional{LocationCodes{"41", ""}}, std::optional{LocationCodes{"49", "089"}}}) {
        Determine(codes, -1, +1);
        ExpectBasis(37.0, 75.0);
        Determine(codes, +1, -1);
        ExpectBasis(37.0, 75.0);
    }
    Determine(LocationCodes{"49", "089"}, -1, -1);
    ExpectBasis(48.1333333333333, 6.5);
}

} // namespace
