#pragma once

#include <optional>
#include <string>

// The computer's telephony location: country code (49) and city code (089), as the source gives them.
struct LocationCodes {
    std::string strCountryCode;
    std::string strCityCode;
};

// Where the location comes from; std::nullopt is a failed query.
class ILocationSource {
public:
    virtual ~ILocationSource() = default;
    virtual std::optional<LocationCodes> QueryLocation() = 0;
};

// The codes a telephony query could have returned: each fits its 8-byte buffer as at most
// 7 decimal digits; the country code is not empty, the city code may be.
bool IsValidLocation(const LocationCodes& codes);
