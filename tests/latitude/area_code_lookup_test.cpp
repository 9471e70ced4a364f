#include "latitude/area_code_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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

TEST(AreaCodeLookup, GivesWhatTheStepwiseSearchGivesForEveryShortCode)
{
    // The search as written: the key, then after each shortening the key with 0 to 9, then the key.
    auto stepwise = [](std::string_view list, const std::string& strCode) -> std::optional<std::size_t> {
        std::string strKey = "l" + strCode.substr(std::min(strCode.find_first_not_of('0'), strCode.size()));
        std::size_t nAt = list.find(strKey);
        while (nAt == std::string_view::npos && strKey.size() > 1) {
            strKey.pop_back();
            for (char c = '0'; c <= '9' && nAt == std::string_view::npos; ++c)
                nAt = list.find(strKey + c);
            if (nAt == std::string_view::npos)
                nAt = list.find(strKey);
        }
        if (nAt == std::string_view::npos)
            return std::nullopt;
        return static_cast<std::size_t>(std::count(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(nAt), 'l'));
    };
    // In character order, and shuffled so that a lower digit can come after a higher one, even a 0.
    for (std::string_view list : {LIST, std::string_view("l2992l30l2984l9978l331l3381l3315l212l2129l201l89l69l05l")}) {
        for (int n = 0; n < 20000; ++n) {
            for (const std::string& strCode : {std::to_string(n), "0" + std::to_string(n)})
                ASSERT_EQ(FindAreaCodeEntry(list, strCode), stepwise(list, strCode)) << list << " " << strCode;
        }
    }
}

TEST(AreaCodeLookup, AListWithoutCodesFindsNothing)
{
    EXPECT_EQ(FindAreaCodeEntry("", "089"), std::nullopt);
}

} // namespace
