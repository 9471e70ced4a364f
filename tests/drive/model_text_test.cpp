#include "drive/model_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(ModelText, BytesAreWindows1252Text)
{
    const struct {
        const char* pszModel;
        const char* pszShown;
    } cases[] = {
        {"TOSHIBA MK4019GAX", "TOSHIBA MK4019GAX"},
        {"TOSHIBA MK\xC9\xC4\x80\x8C", "TOSHIBA MKÉÄ€Œ"},
        {"\x8A\x9A\x8E\x9E\x9C\x9F\xFF", "ŠšŽžœŸÿ"},
        {"\x82\x84\x85\x89\x91\x94\x96\x97\x99", "‚„…‰‘”–—™"},
        {"\xA0\xB5\xDF\xE4\xF7", "\u00A0µßä÷"},
        // Undefined in the code page.
        {"\x81\x8D\x8F\x90\x9D", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        // Control bytes.
        {"A\x01\tB\n\r\x1F\x7F", "A\uFFFD\uFFFDB\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModelTextUtf8(c.pszModel), c.pszShown) << c.pszModel;
}

TEST(ModelText, NoByteBecomesAControlCharacter)
{
    for (int n = 1; n < 256; ++n) {
        const std::string strShown = ModelTextUtf8(std::string(1, static_cast<char>(n)));
        ASSERT_FALSE(strShown.empty()) << n;
        const auto lead = static_cast<unsigned char>(strShown[0]);
        EXPECT_TRUE(lead >= 0x20 && lead != 0x7F) << n;
        // U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
        EXPECT_FALSE(lead == 0xC2 && static_cast<unsigned char>(strShown[1]) < 0xA0) << n;
    }
}
