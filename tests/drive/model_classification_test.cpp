#include "drive/model_classification.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {
int SignedByteSum(std::string_view text)
{
    return std::accumulate(text.begin(), text.end(), 0, [](int n, char c) { return n + static_cast<signed char>(c); });
}
} // namespace

TEST(ModelClassification, KnownModels)
{
    EXPECT_TRUE(IsSupportedModel("TOSHIBA MK4019GAX"));
    EXPECT_TRUE(IsSupportedModel("HITACHI_DK23EA-60"));
    EXPECT_FALSE(IsSupportedModel("HITACHI HTS548040M9AT00"));
    EXPECT_TRUE(IsSupportedModel("IBM-DJSA-220"));
    EXPECT_TRUE(IsSupportedModel("IC25N040ATCS04-0"));
    EXPECT_TRUE(IsSupportedModel("IC25"));
    EXPECT_FALSE(IsSupportedModel(""));
    EXPECT_FALSE(IsSupportedModel("QEMU HARDDISK"));
}

TEST(ModelClassification, HitachiRuleFindsDkAnywhere)
{
    EXPECT_TRUE(IsSupportedModel("DK HITACHI"));
    EXPECT_TRUE(IsSupportedModel("HITACHIDK"));
    EXPECT_FALSE(IsSupportedModel("HITACHI D K"));
    EXPECT_FALSE(IsSupportedModel("HITACH DK")); // no HITACHI, and DK alone is no table entry
}

TEST(ModelClassification, TheTwentyTableEntriesInOrderMatchAnywhereButOnlyUpperCase)
{
    const std::vector<std::string> expected = {"TOSHIBA", "DADA", "DARA", "DBCA", "DCXA", "DCYA", "DJSA",
                                               "DKLA",    "DPLA", "DTCA", "DYLA", "IC25", "MHG",  "MHH",
                                               "MHK",     "MHL",  "MHM",  "MHN",  "MHR",  "MHS"};
    EXPECT_EQ(std::vector<std::string>(std::begin(g_apszSupportedModels), std::end(g_apszSupportedModels)),
              expected);
    for (const std::string& strEntry : expected) {
        EXPECT_TRUE(IsSupportedModel("XX" + strEntry + "99")) << strEntry;
        EXPECT_FALSE(IsSupportedModel(strEntry.substr(1))) << strEntry;
        EXPECT_FALSE(IsSupportedModel(strEntry.substr(0, strEntry.size() - 1))) << strEntry;
    }
    EXPECT_FALSE(IsSupportedModel("toshiba mk4019gax"));
    EXPECT_TRUE(IsSupportedModel(UpperCaseModel("toshiba mk4019gax")));
}

TEST(ModelClassification, UpperCaseFollowsTheWindows1252CodePage)
{
    EXPECT_EQ(UpperCaseModel("toshiba mk4019gax a-z_{}`@~"), "TOSHIBA MK4019GAX A-Z_{}`@~");
    EXPECT_EQ(UpperCaseModel("toshiba mk\xE9\xE4\x80\x9C"), "TOSHIBA MK\xC9\xC4\x80\x8C");
    EXPECT_EQ(UpperCaseModel("\xE0\xF6\xF8\xFE\x9A\x9C\x9E\xFF"), "\xC0\xD6\xD8\xDE\x8A\x8C\x8E\x9F");
    // Without a capital (÷ ß µ), undefined, or capitals already.
    EXPECT_EQ(UpperCaseModel("\xF7\xDF\xB5\x81\x8D\x8F\x90\x9D\xC0\xDE\x8A\x9F"),
              "\xF7\xDF\xB5\x81\x8D\x8F\x90\x9D\xC0\xDE\x8A\x9F");
}

TEST(ModelClassification, DirectionIsTheParityOfTheSignedByteSum)
{
    EXPECT_EQ(SignedByteSum("TOSHIBA MK4019GAX"), 1136);
    EXPECT_EQ(ModelDirection("TOSHIBA MK4019GAX"), DIRECTION_RIGHT);
    EXPECT_EQ(SignedByteSum("IBM-DJSA-220"), 744);
    EXPECT_EQ(ModelDirection("IBM-DJSA-220"), DIRECTION_RIGHT);
    EXPECT_EQ(SignedByteSum("IC25"), 243);
    EXPECT_EQ(ModelDirection("IC25"), DIRECTION_LEFT);
    EXPECT_EQ(ModelDirection(""), DIRECTION_RIGHT);
    // High bytes count negative: 0xE4 is -28 (even), 0xFF is -1 (odd).
    EXPECT_EQ(ModelDirection("\xE4"), DIRECTION_RIGHT);
    EXPECT_EQ(ModelDirection("\xFF"), DIRECTION_LEFT);
    EXPECT_EQ(ModelDirection("\xFF\xFF\xFF"), DIRECTION_LEFT);
    // Upper-casing keeps the parity: 0xFF becomes 0x9F, -97.
    EXPECT_EQ(ModelDirection(UpperCaseModel("\xFF")), DIRECTION_LEFT);
}
