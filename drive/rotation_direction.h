#pragma once

inline constexpr int DIRECTION_RIGHT = +1;
inline constexpr int DIRECTION_LEFT = -1;
