#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// IDENTIFY DEVICE data: 256 words in CPU order.
using IdentifyWords = std::array<std::uint16_t, 256>;

constexpr std::size_t kIdentifyBytes = 512;
// The model field: 40 bytes in ATA identify data and in NVMe's Identify Controller.
constexpr std::size_t kModelBytes = 40;

// Parses libata's `id` attribute: 256 words of four hex digits, separated by
// white space. Fails on anything else and on all-zero data, which is what the
// link of a port multiplier shows.
bool ParseIdentifyText(std::string_view text, IdentifyWords& words);

// Identify data as the device sends it: 512 bytes of little-endian words.
IdentifyWords IdentifyWordsFromBytes(const unsigned char* pBytes);

// The identify data that the ATA Information VPD page (89h) carries at offset 60.
// Fails when the page is another page or too short.
bool ParseAtaInformationPage(std::string_view page, IdentifyWords& words);

// The model of identify data: words 27 to 46, decoded and trimmed.
std::string IdentifyModel(const IdentifyWords& words);

// A model stored byte by byte in reading order, as NVMe's MN field and what
// HDIO_GET_IDENTITY returns: at most 40 bytes, up to the first zero byte,
// without leading or trailing spaces.
std::string PlainModel(std::string_view raw);
