#include "drive/identify_string.h"

#include <cstring>

void CopyIdentifyString(int nWords, const std::uint16_t* pFirstWord, char* pszOut)
{
    for (int i = 0; i < nWords; ++i) {
        pszOut[2 * i] = static_cast<char>(pFirstWord[i] >> 8);
        pszOut[2 * i + 1] = static_cast<char>(pFirstWord[i] & 0xFF);
    }
    pszOut[2 * nWords] = '\0';

    std::size_t nLength = std::strlen(pszOut);
    std::size_t nLeading = 0;
    while (nLeading < nLength && pszOut[nLeading] == ' ')
        ++nLeading;
    std::memmove(pszOut, pszOut + nLeading, nLength - nLeading + 1);
    nLength -= nLeading;
    while (nLength > 0 && pszOut[nLength - 1] == ' ')
        pszOut[--nLength] = '\0';
}
