#include "drive/model_text.h"

std::string ModelTextUtf8(std::string_view model)
{
    std::string strText;
    strText.reserve(model.size() * 2);
    for (char c : model) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            strText += c;
        } else {
            strText += static_cast<char>(0xC0 | byte >> 6);
            strText += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return strText;
}
