#pragma once

#include "drive/linux_identify_decoding.h"

#include <cstdio>
#include <string>
#include <string_view>

// Identify data as a drive builds it: the model in words 27 to 46, space padded,
// two characters a word with the first in the high byte; word 0 set as a real
// drive's is.
inline IdentifyWords IdentifyWordsWithModel(std::string_view model)
{
    IdentifyWords words{};
    words[0] = 0x0040;
    std::string strPadded(model);
    strPadded.resize(40, ' ');
    for (std::size_t i = 0; i < 20; ++i)
        words[27 + i] = static_cast<std::uint16_t>(static_cast<unsigned char>(strPadded[2 * i]) << 8
                                                   | static_cast<unsigned char>(strPadded[2 * i + 1]));
    return words;
}

// The text of libata's `id` attribute.
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

// An ATA Information VPD page: a 60-byte header, then the data as little-endian words.
inline std::string AtaInformationPage(const IdentifyWords& words)
{
    std::string strPage(60, '\0');
    strPage[1] = static_cast<char>(0x89);
    for (std::uint16_t nWord : words) {
        strPage += static_cast<char>(nWord & 0xFF);
        strPage += static_cast<char>(nWord >> 8);
    }
    return strPage;
}
