#pragma once

#include "drive/rotation_direction.h"

#include <string>
#include <string_view>

// Substrings of the supported notebook drive models, searched in this order.
extern const char* const g_apszSupportedModels[20];

// Upper-cases the model's bytes as the Windows-1252 code page does: a to z, the Latin-1
// letters from 0xE0 (but not the division sign 0xF7), and š, œ, ž, ÿ; ß and µ have no
// capital there and stay. Every ASCII byte but a to z stays as it is.
std::string UpperCaseModel(std::string_view model);

// Whether an upper-cased model is a supported notebook drive.
bool IsSupportedModel(std::string_view upperModel);

// The rotation direction of an upper-cased model: the parity of the sum of its
// bytes taken as signed 8-bit values, even giving DIRECTION_RIGHT.
int ModelDirection(std::string_view upperModel);
