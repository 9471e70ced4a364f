#include "drive/model_classification.h"

const char* const g_apszSupportedModels[20] = {
    "TOSHIBA", "DADA", "DARA", "DBCA", "DCXA", "DCYA", "DJSA", "DKLA", "DPLA", "DTCA",
    "DYLA",    "IC25", "MHG",  "MHH",  "MHK",  "MHL",  "MHM",  "MHN",  "MHR",  "MHS",
};

namespace {

unsigned char UpperCase1252(unsigned char byte)
{
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
        return byte - 0x20;
    switch (byte) {
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
        return byte - 0x10;
    case 0xFF: // ÿ
        return 0x9F;
    default:
        return byte;
    }
}

} // namespace

std::string UpperCaseModel(std::string_view model)
{
    std::string strUpper(model);
    for (char& c : strUpper)
        c = static_cast<char>(UpperCase1252(static_cast<unsigned char>(c)));
    return strUpper;
}

bool IsSupportedModel(std::string_view upperModel)
{
    if (upperModel.find("HITACHI") != std::string_view::npos && upperModel.find("DK") != std::string_view::npos)
        return true;
    for (const char* pszModel : g_apszSupportedModels)
        if (upperModel.find(pszModel) != std::string_view::npos)
            return true;
    return false;
}

int ModelDirection(std::string_view upperModel)
{
    int nSum = 0;
    for (char c : upperModel)
        nSum += static_cast<signed char>(c);
    return nSum % 2 == 0 ? DIRECTION_RIGHT : DIRECTION_LEFT;
}
