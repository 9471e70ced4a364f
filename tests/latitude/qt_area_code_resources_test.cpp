#include "area_code_list.h"
#include "latitude/area_code_lookup.h"
#include "latitude/qt_area_code_resources.h"

#include <QResource>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

class CarriedTablesTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_pTables = ProcessAreaCodeTables().Get();
        ASSERT_NE(m_pTables, nullptr);
    }

    // The code of the entry that a city code finds, and its latitude.
    std::pair<std::string, double> Lookup(const std::string& strCityCode) const
    {
        const std::optional<std::size_t> nEntry = FindAreaCodeEntry(m_pTables->List(), strCityCode);
        if (!nEntry)
            return {};
        return {std::string(SplitAreaCodes(m_pTables->List()).at(*nEntry)), m_pTables->Latitude(*nEntry)};
    }

    const AreaCodeTables* m_pTables = nullptr;
};

TEST_F(CarriedTablesTest, WorkedLookupsFindTheirEntries)
{
    struct Case {
        const char* pszCityCode;
        const char* pszEntry;
        double dLatitude;
    };
    for (const Case& c : {Case{"089", "89", 48.1333}, Case{"0221", "221", 50.9333}, Case{"03319", "331", 52.4},
                          Case{"08999", "89", 48.1333}, Case{"069123", "69", 50.1167}, Case{"0", "201", 51.45},
                          Case{"1234", "201", 51.45}, Case{"0212", "212", 51.1667}, Case{"02129", "2129", 51.2},
                          Case{"030", "30", 52.5167}}) {
        const auto [strEntry, dLatitude] = Lookup(c.pszCityCode);
        EXPECT_EQ(strEntry, c.pszEntry) << c.pszCityCode;
        EXPECT_NEAR(dLatitude, c.dLatitude, 0.02) << c.pszCityCode;
    }
}

TEST_F(CarriedTablesTest, ListIsInCharacterOrderWithOnePrefixPair)
{
    const std::string_view list = m_pTables->List();
    EXPECT_TRUE(list.starts_with("l201l202l203l2041"));
    EXPECT_TRUE(list.ends_with("l9978l"));
    const std::vector<std::string_view> codes = SplitAreaCodes(list);
    EXPECT_EQ(codes.size(), m_pTables->Count());
    EXPECT_GT(codes.size(), 3638u);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    EXPECT_TRUE(std::all_of(codes.begin(), codes.end(), [](std::string_view s) {
        return s.size() >= 2 && s.size() <= 5 && s.front() != '0' && s.front() != '1';
    }));
    std::vector<std::string> prefixes;
    for (std::size_t i = 0; i + 1 < codes.size(); ++i)
        if (codes[i + 1].starts_with(codes[i]))
            prefixes.push_back(std::string(codes[i]) + "/" + std::string(codes[i + 1]));
    EXPECT_EQ(prefixes, std::vector<std::string>{"212/2129"});
}

TEST_F(CarriedTablesTest, LatitudesAreWholeMinutesWithinGermany)
{
    for (std::size_t i = 0; i < m_pTables->Count(); ++i) {
        const double dLatitude = m_pTables->Latitude(i);
        ASSERT_GE(dLatitude, 47.2) << i;
        ASSERT_LE(dLatitude, 55.1) << i;
        const double dMinutes = dLatitude * 60.0;
        ASSERT_NEAR(dMinutes, std::round(dMinutes), 1e-6) << i;
    }
}

TEST(AreaCodeResources, AMissingResourceIsAFailedLoad)
{
    EXPECT_FALSE(LoadAreaCodeResources(QStringLiteral(":/latitude/none.txt"), AREA_LATITUDE_RESOURCE));
    EXPECT_FALSE(LoadAreaCodeResources(AREA_CODE_LIST_RESOURCE, QStringLiteral(":/latitude/none.bin")));
    EXPECT_FALSE(LoadAreaCodeResources(AREA_LATITUDE_RESOURCE, AREA_CODE_LIST_RESOURCE)) << "swapped";
}

TEST(AreaCodeResources, TheProcessLoadsTheTablesInPlaceOnce)
{
    const AreaCodeTables* pTables = ProcessAreaCodeTables().Get();
    ASSERT_NE(pTables, nullptr);
    EXPECT_EQ(ProcessAreaCodeTables().Get(), pTables);
    const QResource resource(AREA_CODE_LIST_RESOURCE);
    EXPECT_EQ(static_cast<const void*>(pTables->List().data()), static_cast<const void*>(resource.data()));
}

} // namespace
