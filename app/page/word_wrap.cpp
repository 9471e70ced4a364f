#include "app/page/word_wrap.h"

namespace {

void WrapParagraph(std::u16string_view text, std::size_t nBegin, std::size_t nEnd, int nMaxWidth,
                   const TextWidth& width, std::vector<TextLine>& lines)
{
    auto fits = [&](std::size_t nFrom, std::size_t nTo) { return width(text.substr(nFrom, nTo - nFrom)) <= nMaxWidth; };
    std::size_t nLine = nBegin;
    while (!fits(nLine, nEnd)) {
        std::size_t nBreak = std::u16string_view::npos;
        for (std::size_t i = nLine; i < nEnd; ++i) {
            if (text[i] != u' ')
                continue;
            if (fits(nLine, i)) {
                nBreak = i;
                continue;
            }
            if (nBreak == std::u16string_view::npos)
                nBreak = i; // the first word alone is too wide: it stays whole
            break;
        }
        if (nBreak == std::u16string_view::npos)
            break; // one word to the end: it overflows the line
        lines.push_back({nLine, nBreak});
        nLine = nBreak + 1;
    }
    lines.push_back({nLine, nEnd});
}

} // namespace

std::vector<TextLine> WrapAtSpaces(std::u16string_view text, int nMaxWidth, const TextWidth& width)
{
    std::vector<TextLine> lines;
    std::size_t nParagraph = 0;
    for (;;) {
        const std::size_t nFeed = text.find(u'\n', nParagraph);
        const std::size_t nEnd = nFeed == std::u16string_view::npos ? text.size() : nFeed;
        WrapParagraph(text, nParagraph, nEnd, nMaxWidth, width, lines);
        if (nFeed == std::u16string_view::npos)
            return lines;
        nParagraph = nFeed + 1;
    }
}
