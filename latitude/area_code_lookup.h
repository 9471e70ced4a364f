#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The index of the list entry that a city code (with or without its leading zeros) falls in: the
// first code beginning with its digits, else with the longest prefix of them that any code begins
// with. std::nullopt only for a list without codes.
std::optional<std::size_t> FindAreaCodeEntry(std::string_view list, const std::string& strCityCode);
