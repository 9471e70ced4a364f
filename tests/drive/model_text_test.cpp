#include "drive/model_text.h"

#include <gtest/gtest.h>

TEST(ModelText, IsWindows1252TextWithEveryByteWithoutACharacterReplaced)
{
    EXPECT_EQ(ModelTextUtf8("TOSHIBA MK\xC9\xC4\x80\x8C\x9C\x8A\x9A\x8E\x9E\x9F\xFF"), "TOSHIBA MKÉÄ€ŒœŠšŽžŸÿ");
    EXPECT_EQ(ModelTextUtf8("\x82\x85\x91\x94\x96\x99\xA0\xB5\xDF\xF7"), "‚…‘”–™\u00A0µß÷");
    // Undefined in the code page, and control bytes.
    EXPECT_EQ(ModelTextUtf8("\x81\x8D\x8F\x90\x9D\x01\t\n\x7F"), "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}
