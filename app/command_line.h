#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The two options GNU's conventions ask of every program, answered before any window or drive
// read: the text for standard output when the arguments (without the program's own name) ask
// for --help or --version, the first of them that comes; nothing otherwise. Arguments after "--"
// are no options; every other argument is left to Qt, as in every Qt program.
std::optional<std::string> AnswerCommandLine(std::span<const char* const> args, std::string_view strProgram);
