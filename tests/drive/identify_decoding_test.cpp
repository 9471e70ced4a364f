#include "drive/identify_decoding.h"

#include "linux_identify_fixtures.h"

#include <gtest/gtest.h>

TEST(LinuxIdentifyDecoding, ParsesLibataIdentifyTextAndRejectsWhatIsNotIdentifyData)
{
    const IdentifyWords expected = IdentifyWordsWithModel("WDC WD5000BEVT-22ZAT0");
    const std::string strText = IdentifyText(expected);
    IdentifyWords words{};
    ASSERT_TRUE(ParseIdentifyText(strText, words));
    EXPECT_EQ(words, expected);
    EXPECT_EQ(IdentifyModel(words), "WDC WD5000BEVT-22ZAT0");

    EXPECT_FALSE(ParseIdentifyText("", words)) << "a port multiplier's empty id";
    EXPECT_FALSE(ParseIdentifyText(IdentifyText(IdentifyWords{}), words)) << "all zero";
    EXPECT_FALSE(ParseIdentifyText(strText.substr(0, strText.size() - 5), words)) << "255 words";
    EXPECT_FALSE(ParseIdentifyText(strText + "0001\n", words)) << "257 words";
    EXPECT_FALSE(ParseIdentifyText("004" + strText.substr(4), words)) << "three digits";
    EXPECT_FALSE(ParseIdentifyText("00g0" + strText.substr(4), words)) << "not hex";
    EXPECT_FALSE(ParseIdentifyText(strText.substr(0, 4) + strText.substr(5), words)) << "words run together";
    EXPECT_EQ(words, expected) << "a failed parse leaves the words alone";
}

TEST(LinuxIdentifyDecoding, TakesLittleEndianIdentifyDataFromTheAtaInformationPage)
{
    std::string strPage = AtaInformationPage(IdentifyWordsWithModel("ST9500325AS"));
    IdentifyWords words{};
    ASSERT_TRUE(ParseAtaInformationPage(strPage, words));
    EXPECT_EQ(IdentifyModel(words), "ST9500325AS");

    EXPECT_FALSE(ParseAtaInformationPage(strPage.substr(0, 60 + 511), words)) << "one byte short";
    strPage[1] = static_cast<char>(0x83);
    EXPECT_FALSE(ParseAtaInformationPage(strPage, words)) << "another page";
}

TEST(LinuxIdentifyDecoding, PlainModelKeepsFortyBytesUpToTheFirstZeroWithoutOuterSpaces)
{
    EXPECT_EQ(PlainModel("  Samsung SSD 970 EVO Plus 1TB          "), "Samsung SSD 970 EVO Plus 1TB");
    EXPECT_EQ(PlainModel(std::string_view("KXG60ZNV256G\0 junk", 18)), "KXG60ZNV256G");
    EXPECT_EQ(PlainModel(std::string(39, 'A') + " B"), std::string(39, 'A'));
    EXPECT_EQ(PlainModel("        "), "");
}
