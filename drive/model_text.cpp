#include "drive/model_text.h"

namespace {

constexpr char32_t REPLACEMENT = U'\uFFFD';

// 0x80 to 0x9F; from 0xA0 on, Windows-1252 is Latin-1.
constexpr char32_t s_aCharacters80To9F[32] = {
    U'\u20AC', REPLACEMENT, U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', REPLACEMENT, U'\u017D', REPLACEMENT,
    REPLACEMENT, U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', REPLACEMENT, U'\u017E', U'\u0178',
};

char32_t Windows1252(unsigned char byte)
{
    if (byte < 0x20 || byte == 0x7F)
        return REPLACEMENT;
    if (byte >= 0x80 && byte < 0xA0)
        return s_aCharacters80To9F[byte - 0x80];
    return byte;
}

void AppendUtf8(std::string& str, char32_t c)
{
    if (c < 0x80) {
        str += static_cast<char>(c);
    } else if (c < 0x800) {
        str += static_cast<char>(0xC0 | c >> 6);
        str += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        str += static_cast<char>(0xE0 | c >> 12);
        str += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        str += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string ModelTextUtf8(std::string_view model)
{
    std::string strText;
    strText.reserve(model.size() * 3);
    for (char c : model)
        AppendUtf8(strText, Windows1252(static_cast<unsigned char>(c)));
    return strText;
}
