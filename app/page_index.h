#pragma once

inline constexpr int PAGE_START = 0;
inline constexpr int PAGE_CALIBRATION = 1;
inline constexpr int PAGE_NAVIGATION = 2;
inline constexpr int PAGE_LATITUDE = 3;
inline constexpr int PAGE_COUNT = 4;
