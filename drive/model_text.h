#pragma once

#include <string>
#include <string_view>

// The model is a byte string from the drive, text in the original's code page, Windows-1252;
// returned as UTF-8. A byte that stands for no printable character there (a control byte, or
// one of the five the code page leaves undefined) shows as U+FFFD, so that no model can hand
// the text drawing a control character, which would stop its width measurement.
std::string ModelTextUtf8(std::string_view model);
