#include "drive/model_classification.h"

const char* const g_apszSupportedModels[20] = {
    "TOSHIBA", "DADA", "DARA", "DBCA", "DCXA", "DCYA", "DJSA", "DKLA", "DPLA", "DTCA",
    "DYLA",    "IC25", "MHG",  "MHH",  "MHK",  "MHL",  "MHM",  "MHN",  "MHR",  "MHS",
};

std::string UpperCaseModel(std::string_view model)
{
    std::string strUpper(model);
    for (char& c : strUpper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
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
