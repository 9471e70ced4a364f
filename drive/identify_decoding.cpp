#include "drive/identify_decoding.h"

#include "drive/identify_string.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kModelFirstWord = 27;
constexpr int kModelWords = kModelBytes / 2;

constexpr unsigned char kAtaInformationPageCode = 0x89;
constexpr std::size_t kAtaInformationIdentifyOffset = 60;

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsWhiteSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

} // namespace

bool ParseIdentifyText(std::string_view text, IdentifyWords& words)
{
    IdentifyWords parsed{};
    std::size_t nWords = 0;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsWhiteSpace(text[i]))
            ++i;
        if (i == text.size())
            break;
        if (nWords == parsed.size() || text.size() - i < 4)
            return false;
        unsigned nWord = 0;
        for (std::size_t nDigit = 0; nDigit < 4; ++nDigit, ++i) {
            const int nValue = HexDigitValue(text[i]);
            if (nValue < 0)
                return false;
            nWord = (nWord << 4) | static_cast<unsigned>(nValue);
        }
        if (i < text.size() && !IsWhiteSpace(text[i]))
            return false;
        parsed[nWords++] = static_cast<std::uint16_t>(nWord);
    }
    if (nWords != parsed.size() || std::all_of(parsed.begin(), parsed.end(), [](std::uint16_t n) { return n == 0; }))
        return false;
    words = parsed;
    return true;
}

IdentifyWords IdentifyWordsFromBytes(const unsigned char* pBytes)
{
    IdentifyWords words{};
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<std::uint16_t>(pBytes[2 * i] | (pBytes[2 * i + 1] << 8));
    return words;
}

bool ParseAtaInformationPage(std::string_view page, IdentifyWords& words)
{
    if (page.size() < kAtaInformationIdentifyOffset + kIdentifyBytes
        || static_cast<unsigned char>(page[1]) != kAtaInformationPageCode)
        return false;
    words = IdentifyWordsFromBytes(reinterpret_cast<const unsigned char*>(page.data()) + kAtaInformationIdentifyOffset);
    return true;
}

std::string IdentifyModel(const IdentifyWords& words)
{
    char szModel[kModelBytes + 1];
    CopyIdentifyString(kModelWords, &words[kModelFirstWord], szModel);
    return szModel;
}

std::string PlainModel(std::string_view raw)
{
    raw = raw.substr(0, kModelBytes);
    raw = raw.substr(0, raw.find('\0'));
    const std::size_t nFirst = raw.find_first_not_of(' ');
    if (nFirst == std::string_view::npos)
        return {};
    return std::string(raw.substr(nFirst, raw.find_last_not_of(' ') - nFirst + 1));
}
