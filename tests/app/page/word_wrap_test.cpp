#include "app/page/word_wrap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Ten pixels a character, so widths are easy to follow.
int TenPerCharacter(std::u16string_view piece)
{
    return static_cast<int>(piece.size()) * 10;
}

std::vector<std::u16string> Lines(std::u16string_view text, int nMaxWidth)
{
    std::vector<std::u16string> lines;
    for (const TextLine& line : WrapAtSpaces(text, nMaxWidth, TenPerCharacter))
        lines.emplace_back(text.substr(line.nBegin, line.nEnd - line.nBegin));
    return lines;
}

using L = std::vector<std::u16string>;

TEST(WordWrap, BreaksOnlyAtTheLastSpaceThatFitsAndDropsIt)
{
    // "Dies ist eine Notebook-" would fit in 250 pixels; a hyphen is no break.
    EXPECT_EQ(Lines(u"Dies ist eine Notebook-Platte.", 250), (L{u"Dies ist eine", u"Notebook-Platte."}));
    EXPECT_EQ(Lines(u"a b c d", 50), (L{u"a b c", u"d"}));
    // Exactly as wide as the line still fits.
    EXPECT_EQ(Lines(u"abc def", 70), (L{u"abc def"}));
    EXPECT_EQ(Lines(u"abc def", 69), (L{u"abc", u"def"}));
    EXPECT_EQ(Lines(u"eins zwei drei vier", 90), (L{u"eins zwei", u"drei vier"}));
}

TEST(WordWrap, AWordWiderThanTheLineStaysWhole)
{
    EXPECT_EQ(Lines(u"IBM-DJSA-220", 50), (L{u"IBM-DJSA-220"}));
    EXPECT_EQ(Lines(u"IBM-DJSA-220 ist da", 50), (L{u"IBM-DJSA-220", u"ist", u"da"}));
    EXPECT_EQ(Lines(u"Typ: IBM-DJSA-220. Dies", 80), (L{u"Typ:", u"IBM-DJSA-220.", u"Dies"}));
}

TEST(WordWrap, EveryLineFeedEndsALineAndATrailingOneLeavesAnEmptyLine)
{
    EXPECT_EQ(Lines(u"eins\n\nzwei drei", 1000), (L{u"eins", u"", u"zwei drei"}));
    EXPECT_EQ(Lines(u"Bitte lesen.\n", 1000), (L{u"Bitte lesen.", u""}));
    EXPECT_EQ(Lines(u"\n", 1000), (L{u"", u""}));
    EXPECT_EQ(Lines(u"eins zwei\ndrei vier", 80), (L{u"eins", u"zwei", u"drei", u"vier"}));
    EXPECT_EQ(Lines(u"", 100), (L{u""}));
}

} // namespace
