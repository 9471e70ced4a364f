#pragma once

#include <string>
#include <string_view>

// The model is a byte string from the drive; it is shown as Latin-1.
std::string ModelTextUtf8(std::string_view model);
