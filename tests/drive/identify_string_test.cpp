#include "drive/identify_string.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// Packs text the way a drive does: two characters a word, the first in the high byte.
std::array<std::uint16_t, 20> ModelWords(const std::string& strText)
{
    std::string strPadded = strText;
    strPadded.resize(40, ' ');
    std::array<std::uint16_t, 20> aWords{};
    for (std::size_t i = 0; i < aWords.size(); ++i)
        aWords[i] = static_cast<std::uint16_t>(static_cast<unsigned char>(strPadded[2 * i]) << 8 |
                                               static_cast<unsigned char>(strPadded[2 * i + 1]));
    return aWords;
}

std::string Decode(const std::array<std::uint16_t, 20>& aWords)
{
    char szModel[41];
    CopyIdentifyString(20, aWords.data(), szModel);
    return szModel;
}

} // namespace

TEST(CopyIdentifyString, SwapsEachWordAndTrimsSpacesOnly)
{
    EXPECT_EQ(Decode(ModelWords("  TOSHIBA MK4019GAX")), "TOSHIBA MK4019GAX");
    EXPECT_EQ(Decode(ModelWords("IC25N040ATCS04-0")), "IC25N040ATCS04-0");
    EXPECT_EQ(Decode(ModelWords("\tMODEL\t")), "\tMODEL\t");
    EXPECT_EQ(Decode(ModelWords(" A  B ")), "A  B");
}

TEST(CopyIdentifyString, AllSpacesGiveEmptyText)
{
    EXPECT_EQ(Decode(ModelWords("")), "");
}

TEST(CopyIdentifyString, ZeroByteEndsTheText)
{
    std::array<std::uint16_t, 20> aWords = ModelWords("  ABCDEFGH");
    aWords[3] = static_cast<std::uint16_t>('E' << 8); // "E\0"
    EXPECT_EQ(Decode(aWords), "ABCDE");

    aWords = ModelWords("   ");
    aWords[0] = 0x0041; // "\0A": nothing before the zero
    EXPECT_EQ(Decode(aWords), "");
}

TEST(CopyIdentifyString, FullFieldOfFortyCharactersIsKeptWhole)
{
    const std::string strFull = "0123456789ABCDEFGHIJ0123456789ABCDEFGHIJ";
    EXPECT_EQ(Decode(ModelWords(strFull)), strFull);
}
