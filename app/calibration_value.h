#pragma once

#include "app/rand15.h"

#include <string>
#include <string_view>

// The stored calibration: "" for none, otherwise 'r' or 'l' for the rotation
// direction at the moment of storing, followed by 17 random lower-case letters.
std::string MakeCalibrationValue(int nDirection, Rand15& random);

struct StoredCalibration {
    bool bCalibrated = false;
    int nDirection = +1;
};

// Only the first character carries meaning: exactly 'r' is right-turning,
// anything else left-turning.
StoredCalibration ReadCalibrationValue(std::string_view value);
