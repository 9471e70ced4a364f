#include "latitude/location_codes.h"

#include <algorithm>

namespace {

constexpr std::size_t MAX_CODE_DIGITS = 7;

bool IsDigits(const std::string& str)
{
    return str.size() <= MAX_CODE_DIGITS && std::all_of(str.begin(), str.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool IsValidLocation(const LocationCodes& codes)
{
    return !codes.strCountryCode.empty() && IsDigits(codes.strCountryCode) && IsDigits(codes.strCityCode);
}
