#pragma once

#include <cstdint>

// Decodes an ATA identify string: two characters per word, the first in the
// word's high-order byte. pszOut must hold at least 2 * nWords + 1 bytes; it
// receives the text up to the first zero byte, without leading or trailing spaces.
void CopyIdentifyString(int nWords, const std::uint16_t* pFirstWord, char* pszOut);
