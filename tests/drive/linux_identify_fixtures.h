#pragma once

#include "drive/identify_decoding.h"

#include <cstdio>
#include <string>

// Identify data as a drive builds it: the model space padded in words 27 to 46,
// its first character in a word's high byte.
inline IdentifyWords IdentifyWordsWithModel(std::string strModel)
{
    IdentifyWords words{};
    words[0] = 0x0040;
    strModel.resize(kModelBytes, ' ');
    for (std::size_t i = 0; i < kModelBytes / 2; ++i)
        words[27 + i] = static_cast<std::uint16_t>(static_cast<unsigned char>(strModel[2 * i]) << 8
                                                   | static_cast<unsigned char>(strModel[2 * i + 1]));
    return words;
}

// libata's `id` attribute: eight words of four hex digits a line.
inline std::string IdentifyText(const IdentifyWords& words)
{
    std::string strText;
    for (std::size_t i = 0; i < words.size(); ++i) {
        char szWord[6];
        std::snprintf(szWord, sizeof szWord, "%04x%c", words[i], (i + 1) % 8 ? ' ' : '\n');
        strText += szWord;
    }
    return strText;
}

// The ATA Information VPD page: page code 89h, the data at 60 as little-endian words.
inline std::string AtaInformationPage(const IdentifyWords& words)
{
    std::string strPage(60, '\0');
    strPage[1] = static_cast<char>(0x89);
    for (std::uint16_t nWord : words)
        strPage += {static_cast<char>(nWord & 0xFF), static_cast<char>(nWord >> 8)};
    return strPage;
}
