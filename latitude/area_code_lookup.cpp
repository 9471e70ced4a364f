#include "latitude/area_code_lookup.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t NOT_FOUND = std::string_view::npos;

// The first occurrence of the key in the list from nFrom on, searched in place. Instead of
// comparing at every 'l', blocks of positions are first tested all at once for the key's first
// two characters (a loop the compiler turns into vector instructions); only a block with a
// candidate is looked at closely.
std::size_t Find(std::string_view list, std::string_view key, std::size_t nFrom = 0)
{
    if (key.empty() || key.size() > list.size() || nFrom > list.size() - key.size())
        return key.empty() && nFrom <= list.size() ? nFrom : NOT_FOUND;
    if (key.size() == 1) {
        const void* pFound = std::memchr(list.data() + nFrom, key[0], list.size() - nFrom);
        return pFound ? static_cast<std::size_t>(static_cast<const char*>(pFound) - list.data()) : NOT_FOUND;
    }
    constexpr std::size_t BLOCK = 64;
    const char* const p = list.data();
    const char c0 = key[0], c1 = key[1];
    const std::size_t nLast = list.size() - key.size(); // the last position a match can start at
    for (std::size_t nBlock = nFrom; nBlock <= nLast; nBlock += BLOCK) {
        const std::size_t nBlockEnd = std::min(nBlock + BLOCK, nLast + 1);
        unsigned char bCandidate = 0;
        for (std::size_t i = nBlock; i < nBlockEnd; ++i)
            bCandidate |= static_cast<unsigned char>((p[i] == c0) & (p[i + 1] == c1));
        if (!bCandidate)
            continue;
        for (std::size_t i = nBlock; i < nBlockEnd; ++i)
            if (p[i] == c0 && p[i + 1] == c1 && std::memcmp(p + i + 2, key.data() + 2, key.size() - 2) == 0)
                return i;
    }
    return NOT_FOUND;
}

// The number of 'l' before nEnd, counted in blocks small enough for byte-wide counters.
std::size_t CountEntriesBefore(std::string_view list, std::size_t nEnd)
{
    std::size_t nCount = 0;
    for (std::size_t nBlock = 0; nBlock < nEnd; nBlock += 255) {
        const std::size_t nBlockEnd = std::min(nBlock + 255, nEnd);
        unsigned char nInBlock = 0;
        for (std::size_t i = nBlock; i < nBlockEnd; ++i)
            nInBlock = static_cast<unsigned char>(nInBlock + (list[i] == 'l'));
        nCount += nInBlock;
    }
    return nCount;
}

// The first occurrence of the prefix followed by 0, else by 1, … else by 9, else of the prefix
// alone, given the prefix's first occurrence.
std::size_t FindWithLowestDigitAfter(std::string_view list, std::string_view prefix, std::size_t nPrefixAt)
{
    if (prefix.size() == 1) {
        // A single letter occurs everywhere: search each digit after it.
        for (const char cDigit : std::string_view("0123456789"))
            if (const std::size_t nAt = Find(list, std::string(prefix) + cDigit, nPrefixAt); nAt != NOT_FOUND)
                return nAt;
        return nPrefixAt;
    }
    // A longer prefix occurs rarely: look at what follows each occurrence.
    std::size_t nBest = nPrefixAt;
    char cBest = '9' + 1;
    for (std::size_t nAt = nPrefixAt; nAt != NOT_FOUND && cBest != '0'; nAt = Find(list, prefix, nAt + 1)) {
        const std::size_t nNext = nAt + prefix.size();
        if (nNext < list.size() && list[nNext] >= '0' && list[nNext] < cBest) {
            cBest = list[nNext];
            nBest = nAt;
        }
    }
    return nBest;
}

} // namespace

// The search shortens the key until a search finds something and, after each shortening, tries
// the shortened key followed by 0 to 9 before the shortened key itself. The result is the same
// with fewer passes over the text: any text containing a key contains every beginning of it, so
// the round that succeeds is the one for the longest beginning of the key that the text contains,
// found by halving; its continuations by a digit can only occur from its first occurrence on.
std::optional<std::size_t> FindAreaCodeEntry(std::string_view list, const std::string& strCityCode)
{
    const std::string strKey =
        "l" + strCityCode.substr(std::min(strCityCode.find_first_not_of('0'), strCityCode.size()));
    const std::string_view key = strKey;

    std::size_t nFound = Find(list, key);
    if (nFound == NOT_FOUND) {
        // Lengths up to nContained are known to occur, first at nContainedAt; from nAbsent on they
        // are known not to. A longer beginning can only occur where a shorter one does.
        std::size_t nContained = 0;
        std::size_t nAbsent = key.size();
        std::size_t nContainedAt = 0;
        while (nAbsent - nContained > 1) {
            const std::size_t nLength = (nContained + nAbsent) / 2;
            const std::size_t nAt = Find(list, key.substr(0, nLength), nContainedAt);
            if (nAt == NOT_FOUND) {
                nAbsent = nLength;
            } else {
                nContained = nLength;
                nContainedAt = nAt;
            }
        }
        if (nContained == 0)
            return std::nullopt;
        nFound = FindWithLowestDigitAfter(list, key.substr(0, nContained), nContainedAt);
    }
    return CountEntriesBefore(list, nFound);
}
