#pragma once

#include <string>

// A displayed latitude, truncated to whole degrees and minutes.
struct DegreesMinutes {
    int nDegrees = 0;
    int nMinutes = 0;
};

// The latitude shown for a measured value: (value - 1.0) x scale + base, split into its
// integral part and 60 x its fraction, both truncated.
DegreesMinutes DisplayedLatitude(double dValue, double dLatitudeScale, double dLatitudeBase);

// "51° 06'": the report's Gemessen field, the same figures as the page's estimate text.
std::string MeasuredField(DegreesMinutes latitude);

// "V 4." with a city code, else "V 3.", then the country code or "0".
std::string LocationSourceField(const std::string& strCountryCode, const std::string& strCityCode);

// The report the send dialog offers (string 2000), with CR LF line ends; strModel is
// the model text as the start page shows it.
std::string FormatLatitudeReport(const std::string& strModel, int nDirection, const std::string& strCountryCode,
                                 const std::string& strCityCode, DegreesMinutes measured);
