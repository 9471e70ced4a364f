// libata's `id` text and the ATA Information VPD page, as sysfs may hand them over.

#include "drive/identify_decoding.h"
#include "fuzz/fuzz_require.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The same format read another way: split at white space first, then read each token.
std::optional<IdentifyWords> ReferenceParse(std::string_view text)
{
    std::vector<std::string_view> tokens;
    std::size_t nStart = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || IsSpace(text[i])) {
            if (i > nStart)
                tokens.push_back(text.substr(nStart, i - nStart));
            nStart = i + 1;
        }
    }
    if (tokens.size() != 256)
        return std::nullopt;
    IdentifyWords words{};
    for (std::size_t n = 0; n < tokens.size(); ++n) {
        if (tokens[n].size() != 4)
            return std::nullopt;
        for (char c : tokens[n]) {
            const char* pszDigits = "0123456789abcdef0123456789ABCDEF";
            const char* pDigit = std::find(pszDigits, pszDigits + 32, c);
            if (pDigit == pszDigits + 32)
                return std::nullopt;
            words[n] = static_cast<std::uint16_t>(words[n] << 4 | (pDigit - pszDigits) % 16);
        }
    }
    if (std::all_of(words.begin(), words.end(), [](std::uint16_t n) { return n == 0; }))
        return std::nullopt;
    return words;
}

std::string HexText(const IdentifyWords& words, const char* pszFormat)
{
    std::string strText;
    for (std::uint16_t nWord : words) {
        char szWord[8];
        std::snprintf(szWord, sizeof szWord, pszFormat, nWord);
        strText += szWord;
    }
    return strText;
}

void CheckIdentifyText(std::string_view text)
{
    IdentifyWords words{};
    const bool bParsed = ParseIdentifyText(text, words);
    const std::optional<IdentifyWords> expected = ReferenceParse(text);
    FUZZ_REQUIRE(bParsed == expected.has_value());
    if (!bParsed)
        return;
    FUZZ_REQUIRE(words == *expected);

    for (const char* pszFormat : {"%04x ", "%04X\n"}) {
        IdentifyWords again{};
        FUZZ_REQUIRE(ParseIdentifyText(HexText(words, pszFormat), again));
        FUZZ_REQUIRE(again == words);
    }
}

void CheckAtaInformationPage(std::string_view page)
{
    constexpr std::size_t kIdentifyOffset = 60;
    IdentifyWords words{};
    const bool bParsed = ParseAtaInformationPage(page, words);
    FUZZ_REQUIRE(bParsed == (page.size() >= kIdentifyOffset + kIdentifyBytes && static_cast<unsigned char>(page[1]) == 0x89));
    if (bParsed)
        FUZZ_REQUIRE(words == IdentifyWordsFromBytes(reinterpret_cast<const unsigned char*>(page.data()) + kIdentifyOffset));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    CheckIdentifyText(text);
    CheckAtaInformationPage(text);
    return 0;
}
