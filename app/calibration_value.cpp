#include "app/calibration_value.h"

#include "drive/rotation_direction.h"

std::string MakeCalibrationValue(int nDirection, Rand15& random)
{
    std::string strValue(1, nDirection == DIRECTION_RIGHT ? 'r' : 'l');
    for (int i = 0; i < 17; ++i)
        strValue += static_cast<char>('a' + random.Next() % 26);
    return strValue;
}

StoredCalibration ReadCalibrationValue(std::string_view value)
{
    if (value.empty())
        return {};
    return {true, value.front() == 'r' ? DIRECTION_RIGHT : DIRECTION_LEFT};
}
