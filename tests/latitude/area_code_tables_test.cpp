#include "latitude/area_code_tables.h"
#include "tests/latitude/area_code_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(AreaCodeTables, ReadsTheLittleEndianLatitudeOfEachEntry)
{
    const TestAreaCodeTables data({"201", "221", "89"}, {51.4666666666667, 50.9333333333333, 48.1333333333333});
    const std::optional<AreaCodeTables> tables = data.Tables();
    ASSERT_TRUE(tables);
    EXPECT_EQ(tables->Count(), 3u);
    EXPECT_EQ(tables->List(), "l201l221l89l");
    EXPECT_EQ(tables->Latitude(0), 51.4666666666667);
    EXPECT_EQ(tables->Latitude(2), 48.1333333333333);

    // 48.1333333333333 is 0x40481111 1111110C in binary64, stored lowest byte first.
    const std::byte* pStored = data.latitudes.data() + 16;
    EXPECT_EQ(pStored[0], std::byte{0x0C});
    EXPECT_EQ(pStored[7], std::byte{0x40});
}

TEST(AreaCodeTables, RefusesAListAndTableThatDoNotFitTogether)
{
    const TestAreaCodeTables data({"201", "221"}, {51.4, 50.9});
    const std::span<const std::byte> latitudes(data.latitudes);
    EXPECT_FALSE(AreaCodeTables::FromData("l201l221l89l", latitudes)) << "more codes than latitudes";
    EXPECT_FALSE(AreaCodeTables::FromData("l201l", latitudes)) << "more latitudes than codes";
    EXPECT_FALSE(AreaCodeTables::FromData("l201l221", latitudes)) << "no closing l";
    EXPECT_FALSE(AreaCodeTables::FromData("201l221l", latitudes)) << "no opening l";
    EXPECT_FALSE(AreaCodeTables::FromData("l201ll221l", latitudes.first(16))) << "an empty code";
    EXPECT_FALSE(AreaCodeTables::FromData("l201l22x1l", latitudes)) << "not a digit";
    EXPECT_FALSE(AreaCodeTables::FromData("l", {})) << "no code at all";
    EXPECT_FALSE(AreaCodeTables::FromData("l201l221l", latitudes.first(15))) << "a partial latitude";
    EXPECT_TRUE(AreaCodeTables::FromData("l201l221l", latitudes));
}

TEST(AreaCodeTableCache, LoadsOnceAndRetriesAFailedLoadAtTheNextLookup)
{
    const TestAreaCodeTables data({"201"}, {51.4});
    int nLoads = 0;
    bool bAvailable = false;
    AreaCodeTableCache cache([&]() -> std::optional<AreaCodeTables> {
        ++nLoads;
        return bAvailable ? data.Tables() : std::nullopt;
    });
    EXPECT_EQ(nLoads, 0) << "nothing is loaded before the first lookup";

    EXPECT_EQ(cache.Get(), nullptr);
    EXPECT_EQ(cache.Get(), nullptr);
    EXPECT_EQ(nLoads, 2);

    bAvailable = true;
    const AreaCodeTables* pTables = cache.Get();
    ASSERT_NE(pTables, nullptr);
    EXPECT_EQ(pTables->Latitude(0), 51.4);
    bAvailable = false;
    EXPECT_EQ(cache.Get(), pTables);
    EXPECT_EQ(nLoads, 3);
}

} // namespace
