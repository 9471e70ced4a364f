#pragma once

#include "latitude/area_code_tables.h"
#include "latitude/location_codes.h"

#include <string>

// The latitude the measurement converges to and how widely it scatters, worked out from the
// computer's location. Lives as long as the latitude page, so the codes of a successful query
// stay when a later visit's query fails.
class LatitudeLocation {
public:
    void Determine(ILocationSource& source, AreaCodeTableCache& tables, int nDirection, int nModelDirection);

    std::string m_strCountryCode;
    std::string m_strCityCode;
    // Degrees north; the displayed latitude of a value v is (v - 1.0) x scale + base.
    double m_dLatitudeBase = 0.0;
    double m_dLatitudeScale = 0.0;

private:
    void LookUpAreaCode(AreaCodeTableCache& tables);
    void Set(double dBase, double dScale);
};
