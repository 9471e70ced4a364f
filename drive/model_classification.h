#pragma once

#include "drive/rotation_direction.h"

#include <string>
#include <string_view>

// Substrings of the supported notebook drive models, searched in this order.
extern const char* const g_apszSupportedModels[20];

// Upper-cases a to z only; every other byte of the model stays as it is.
std::string UpperCaseModel(std::string_view model);

// Whether an upper-cased model is a supported notebook drive.
bool IsSupportedModel(std::string_view upperModel);

// The rotation direction of an upper-cased model: the parity of the sum of its
// bytes taken as signed 8-bit values, even giving DIRECTION_RIGHT.
int ModelDirection(std::string_view upperModel);
