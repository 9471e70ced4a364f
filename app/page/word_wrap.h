#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

// One line of a laid-out text: the characters [nBegin, nEnd) of the text.
struct TextLine {
    std::size_t nBegin = 0;
    std::size_t nEnd = 0;

    friend bool operator==(const TextLine&, const TextLine&) = default;
};

// The width of a piece of text in pixels.
using TextWidth = std::function<int(std::u16string_view)>;

// Lays a text out in lines of at most nMaxWidth pixels, as word-wrapping text
// drawing does on the pages' original platform: every line feed ends a line; a
// longer line breaks at the last space that still fits, and that space belongs
// to neither line; a word wider than the line stays whole on a line of its own.
// Hyphens and every other character never break a line.
std::vector<TextLine> WrapAtSpaces(std::u16string_view text, int nMaxWidth, const TextWidth& width);
