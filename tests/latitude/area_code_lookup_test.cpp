#include "latitude/area_code_lookup.h"

#include <gtest/gtest.h>

namespace {

// Character order, as the program's list: 2984 before 30, 212 before 2129.
constexpr std::string_view LIST = "l201l202l212l2129l2984l2992l30l331l3315l3381l69l711l89l9978l";

std::optional<std::size_t> Find(const std::string& strCityCode)
{
    return FindAreaCodeEntry(LIST, strCityCode);
}

TEST(AreaCodeLookup, FindsTheFirstCodeBeginningWithTheDigitsWithoutLeadingZeros)
{
    EXPECT_EQ(Find("089"), 12u);
    EXPECT_EQ(Find("0201"), 0u);
    EXPECT_EQ(Find("9978"), 13u);
    EXPECT_EQ(Find("0212"), 2u);
    EXPECT_EQ(Find("02129"), 3u);
    // A prefix of several codes finds the first of them in list order.
    EXPECT_EQ(Find("03"), 6u);
    EXPECT_EQ(Find("021"), 2u);
}

TEST(AreaCodeLookup, ShortensALongerNumberToTheCodeItBeginsWith)
{
    EXPECT_EQ(Find("069123"), 10u);
    EXPECT_EQ(Find("08999"), 12u);
    EXPECT_EQ(Find("07119"), 11u);
}

TEST(AreaCodeLookup, TriesTheShortenedKeyWithOneMoreDigitBeforeTheKeyItself)
{
    // l3319 is not there; l3310 … l3315 comes before l331 itself.
    EXPECT_EQ(Find("03319"), 8u);
    // l2989 → l298: l2980 … l2984 finds 2984, not 2992.
    EXPECT_EQ(Find("02989"), 4u);
    // l2979 → l297 (l2970 … l2979 none, l297 none) → l29: l290 … l298 finds 2984.
    EXPECT_EQ(Find("02979"), 4u);
}

TEST(AreaCodeLookup, ZerosOrAnUnknownFirstDigitEndAtTheFirstEntry)
{
    EXPECT_EQ(Find("0"), 0u);
    EXPECT_EQ(Find("000"), 0u);
    EXPECT_EQ(Find("1234"), 0u);
    // From l alone, l0 and l1 find nothing, l2 the first entry.
    EXPECT_EQ(FindAreaCodeEntry("l30l201l", "1"), 1u);
}

TEST(AreaCodeLookup, AListWithoutCodesFindsNothing)
{
    EXPECT_EQ(FindAreaCodeEntry("", "089"), std::nullopt);
}

} // namespace
