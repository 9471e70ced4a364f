#include "latitude/latitude_report.h"

#include "drive/rotation_direction.h"
#include "resources/page_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <cmath>
#include <cstdio>

DegreesMinutes DisplayedLatitude(double dValue, double dLatitudeScale, double dLatitudeBase)
{
    const double dLatitude = (dValue - 1.0) * dLatitudeScale + dLatitudeBase;
    double dIntegral = 0.0;
    const double dFraction = std::modf(dLatitude, &dIntegral);
    return {static_cast<int>(dIntegral), static_cast<int>(dFraction * 60.0)};
}

std::string MeasuredField(DegreesMinutes latitude)
{
    char szField[32];
    std::snprintf(szField, sizeof szField, "%02d° %02d'", latitude.nDegrees, latitude.nMinutes);
    return szField;
}

std::string LocationSourceField(const std::string& strCountryCode, const std::string& strCityCode)
{
    return (strCityCode.empty() ? "V 3." : "V 4.") + (strCountryCode.empty() ? std::string("0") : strCountryCode);
}

std::string FormatLatitudeReport(const std::string& strModel, int nDirection, const std::string& strCountryCode,
                                 const std::string& strCityCode, DegreesMinutes measured)
{
    return FormatString(IDS_LATITUDE_REPORT, strModel.c_str(), nDirection == DIRECTION_RIGHT ? TEXT_RIGHT_TURNING : TEXT_LEFT_TURNING,
                        LocationSourceField(strCountryCode, strCityCode).c_str(), MeasuredField(measured).c_str());
}
