#pragma once

#include <cstdio>
#include <string>

// The program's texts, UTF-8, looked up by id. An unknown id yields "".
const char* LoadString(unsigned nId);

// The text of nId with printf-style arguments filled in; the table's
// conversions and the arguments' types are kept in step by the callers.
template <typename... Args>
std::string FormatString(unsigned nId, Args... args)
{
    const char* pszFormat = LoadString(nId);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
    const int nLength = std::snprintf(nullptr, 0, pszFormat, args...);
    if (nLength <= 0)
        return {};
    std::string strText(static_cast<std::size_t>(nLength), '\0');
    std::snprintf(strText.data(), strText.size() + 1, pszFormat, args...);
#pragma GCC diagnostic pop
    return strText;
}

// The part of a menu prompt that the status bar shows: the text before the line break.
std::string StatusBarPrompt(unsigned nCommandId);
